# Core sources of src/editing (explicit list, no globbing).
list(APPEND KORVIX_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/path_status_recompute.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_all_transform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_all_copies.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_all.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_all_preview.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_all_fields.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modify_all_command.cpp
)
