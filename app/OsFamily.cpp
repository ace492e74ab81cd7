#include "app/OsFamily.h"

#include <cstdio>
#include <memory>
#include <new>

namespace {

const char* const FAMILY_NAMES[] = {"Win32s", "WinNT3", "Win95", "Win98", "WinME", "WinNT4", "Win2000", "WinXP"};

// The size field of the version record the family is read from.
constexpr DWORD VERSION_RECORD_BYTES = 148;
static_assert(sizeof(OSVERSIONINFOA) == VERSION_RECORD_BYTES, "the version record is 148 bytes");

bool IsNonNtBranch(DWORD packedVersion) { return (packedVersion & 0x80000000u) != 0; }

int ClassifyNonNt(const OSVERSIONINFOA& info)
{
    if (info.dwMajorVersion < 4)
        return OS_WIN32S;
    if (info.dwMajorVersion == 4 && info.dwMinorVersion == 10)
        return OS_WIN98;
    if (info.dwMajorVersion == 4 && info.dwMinorVersion == 90)
        return OS_WINME;
    return OS_WIN95;
}

int ClassifyNt(const OSVERSIONINFOA& info)
{
    if (info.dwMajorVersion == 4)
        return OS_WINNT4;
    if (info.dwMajorVersion == 5 && info.dwMinorVersion == 0)
        return OS_WIN2000;
    if (info.dwMajorVersion == 5 && info.dwMinorVersion == 1)
        return OS_WINXP;
    return OS_WINNT3;
}

int DetectOsFamily()
{
    const DWORD packed = GetVersion();
    std::unique_ptr<OSVERSIONINFOA> info(new (std::nothrow) OSVERSIONINFOA());
    if (info) {
        info->dwOSVersionInfoSize = VERSION_RECORD_BYTES;
        GetVersionExA(info.get());
    }
    const int family = ClassifyOsFamily(packed, info.get());
    std::fprintf(stderr, "OS:%s\n", OsFamilyName(family));
    return family;
}

}  // namespace

int g_nOsFamily = DetectOsFamily();

int ClassifyOsFamily(DWORD packedVersion, const OSVERSIONINFOA* info)
{
    if (IsNonNtBranch(packedVersion))
        return info ? ClassifyNonNt(*info) : OS_WIN95;
    return info ? ClassifyNt(*info) : OS_WINNT3;
}

const char* OsFamilyName(int family)
{
    if (family < OS_WIN32S || family > OS_WINXP)
        return "Unknown";
    return FAMILY_NAMES[family];
}
