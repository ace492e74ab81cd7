// The product's name, maker and version, in the one place every consumer reads
// them from: the program's code, the version resources of both programs, and
// the installer, whose build reads these lines. A release changes the numbers
// here and nowhere else. Plain macros only: resource scripts include this file.
#pragma once

#define APP_TITLE "Vodrix Video Converter"
#define APP_PUBLISHER "Vodrix Software"

#define APP_VERSION_MAJOR 2
#define APP_VERSION_MINOR 0
#define APP_VERSION_PATCH 5

#define APP_STRINGIZE_(x) #x
#define APP_STRINGIZE(x) APP_STRINGIZE_(x)
// "2.0.5": the form version resources and the installer show.
#define APP_VERSION_NUMBER \
    APP_STRINGIZE(APP_VERSION_MAJOR) "." APP_STRINGIZE(APP_VERSION_MINOR) "." APP_STRINGIZE(APP_VERSION_PATCH)
// "V2.0.5": the form the About box and the event log show.
#define APP_VERSION "V" APP_VERSION_NUMBER
