// The family of Windows this copy of the test executable should see: the test
// prefix gives each of its names a Windows version of its own.
#pragma once

#include "services/OsFamily.h"

#include <string>

inline OsFamily TestedFamily()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    auto endsWith = [&name](const std::string& tail) {
        return name.size() >= tail.size() && name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
    };
    if (endsWith("_win98.exe"))
        return kOsWindows98;
    if (endsWith("_winxp.exe"))
        return kOsWindowsXp;
    return kOsOtherNt;  // Wine's default version
}
