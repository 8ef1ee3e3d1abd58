# Core sources of src/measure (explicit list, no globbing).
list(APPEND KORVIX_CORE_SOURCES
)
