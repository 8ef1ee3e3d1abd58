# Sources of korvix_measure (explicit list, no globbing).
set(KORVIX_SOURCES

)
