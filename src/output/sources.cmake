# Sources of korvix_output (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/apt_writer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/convert_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nc_arc_geometry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nc_arc_split.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nc_block_formatter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nc_writer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nc_writer_default.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nc_writer_machine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/path_compare.cpp
    ${CMAKE_CURRENT_LIST_DIR}/point_file_start.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tbf_reader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tbf_writer.cpp
)
