# Sources of korvix_app_ui (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/close_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/convert_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/korvix_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/print_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screen_text_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/undo_commands.cpp
)
