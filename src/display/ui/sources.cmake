# Sources of korvix_display_ui (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/animate_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/current_nc_location_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/current_wir_location_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_menu_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/identify_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/key_handlers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/levels_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/levels_display_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/location_dialog_base.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_feed_colors_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mouse_handlers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pick_handoffs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recolor_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/status_window_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/view_menu_commands.cpp
)
