# The layers of Korvix: one static library per subsystem folder, each linked to the layers it
# may use, and a check that runs with every build and refuses an include of any other layer
# (a library link alone would not catch a header-only dependency).
#
#   korvix_layer(NAME DIR dir [USES layer...] [LINK target...] [RULE_ONLY])
#
# builds korvix_NAME from the KORVIX_SOURCES listed in src/DIR/sources.cmake. USES names
# other layers; LINK adds outside libraries (Qt). RULE_ONLY declares the layer for the check
# without building it (the window's layers in a build without the window).

set_property(GLOBAL PROPERTY KORVIX_LAYER_RULES "")

function(korvix_layer name)
    cmake_parse_arguments(ARG "RULE_ONLY" "DIR" "USES;LINK" ${ARGN})
    korvix_layer_rule(${name} ${ARG_DIR} "${ARG_USES}")
    if(ARG_RULE_ONLY)
        return() # a layer this build leaves out still has its includes checked
    endif()
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
endfunction()

# One rule per layer for the include check: "dir=used dir,used dir,...".
function(korvix_layer_rule name dir uses)
    set(allowed)
    foreach(layer IN LISTS uses)
        get_property(usedDir GLOBAL PROPERTY KORVIX_LAYER_DIR_${layer})
        if(NOT usedDir)
            message(FATAL_ERROR "layer ${name} uses ${layer}, which is not declared before it")
        endif()
        list(APPEND allowed ${usedDir})
    endforeach()
    list(JOIN allowed "," allowedText)
    set_property(GLOBAL PROPERTY KORVIX_LAYER_DIR_${name} ${dir})
    set_property(GLOBAL APPEND PROPERTY KORVIX_LAYER_RULES "${dir}=${allowedText}")
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
