# Core sources of src/editing (explicit list, no globbing).
list(APPEND KORVIX_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/trim_parameters.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trim_clip.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trim_records.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trim_links.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trim_path.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trim_z_limit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trim_path_totals.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trim_driver.cpp
)
