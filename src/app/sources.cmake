# Sources of korvix_app (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/home_folder.cpp
)

include(${CMAKE_CURRENT_LIST_DIR}/bundled_machines.cmake)
