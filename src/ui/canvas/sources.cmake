# Sources of korvix_qtgui (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/qt_canvas.cpp
)
