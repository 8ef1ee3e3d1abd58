# Core sources of src/app (explicit list, no globbing).
list(APPEND KORVIX_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/home_folder.cpp
)
include(${CMAKE_CURRENT_LIST_DIR}/bundled_machines.cmake)
