# Core sources of src/filters (explicit list, no globbing).
list(APPEND KORVIX_CORE_SOURCES
)
