# Qt sources of src/model/ui (explicit list, no globbing).
list(APPEND KORVIX_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/tool_definition_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_number_selection_form.cpp
)
