# Sources of korvix_measure_ui (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/measure_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/measurement_form.cpp
)
