# Sources of korvix_measure (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/measure_fields.cpp
    ${CMAKE_CURRENT_LIST_DIR}/measure_marks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/measure_math.cpp
    ${CMAKE_CURRENT_LIST_DIR}/measure_overlay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/measure_session.cpp
)
