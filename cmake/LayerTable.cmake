# The one table of the program's directions, bottom up: a layer, its folder,
# and what it may include besides itself and the system's and libraries'
# headers. A folder holds its sub-folders, unless a sub-folder is a layer of
# its own; the skin engine's top holds the files of skin/ itself.
# cmake/CheckLayers.cmake refuses an include against it; the build runs that
# check whenever a file of a layer changes.
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
