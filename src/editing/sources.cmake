# Sources of korvix_editing (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/selection_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_marking.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_picks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_tool_number.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_toolbar.cpp
)
