// The operating-system family the program runs on, worked out once when the
// program is loaded and printed to the standard error stream.
#pragma once

#include <windows.h>

enum OsFamily : int {
    OS_WIN32S = 0,
    OS_WINNT3 = 1,
    OS_WIN95 = 2,
    OS_WIN98 = 3,
    OS_WINME = 4,
    OS_WINNT4 = 5,
    OS_WIN2000 = 6,
    OS_WINXP = 7,
};

// The family found at load time.
extern int g_nOsFamily;

// Pure classification: `packedVersion` is what GetVersion returns (top bit
// set on the non-NT branch); `info` is the version record, or null when it
// could not be had.
int ClassifyOsFamily(DWORD packedVersion, const OSVERSIONINFOA* info);

// "Win32s", "WinNT3", ... for a family code; "Unknown" for any other value.
const char* OsFamilyName(int family);
