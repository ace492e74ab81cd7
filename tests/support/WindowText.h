// What a test reads of any window, of this process or another one.
#pragma once

#include <windows.h>

#include <string>

std::string WindowTextOf(HWND window);
std::string ClassNameOf(HWND window);
