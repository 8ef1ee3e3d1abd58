# Sources of korvix_filters_ui (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/explode_arc_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/explode_arcs_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filter_redraw.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fit_arc_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fit_arcs_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/reverse_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sift_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sifting_form.cpp
)
