// Which family of Windows the process runs on, classified in one place: the
// program names it at load, the skin engine chooses by it how it intercepts
// system functions and whether the BUTTON class needs the XP treatment.
#pragma once

#include <windows.h>

enum OsFamily : int {
    kOsOldNonNt = 0,     // non-NT below 4
    kOsOtherNt = 1,      // NT other than 4, 5.0 and 5.1
    kOsWindows95 = 2,    // non-NT 4.x other than 4.10 and 4.90
    kOsWindows98 = 3,
    kOsWindowsMe = 4,
    kOsNt4 = 5,
    kOsWindows2000 = 6,
    kOsWindowsXp = 7,
};

// The version numbers a family is worked out from: what GetVersion returns
// (top bit set on the non-NT branch, the major version in its low byte) and
// the extended version record's numbers. `haveRecord` is false when that
// record could not be had.
struct OsVersion {
    DWORD getVersion;
    bool haveRecord;
    DWORD major;
    DWORD minor;
};

OsFamily ClassifyOsFamily(const OsVersion& version);

// The running system's version, asked once in the process's life.
const OsVersion& RunningOsVersion();
OsFamily RunningOsFamily();

// "Win32s", "WinNT3", "Win95", "Win98", "WinME", "WinNT4", "Win2000",
// "WinXP"; "Unknown" for any other value.
const char* OsFamilyName(int family);
