# Core sources of src/app (explicit list, no globbing).
list(APPEND KORVIX_CORE_SOURCES
)
