# Sources of korvix-cli.
list(APPEND KORVIX_CLI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cli_args.cpp
)
