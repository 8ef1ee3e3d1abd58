# Sources of korvix_app (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/home_folder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/print_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screen_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_sheet.cpp
)

include(${CMAKE_CURRENT_LIST_DIR}/bundled_machines.cmake)
