# Sources of korvix_filters (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/arc_run_fitter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/explode_arcs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filter_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filter_parameters.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fit_arcs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/reverse_path.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sift_points.cpp
)
