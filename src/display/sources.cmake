# Core sources of src/display (explicit list, no globbing).
list(APPEND KORVIX_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/status_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/view_state.cpp
    ${CMAKE_CURRENT_LIST_DIR}/view_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/renderer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/overlay_drawing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recolor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recording_canvas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/line_raster.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cursor_readout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pick_search.cpp
    ${CMAKE_CURRENT_LIST_DIR}/move_description.cpp
    ${CMAKE_CURRENT_LIST_DIR}/identify_marks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/identify_cursor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/identify_stepping.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trim_polygon_input.cpp
    ${CMAKE_CURRENT_LIST_DIR}/levels_list.cpp
    ${CMAKE_CURRENT_LIST_DIR}/levels_database.cpp
    ${CMAKE_CURRENT_LIST_DIR}/levels_dialog_state.cpp
    ${CMAKE_CURRENT_LIST_DIR}/levels_display.cpp
)
