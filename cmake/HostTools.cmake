# Programs for the build machine, built natively from host/ before the
# program: the skin compiler and dump, the tests of the portable code, the
# fuzz seeds; and, as a configuration of its own with clang and sanitizers,
# the fuzz target of the skin reader.
include(ExternalProject)

set(VODRIX_HOST_DIR ${CMAKE_BINARY_DIR}/host)
set(VODRIX_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
set(VODRIX_SKINC ${VODRIX_HOST_DIR}/tools/skin/skinc)

# Always built: the sub-build decides itself what is out of date.
ExternalProject_Add(hosttools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/host
    BINARY_DIR ${VODRIX_HOST_DIR}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${VODRIX_SKINC})

find_program(VODRIX_CLANG clang-14)
find_program(VODRIX_CLANGXX clang++-14)
if(VODRIX_CLANG AND VODRIX_CLANGXX)
    ExternalProject_Add(fuzztools
        SOURCE_DIR ${CMAKE_SOURCE_DIR}/host
        BINARY_DIR ${VODRIX_FUZZ_DIR}
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=${VODRIX_CLANG}
                   -DCMAKE_CXX_COMPILER=${VODRIX_CLANGXX} -DVODRIX_FUZZ=ON
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON)
endif()

# vodrix_compile_skin(SOURCE file.skin OUTPUT file.smf [DEPENDS files...]):
# compiles a skin source with the images beside it. Nothing happens while
# the source does not exist yet.
function(vodrix_compile_skin)
    cmake_parse_arguments(S "" "SOURCE;OUTPUT" "DEPENDS" ${ARGN})
    get_filename_component(name ${S_OUTPUT} NAME_WE)
    if(NOT EXISTS ${S_SOURCE} OR TARGET skin_${name})
        return()
    endif()
    get_filename_component(source_dir ${S_SOURCE} DIRECTORY)
    file(GLOB_RECURSE inputs CONFIGURE_DEPENDS ${source_dir}/*)
    add_custom_command(
        OUTPUT ${S_OUTPUT}
        COMMAND ${VODRIX_SKINC} ${S_SOURCE} ${S_OUTPUT}
        DEPENDS ${inputs} ${S_DEPENDS} ${VODRIX_SKINC}
        COMMENT "Compiling the skin ${name}"
        VERBATIM)
    add_custom_target(skin_${name} ALL DEPENDS ${S_OUTPUT})
    add_dependencies(skin_${name} hosttools)
endfunction()
