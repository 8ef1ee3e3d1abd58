# Core sources of src/editing (explicit list, no globbing).
list(APPEND KORVIX_CORE_SOURCES
)
