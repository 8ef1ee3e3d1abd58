# Qt sources of the window's display commands and dialogs (explicit list, no globbing).
# The canvas itself is in korvix_qtgui, which the command-line tool shares.
list(APPEND KORVIX_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/view_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_menu_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/status_window_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recolor_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_feed_colors_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wait_while.cpp
    ${CMAKE_CURRENT_LIST_DIR}/location_dialog_base.cpp
    ${CMAKE_CURRENT_LIST_DIR}/current_nc_location_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/current_wir_location_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pick_handoffs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/identify_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mouse_handlers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/key_handlers.cpp
)
