# Sources of korvix_input (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/machine_format_loader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/machine_format_parser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nc_arc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nc_block_reader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nc_read_job.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nc_reader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nc_text_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nc_word_value.cpp
    ${CMAKE_CURRENT_LIST_DIR}/source_text_keeper.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wireframe_reader.cpp
)
