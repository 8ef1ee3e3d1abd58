# Sources of korvix_model_ui (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/tool_definition_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_number_selection_form.cpp
)
