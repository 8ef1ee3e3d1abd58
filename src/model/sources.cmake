# Sources of korvix_model (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/arc_geometry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/chunk_memory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/feed_rate_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/finite_values.cpp
    ${CMAKE_CURRENT_LIST_DIR}/geometry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/machine_format_record.cpp
    ${CMAKE_CURRENT_LIST_DIR}/number_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_source.cpp
    ${CMAKE_CURRENT_LIST_DIR}/read_budget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/regular_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/safe_file_writer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_definitions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/undo_history.cpp
)
