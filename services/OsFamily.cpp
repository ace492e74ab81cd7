#include "services/OsFamily.h"

namespace {

constexpr DWORD kNonNtBit = 0x80000000u;

const char* const kFamilyNames[] = {"Win32s", "WinNT3", "Win95", "Win98", "WinME", "WinNT4", "Win2000", "WinXP"};

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
    if (v.major == 4)
        return kOsNt4;
    if (v.major == 5 && v.minor == 0)
        return kOsWindows2000;
    if (v.major == 5 && v.minor == 1)
        return kOsWindowsXp;
    return kOsOtherNt;
}

OsVersion AskOsVersion()
{
    OsVersion version = {GetVersion(), false, 0, 0};
    if (IsOldNonNt(version.getVersion))
        return version;
    // The record is the old 148-byte one: the oldest systems reject any other size.
    OSVERSIONINFOA record = {};
    static_assert(sizeof record == 148, "OSVERSIONINFOA is 148 bytes");
    record.dwOSVersionInfoSize = sizeof record;
    if (GetVersionExA(&record)) {
        version.haveRecord = true;
        version.major = record.dwMajorVersion;
        version.minor = record.dwMinorVersion;
    }
    return version;
}

}  // namespace

OsFamily ClassifyOsFamily(const OsVersion& version)
{
    if (IsOldNonNt(version.getVersion))
        return kOsOldNonNt;
    return IsNonNt(version.getVersion) ? ClassifyNonNt(version) : ClassifyNt(version);
}

const OsVersion& RunningOsVersion()
{
    static const OsVersion version = AskOsVersion();
    return version;
}

OsFamily RunningOsFamily() { return ClassifyOsFamily(RunningOsVersion()); }

const char* OsFamilyName(int family)
{
    if (family < kOsOldNonNt || family > kOsWindowsXp)
        return "Unknown";
    return kFamilyNames[family];
}
