# The one table of the program's directions, bottom up: a layer, its folder,
# and what it may include besides itself and the system's and libraries'
# headers. A folder holds its sub-folders, unless a sub-folder is a layer of
# its own; the skin engine's top holds the files of skin/ itself.
# cmake/CheckLayers.cmake refuses an include against it, with every build
# that changes a file of a layer; cmake/CheckLinks.cmake refuses, at
# configuration, a library that does not link the layers it includes.
set(layer_table
    "win        win         :"
    "services   services    : win"
    "core       skin/core   :"
    "image      skin/image  :"
    "draw       skin/draw   : win core image"
    "engine     skin/engine : win services core image draw"
    "menu       skin/menu   : win services core image draw engine"
    "scrollbar  skin/scrollbar : win services core image draw engine"
    "kinds      skin/kinds  : win services core image draw engine menu scrollbar"
    "skin       skin        : win services core image draw engine menu scrollbar kinds"
    "COMMON     COMMON      : win services"
    "encoder    encoder     : win services"
    "framework  framework   : win"
    "controls   controls    : win framework skin"
    "res        res         : services"
    "ui         ui          : win services COMMON framework controls skin core res"
    "app        app         : win services framework skin ui"
    "bench      bench       : services res core image")

set(layers "")
foreach(row IN LISTS layer_table)
    string(REGEX MATCH "^([^ ]+) +([^ ]+) *:(.*)$" matched "${row}")
    set(layer ${CMAKE_MATCH_1})
    string(STRIP "${CMAKE_MATCH_3}" below)
    separate_arguments(below UNIX_COMMAND "${below}")
    list(APPEND layers ${layer})
    set(folder_${layer} ${CMAKE_MATCH_2})
    set(allowed_${layer} ${layer} ${below})
endforeach()

# The layer a path of the repository lies in: the one with the longest folder
# that holds it; empty when none does. skin/ itself holds only its own files.
function(layer_of path result)
    set(found "")
    set(found_length 0)
    foreach(layer IN LISTS layers)
        set(folder ${folder_${layer}})
        string(LENGTH "${folder}" length)
        if(layer STREQUAL "skin")
            get_filename_component(directory "${path}" DIRECTORY)
            set(holds FALSE)
            if(directory STREQUAL "skin")
                set(holds TRUE)
            endif()
        else()
            string(FIND "${path}" "${folder}/" at)
            set(holds FALSE)
            if(at EQUAL 0)
                set(holds TRUE)
            endif()
        endif()
        if(holds AND length GREATER found_length)
            set(found ${layer})
            set(found_length ${length})
        endif()
    endforeach()
    set(${result} "${found}" PARENT_SCOPE)
endfunction()

# The headers `file` includes by a path of the repository (a header beside
# the file, by its bare name, stays in the file's layer).
function(headers_of file result)
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]+\"[^\"]*/")
    set(headers "")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
        list(APPEND headers ${header})
    endforeach()
    set(${result} "${headers}" PARENT_SCOPE)
endfunction()
