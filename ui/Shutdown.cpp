#include "ui/Shutdown.h"

#include "win/OwnedHandle.h"

#include <cstdlib>

const char* const SHUTDOWN_SECONDS_VARIABLE = "VODRIX_SHUTDOWN_SECONDS";

namespace {

constexpr int DEFAULT_COUNTDOWN_SECONDS = 30;
constexpr int LONGEST_COUNTDOWN_SECONDS = 3600;

ExitWindowsCall g_exitWindows = ExitWindowsEx;

// AdjustTokenPrivileges succeeds even when the account lacks the
// privilege; only the last error tells.
bool EnableShutdownPrivilege()
{
    CKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive()))
        return false;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        return false;
    return AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr) &&
           GetLastError() != ERROR_NOT_ALL_ASSIGNED;
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

bool ShutdownComputer()
{
    if (OnNtPlatform() && !EnableShutdownPrivilege())
        return false;
    return g_exitWindows(EWX_SHUTDOWN, 0) != FALSE;
}

int ShutdownCountdownSeconds()
{
    char text[16] = {};
    const DWORD length = GetEnvironmentVariableA(SHUTDOWN_SECONDS_VARIABLE, text, sizeof text);
    if (length == 0 || length >= sizeof text)
        return DEFAULT_COUNTDOWN_SECONDS;
    char* end = nullptr;
    const long seconds = std::strtol(text, &end, 10);
    const bool valid = *end == '\0' && seconds >= 1 && seconds <= LONGEST_COUNTDOWN_SECONDS;
    return valid ? static_cast<int>(seconds) : DEFAULT_COUNTDOWN_SECONDS;
}

int CountdownSecondsLeft(int totalSeconds, unsigned long elapsedMs)
{
    const unsigned long totalMs = static_cast<unsigned long>(totalSeconds) * 1000;
    return elapsedMs >= totalMs ? 0 : static_cast<int>((totalMs - elapsedMs + 999) / 1000);
}

std::string ShutdownCountdownText(int secondsLeft)
{
    return "The computer will shut down in " + std::to_string(secondsLeft) +
           (secondsLeft == 1 ? " second." : " seconds.");
}
