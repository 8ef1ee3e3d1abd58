# The layers of Korvix: one static library per subsystem folder, each linked to the layers it
# may use, and a check that runs with every build and refuses an include of any other layer
# (a library link alone would not catch a header-only dependency).
#
#   korvix_layer(NAME DIR dir [USES layer...] [LINK target...])
#
# builds korvix_NAME from the KORVIX_SOURCES listed in src/DIR/sources.cmake. USES names
# other layers; LINK adds outside libraries (Qt).

set_property(GLOBAL PROPERTY KORVIX_LAYER_RULES "")

function(korvix_layer name)
    cmake_parse_arguments(ARG "" "DIR" "USES;LINK" ${ARGN})
    set(KORVIX_SOURCES)
    include(${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DIR}/sources.cmake)
    set(target korvix_${name})
    set(uses)
    foreach(layer IN LISTS ARG_USES)
        list(APPEND uses korvix_${layer})
    endforeach()
    if(KORVIX_SOURCES)
        add_library(${target} STATIC ${KORVIX_SOURCES})
        target_link_libraries(${target} PUBLIC korvix_options ${uses} ${ARG_LINK})
        target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
        add_dependencies(${target} korvix_layer_check)
    else()
        # A subsystem whose sources have not been written yet.
        add_library(${target} INTERFACE)
        target_link_libraries(${target} INTERFACE korvix_options ${uses} ${ARG_LINK})
        target_include_directories(${target} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
    endif()
    # One rule per layer: "dir=used dir,used dir,...".
    set(allowed)
    foreach(layer IN LISTS ARG_USES)
        get_property(dir GLOBAL PROPERTY KORVIX_LAYER_DIR_${layer})
        if(NOT dir)
            message(FATAL_ERROR "layer ${name} uses ${layer}, which is not declared before it")
        endif()
        list(APPEND allowed ${dir})
    endforeach()
    list(JOIN allowed "," allowedText)
    set_property(GLOBAL PROPERTY KORVIX_LAYER_DIR_${name} ${ARG_DIR})
    set_property(GLOBAL APPEND PROPERTY KORVIX_LAYER_RULES "${ARG_DIR}=${allowedText}")
endfunction()

# Declares the check; call once before the layers, then korvix_finish_layer_check() after.
function(korvix_begin_layer_check)
    add_custom_target(korvix_layer_check ALL
        COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}
                -DRULES_FILE=${CMAKE_CURRENT_BINARY_DIR}/korvix_layers.txt
                -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
        COMMENT "Checking that every include stays within its layer"
        VERBATIM)
endfunction()

function(korvix_finish_layer_check)
    get_property(rules GLOBAL PROPERTY KORVIX_LAYER_RULES)
    list(JOIN rules "\n" text)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/korvix_layers.txt "${text}\n")
endfunction()
