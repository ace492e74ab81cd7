// A program run as administrator refuses most messages from programs of a
// lower integrity level, such as a second start by a normal user or the
// Explorer that a file is dragged from. The window lets the named messages
// through all the same.
#pragma once

#include <windows.h>

#include <initializer_list>

// Sent by a drag and drop from a lower program along with WM_DROPFILES.
constexpr UINT WM_COPYGLOBALDATA = 0x0049;

// For `window` alone where the system can (Windows 7 and later), for the
// whole process on Windows Vista; nothing to do on older systems, which
// filter nothing. False when the system has the filter and refused.
bool LetThroughFromLowerPrograms(HWND window, std::initializer_list<UINT> messages);
