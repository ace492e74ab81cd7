# Fails when a file of the program includes a header of a layer it may not
# use: each layer links only the layers it names below, and an include the
# other way would build a circle back in. Run as
#   cmake -DSOURCE_DIR=<repository> [-DEXTRA_FILE=<file> -DEXTRA_LAYER=<layer>] -P CheckLayers.cmake
# (the extra file is checked as if it lay in that layer).
cmake_minimum_required(VERSION 3.20)

include(${CMAKE_CURRENT_LIST_DIR}/LayerTable.cmake)

set(violations "")

function(check_file file layer)
    headers_of(${file} headers)
    foreach(header IN LISTS headers)
        layer_of("${header}" included)
        if(NOT included OR NOT included IN_LIST allowed_${layer})
            list(APPEND violations "${file}: the ${layer} layer includes ${header}")
        endif()
    endforeach()
    set(violations "${violations}" PARENT_SCOPE)
endfunction()

foreach(layer IN LISTS layers)
    if(layer STREQUAL "skin")
        file(GLOB files ${SOURCE_DIR}/skin/*.h ${SOURCE_DIR}/skin/*.cpp)
    else()
        file(GLOB_RECURSE files ${SOURCE_DIR}/${folder_${layer}}/*.h ${SOURCE_DIR}/${folder_${layer}}/*.cpp
             ${SOURCE_DIR}/${folder_${layer}}/*.rc)
    endif()
    foreach(file IN LISTS files)
        file(RELATIVE_PATH relative ${SOURCE_DIR} ${file})
        layer_of("${relative}" owner)
        if(owner STREQUAL layer)
            check_file(${file} ${layer})
        endif()
    endforeach()
endforeach()
if(EXTRA_FILE)
    check_file(${EXTRA_FILE} ${EXTRA_LAYER})
endif()

foreach(violation IN LISTS violations)
    message(NOTICE "${violation}")
endforeach()
if(violations)
    message(FATAL_ERROR "Includes against the layers of the program (above).")
endif()
