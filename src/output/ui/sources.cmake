# Sources of korvix_output_ui (explicit list, no globbing).
set(KORVIX_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/cnc_control_type_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dir_ctrl_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/save_file_name.cpp
    ${CMAKE_CURRENT_LIST_DIR}/save_nc_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/save_tbf_apt_commands.cpp
)
