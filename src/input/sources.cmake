# Core sources of src/input (explicit list, no globbing).
list(APPEND KORVIX_CORE_SOURCES
)
