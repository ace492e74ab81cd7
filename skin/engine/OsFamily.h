// Which family of Windows the process runs on, as far as the engine cares:
// it decides how system functions are intercepted and whether the BUTTON
// class needs the XP treatment.
#pragma once

#include <windows.h>

namespace skin {

enum OsFamily : int {
    kOsOldNonNt = 0,     // non-NT below 4
    kOsOtherNt = 1,      // NT other than 4.0, 5.0 and 5.1
    kOsWindows95 = 2,    // non-NT 4.x other than 4.10 and 4.90
    kOsWindows98 = 3,
    kOsWindowsMe = 4,
    kOsNt4 = 5,
    kOsWindows2000 = 6,
    kOsWindowsXp = 7,
};

// The version numbers a family is worked out from. `haveRecord` is false when
// the extended version record could not be obtained.
struct OsVersion {
    DWORD getVersion;
    bool haveRecord;
    DWORD major;
    DWORD minor;
};

OsFamily ClassifyOsFamily(const OsVersion& version);

// Asks the running system.
OsFamily DetectOsFamily();

}  // namespace skin
