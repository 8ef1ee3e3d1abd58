# Sources of korvix_input_ui (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/background_read.cpp
    ${CMAKE_CURRENT_LIST_DIR}/input_radius_type_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/open_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/parsing_error_form.cpp
)
