# Core sources of src/measure (explicit list, no globbing).
list(APPEND KORVIX_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/measure_math.cpp
    ${CMAKE_CURRENT_LIST_DIR}/measure_session.cpp
    ${CMAKE_CURRENT_LIST_DIR}/measure_fields.cpp
    ${CMAKE_CURRENT_LIST_DIR}/measure_marks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/measure_overlay.cpp
)
