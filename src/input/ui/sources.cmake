# Qt sources of src/input/ui (explicit list, no globbing).
list(APPEND KORVIX_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/open_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/input_radius_type_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/parsing_error_form.cpp
)
