# Core sources of src/model (explicit list, no globbing).
list(APPEND KORVIX_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/chunk_memory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/geometry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/number_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_definitions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/feed_rate_table.cpp
)
