#include "ui/Shutdown.h"

#include "COMMON/UniqueHandle.h"

namespace {

ExitWindowsCall g_exitWindows = ExitWindowsEx;

void EnableShutdownPrivilege()
{
    UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.receive()))
        return;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
}

bool OnNtPlatform()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

ExitWindowsCall SetExitWindowsCall(ExitWindowsCall call)
{
    const ExitWindowsCall previous = g_exitWindows;
    g_exitWindows = call ? call : ExitWindowsEx;
    return previous;
}

void ShutdownComputer()
{
    if (OnNtPlatform())
        EnableShutdownPrivilege();
    g_exitWindows(EWX_SHUTDOWN, 0);
}
