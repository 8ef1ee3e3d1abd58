# Core sources of src/display (explicit list, no globbing).
list(APPEND KORVIX_CORE_SOURCES
)
