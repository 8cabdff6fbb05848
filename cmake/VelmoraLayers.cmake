# One static library per folder and half: velmora_<folder>_pure (platform-independent, built everywhere)
# and velmora_<folder> (Win32 only). The layers, lowest first:
#
#   base  ->  toolkit, config  ->  skin, webhost, dialogs  ->  app
#
# A library may include only its own folder and the folders of the libraries it uses, and a pure
# library only the platform-independent headers of those. The build enforces it: a library's one
# include directory is build/<preset>/layers/<library>/, which holds a link per folder it may
# include. A folder used through a Win32 library is linked whole (new headers need no listing);
# a folder seen by a pure library gets a directory of links to its pure headers only (those of its
# pure sources plus the HEADERS listed). An #include "skin/..." in a toolkit file then finds no
# file and the compile stops.
#
# No library exports an include directory, so nothing of a higher layer reaches a lower one through
# a dependency. Programs and tests outside the layers add the repository root themselves.

set(VELMORA_LAYERS_DIR ${PROJECT_BINARY_DIR}/layers)

# velmora_layer_library(<name> FOLDER <folder> [PURE] SOURCES <files>... [HEADERS <headers>...]
#                       [USES <libraries>...])
#   PURE: platform-independent; it may use only other pure libraries.
#   HEADERS: header-only pure headers of the folder (the headers of the SOURCES are found by name).
#   USES: the layer libraries whose headers it includes; they are linked PUBLIC, so their own uses
#         come along, and their folders become visible to this library.
function(velmora_layer_library name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "PURE" "FOLDER" "SOURCES;HEADERS;USES")
    if(NOT arg_FOLDER)
        message(FATAL_ERROR "velmora_layer_library(${name}): FOLDER missing")
    endif()
    add_library(${name} STATIC ${arg_SOURCES})

    # What this library shows to its users: whole folders (Win32) or a folder's pure headers.
    set(whole_folders "")
    set(pure_headers "")
    if(arg_PURE)
        foreach(source ${arg_SOURCES} ${arg_HEADERS})
            get_filename_component(stem ${source} NAME_WE)
            get_filename_component(directory ${source} DIRECTORY)
            if(directory)
                message(FATAL_ERROR "velmora_layer_library(${name}): ${source} is not in ${arg_FOLDER}/")
            endif()
            if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${stem}.h)
                list(APPEND pure_headers ${arg_FOLDER}/${stem}.h)
            endif()
        endforeach()
    else()
        list(APPEND whole_folders ${arg_FOLDER})
    endif()

    foreach(used ${arg_USES})
        if(NOT TARGET ${used})
            message(FATAL_ERROR "velmora_layer_library(${name}): ${used} must be declared before it")
        endif()
        get_target_property(used_pure ${used} VELMORA_LAYER_PURE)
        if(arg_PURE AND NOT used_pure)
            message(FATAL_ERROR "velmora_layer_library(${name}): a pure library cannot use the Win32 library ${used}")
        endif()
        get_target_property(used_whole ${used} VELMORA_LAYER_WHOLE_FOLDERS)
        get_target_property(used_headers ${used} VELMORA_LAYER_PURE_HEADERS)
        list(APPEND whole_folders ${used_whole})
        list(APPEND pure_headers ${used_headers})
    endforeach()
    list(REMOVE_DUPLICATES whole_folders)
    list(REMOVE_DUPLICATES pure_headers)
    set_target_properties(${name} PROPERTIES
        VELMORA_LAYER_PURE "${arg_PURE}"
        VELMORA_LAYER_WHOLE_FOLDERS "${whole_folders}"
        VELMORA_LAYER_PURE_HEADERS "${pure_headers}")
    target_link_libraries(${name} PUBLIC ${arg_USES})

    # The include directory, made again on every configure so that a dropped use disappears.
    set(layer ${VELMORA_LAYERS_DIR}/${name})
    file(REMOVE_RECURSE ${layer})
    file(MAKE_DIRECTORY ${layer})
    foreach(folder ${whole_folders})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${layer}/${folder} SYMBOLIC)
    endforeach()
    foreach(header ${pure_headers})
        get_filename_component(folder ${header} DIRECTORY)
        if(NOT folder IN_LIST whole_folders)
            file(MAKE_DIRECTORY ${layer}/${folder})
            file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${header} ${layer}/${header} SYMBOLIC)
        endif()
    endforeach()
    target_include_directories(${name} PRIVATE ${layer})
endfunction()
