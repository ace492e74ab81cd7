# Fails when a file of the skin engine includes a header of a layer that is
# not below its own: the layers link only downward, and an include upward
# would build a circle back in. Run as
#   cmake -DSOURCE_DIR=<repository> [-DEXTRA_FILE=<file> -DEXTRA_LAYER=<layer>] -P CheckLayers.cmake
# (the extra file is checked as if it lay in that layer).
cmake_minimum_required(VERSION 3.20)

# What each layer may include, besides the system's and the library's headers.
set(allowed_win win)
set(allowed_core skin/core)
set(allowed_image skin/image)
set(allowed_draw win skin/core skin/image skin/draw)
set(allowed_engine ${allowed_draw} skin/engine)
set(allowed_menu ${allowed_engine} skin/menu)
set(allowed_scrollbar ${allowed_engine} skin/scrollbar)
set(allowed_kinds ${allowed_engine} skin/menu skin/scrollbar skin/kinds)
set(allowed_top ${allowed_kinds} skin)

set(violations "")

function(check_file file layer)
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
        # A header beside the file, by its bare name, stays in the layer.
        if(NOT header MATCHES "/")
            continue()
        endif()
        get_filename_component(directory ${header} DIRECTORY)
        string(REGEX MATCH "^skin/[^/]+|^[^/]+" folder "${directory}")
        if(NOT folder IN_LIST allowed_${layer})
            list(APPEND violations "${file}: the ${layer} layer includes ${header}")
        endif()
    endforeach()
    set(violations "${violations}" PARENT_SCOPE)
endfunction()

foreach(layer win core image draw engine menu scrollbar kinds)
    if(layer STREQUAL "win")
        set(folder ${SOURCE_DIR}/win)
    else()
        set(folder ${SOURCE_DIR}/skin/${layer})
    endif()
    file(GLOB_RECURSE files ${folder}/*.h ${folder}/*.cpp)
    foreach(file IN LISTS files)
        check_file(${file} ${layer})
    endforeach()
endforeach()
file(GLOB top_files ${SOURCE_DIR}/skin/*.h ${SOURCE_DIR}/skin/*.cpp)
foreach(file IN LISTS top_files)
    check_file(${file} top)
endforeach()
if(EXTRA_FILE)
    check_file(${EXTRA_FILE} ${EXTRA_LAYER})
endif()

foreach(violation IN LISTS violations)
    message(NOTICE "${violation}")
endforeach()
if(violations)
    message(FATAL_ERROR "Includes against the layers of the skin engine (above).")
endif()
