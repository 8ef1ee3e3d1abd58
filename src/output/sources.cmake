# Core sources of src/output (explicit list, no globbing).
list(APPEND KORVIX_CORE_SOURCES
)
