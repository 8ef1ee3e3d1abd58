# Sources of korvix_editing (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/modify_all.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_all_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_all_copies.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_all_fields.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_all_preview.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_all_transform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/path_status_recompute.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_marking.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_picks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_tool_number.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_toolbar.cpp
)
