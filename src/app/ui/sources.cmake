# Qt sources of src/app/ui (explicit list, no globbing).
list(APPEND KORVIX_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/drawing_area.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qt_reporter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/close_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/numeric_field.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog_buttons.cpp
)
