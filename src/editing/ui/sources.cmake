# Sources of korvix_editing_ui (explicit list, no globbing).
set(KORVIX_SOURCES
)
