# Sources of korvix_editing_ui (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/trim_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trim_dialog_box.cpp
)
