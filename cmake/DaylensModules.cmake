# How a DLL of Daylens is added: its sources, its .def file (exports by plain name), its resource scripts and the
# folder of build/dist it is installed to. The .def file is remembered on the target (DAYLENS_DEF_FILE), so that
# the export check can compare it with the built binary.
#
# daylens_add_dll(TARGET OUTPUT_NAME name DEF file [FOLDER sub-folder of dist] [SOURCES ...] [RESOURCES ...]
#                 [LIBS ...])
# Every name the .def file exports is pulled out of the static libraries, wherever it is defined.
function(daylens_add_dll target)
    cmake_parse_arguments(ARG "" "OUTPUT_NAME;DEF;FOLDER" "SOURCES;RESOURCES;LIBS" ${ARGN})
    add_library(${target} SHARED ${ARG_SOURCES} ${ARG_DEF} ${ARG_RESOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARG_DEF})
    file(STRINGS ${ARG_DEF} lines)
    set(exports OFF)
    foreach(line IN LISTS lines)
        string(STRIP "${line}" line)
        if(line STREQUAL "EXPORTS")
            set(exports ON)
        elseif(exports AND line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)")
            target_link_options(${target} PRIVATE "-Wl,--undefined=${CMAKE_MATCH_1}")
        endif()
    endforeach()
    set(folder ${DAYLENS_DIST_DIR})
    if(ARG_FOLDER)
        set(folder ${DAYLENS_DIST_DIR}/${ARG_FOLDER})
    endif()
    set_target_properties(${target} PROPERTIES
        OUTPUT_NAME ${ARG_OUTPUT_NAME}
        PREFIX ""
        RUNTIME_OUTPUT_DIRECTORY ${folder}
        LIBRARY_OUTPUT_DIRECTORY ${folder}
        DAYLENS_DEF_FILE ${ARG_DEF})
endfunction()

# daylens_add_plugin(TARGET OUTPUT_NAME name DEF file ...): a plug-in DLL, installed to build/dist/PlugIn.
function(daylens_add_plugin target)
    daylens_add_dll(${target} FOLDER PlugIn ${ARGN})
endfunction()
