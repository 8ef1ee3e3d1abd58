# Sources of korvix_cli_commands (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/cli_args.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cli_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cli_input.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cli_output.cpp
    ${CMAKE_CURRENT_LIST_DIR}/convert_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dump_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filter_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/info_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/levels_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_args.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tbf_apt_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/transform_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trim_command.cpp
)
