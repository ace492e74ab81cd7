#include "skin/engine/OsFamily.h"

namespace skin {

namespace {

constexpr DWORD kNonNtBit = 0x80000000u;

bool IsNonNt(DWORD getVersion) { return (getVersion & kNonNtBit) != 0; }

// Too old for the extended version record.
bool IsOldNonNt(DWORD getVersion) { return IsNonNt(getVersion) && LOBYTE(LOWORD(getVersion)) < 4; }

OsFamily ClassifyNonNt(const OsVersion& v)
{
    if (!v.haveRecord)
        return kOsWindows95;
    if (v.major == 4 && v.minor == 10)
        return kOsWindows98;
    if (v.major == 4 && v.minor == 90)
        return kOsWindowsMe;
    return kOsWindows95;
}

OsFamily ClassifyNt(const OsVersion& v)
{
    if (!v.haveRecord)
        return kOsOtherNt;
    if (v.major == 4 && v.minor == 0)
        return kOsNt4;
    if (v.major == 5 && v.minor == 0)
        return kOsWindows2000;
    if (v.major == 5 && v.minor == 1)
        return kOsWindowsXp;
    return kOsOtherNt;
}

}  // namespace

OsFamily ClassifyOsFamily(const OsVersion& version)
{
    if (IsOldNonNt(version.getVersion))
        return kOsOldNonNt;
    return IsNonNt(version.getVersion) ? ClassifyNonNt(version) : ClassifyNt(version);
}

OsFamily DetectOsFamily()
{
    OsVersion version = {GetVersion(), false, 0, 0};
    if (IsOldNonNt(version.getVersion))
        return kOsOldNonNt;
    // The record is the old 148-byte one: the oldest systems reject any other size.
    OSVERSIONINFOA record = {};
    static_assert(sizeof record == 148, "OSVERSIONINFOA is 148 bytes");
    record.dwOSVersionInfoSize = sizeof record;
    if (GetVersionExA(&record)) {
        version.haveRecord = true;
        version.major = record.dwMajorVersion;
        version.minor = record.dwMinorVersion;
    }
    return ClassifyOsFamily(version);
}

}  // namespace skin
