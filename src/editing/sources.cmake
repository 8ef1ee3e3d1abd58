# Sources of korvix_editing (explicit list, no globbing).
set(KORVIX_SOURCES

)
