# Sources of korvix_ui_kit (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/dialog_buttons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog_placement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/drawing_area.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/numeric_field.cpp
    ${CMAKE_CURRENT_LIST_DIR}/numeric_field_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qt_reporter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/undo_step.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wait_while.cpp
)
