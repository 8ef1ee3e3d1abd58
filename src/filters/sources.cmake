# Core sources of src/filters (explicit list, no globbing).
list(APPEND KORVIX_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/explode_arcs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fit_arcs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/arc_run_fitter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sift_points.cpp
    ${CMAKE_CURRENT_LIST_DIR}/reverse_path.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filter_parameters.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filter_commands.cpp
)
