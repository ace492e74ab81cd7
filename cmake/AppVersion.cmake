# The product's name, maker and version as services/AppVersion.h defines them, for
# what the build writes outside C++ (the manifest, the installer), so that they
# are written down once: VODRIX_TITLE, VODRIX_PUBLISHER and VODRIX_VERSION
# ("2.0.5"). A change of the header configures again.
set(app_version_header ${CMAKE_SOURCE_DIR}/services/AppVersion.h)
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${app_version_header})
file(STRINGS ${app_version_header} app_version_lines
     REGEX "^#define APP_(TITLE|PUBLISHER|VERSION_MAJOR|VERSION_MINOR|VERSION_PATCH) ")
foreach(line IN LISTS app_version_lines)
    string(REGEX MATCH "^#define APP_([A-Z_]+) +\"?([^\"]*)\"?$" matched "${line}")
    set(app_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
endforeach()
foreach(part TITLE PUBLISHER VERSION_MAJOR VERSION_MINOR VERSION_PATCH)
    if(NOT DEFINED app_${part} OR app_${part} STREQUAL "")
        message(FATAL_ERROR "${app_version_header} defines no APP_${part}")
    endif()
endforeach()
set(VODRIX_TITLE "${app_TITLE}")
set(VODRIX_PUBLISHER "${app_PUBLISHER}")
set(VODRIX_VERSION "${app_VERSION_MAJOR}.${app_VERSION_MINOR}.${app_VERSION_PATCH}")
