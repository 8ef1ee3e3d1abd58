# Sources of korvix-cli.
list(APPEND KORVIX_CLI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cli_args.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cli_input.cpp
    ${CMAKE_CURRENT_LIST_DIR}/info_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dump_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/convert_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tbf_apt_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filter_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/path_output.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trim_command.cpp
)
