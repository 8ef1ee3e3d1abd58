# Selection in edit mode: picks on cached pixel positions, the commands that act at once,
# the toolbar's decisions, and the command-line tool's selection options.
korvix_add_tests(korvix_selection_tests LABEL unit SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/selection_picks_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_commands_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_toolbar_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection_args_test.cpp
    ${PROJECT_SOURCE_DIR}/src/cli/selection_args.cpp
    ${PROJECT_SOURCE_DIR}/src/cli/cli_args.cpp
)
