# Sources of korvix_measure_ui (explicit list, no globbing).
set(KORVIX_SOURCES

)
