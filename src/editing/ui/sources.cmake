# Sources of korvix_editing_ui (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/edit_mode_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/feed_rate_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_all_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_all_window_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_portion_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_portion_window_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_preview_display.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_glyphs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_toolbar_buttons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trim_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trim_dialog_box.cpp
)
