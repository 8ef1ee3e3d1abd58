# The machine formats that ship inside the program, copied into an empty machines folder at
# first start. Listed explicitly; a new format needs a line here.
set(KORVIX_BUNDLED_MACHINE_FORMATS
    ${PROJECT_SOURCE_DIR}/examples/machines/ISO_MILL.DNC
    ${PROJECT_SOURCE_DIR}/examples/machines/INCREMENTAL_IJ_MILL.DNC
    ${PROJECT_SOURCE_DIR}/examples/machines/HOBBY_STYLE_R_ARCS.DNC
    ${PROJECT_SOURCE_DIR}/examples/machines/QUADRANT_ARCS_LIMITS.DNC
)
set(KORVIX_BUNDLED_MACHINES_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/bundled_machine_formats.cpp)
list(JOIN KORVIX_BUNDLED_MACHINE_FORMATS "|" korvixBundledInputs)
add_custom_command(
    OUTPUT ${KORVIX_BUNDLED_MACHINES_SOURCE}
    COMMAND ${CMAKE_COMMAND} "-DINPUTS=${korvixBundledInputs}"
            "-DOUTPUT=${KORVIX_BUNDLED_MACHINES_SOURCE}"
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedMachineFormats.cmake
    DEPENDS ${KORVIX_BUNDLED_MACHINE_FORMATS} ${PROJECT_SOURCE_DIR}/cmake/EmbedMachineFormats.cmake
    COMMENT "Embedding the bundled machine formats"
    VERBATIM)
list(APPEND KORVIX_SOURCES ${KORVIX_BUNDLED_MACHINES_SOURCE})
