#include "support/HostProcess.h"

#include <windows.h>

#include <vector>

namespace {

using UnixSpawn = LONG(__cdecl*)(char* const argv[], int wait);
using UnixFileName = char*(__cdecl*)(const wchar_t* dosPath);

template <typename Function>
Function WineExport(const char* dll, const char* name)
{
    HMODULE module = GetModuleHandleA(dll);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

bool RunningUnderWine() { return WineExport<UnixSpawn>("ntdll.dll", "__wine_unix_spawnvp") != nullptr; }

bool RunHostShell(const std::string& command)
{
    const auto spawn = WineExport<UnixSpawn>("ntdll.dll", "__wine_unix_spawnvp");
    if (!spawn)
        return false;
    std::string shell = "/bin/sh";
    std::string option = "-c";
    std::string text = command;
    char* argv[] = {&shell[0], &option[0], &text[0], nullptr};
    return spawn(argv, 1) == 0;
}

std::string HostPathOf(const std::string& windowsPath)
{
    const auto toUnix = WineExport<UnixFileName>("kernel32.dll", "wine_get_unix_file_name");
    if (!toUnix)
        return std::string();
    std::wstring wide(windowsPath.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, &wide[0],
                                    static_cast<int>(wide.size())));
    char* unixPath = toUnix(wide.c_str());
    if (!unixPath)
        return std::string();
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

std::string WindowsPathOfHost(std::string hostPath)
{
    for (char& c : hostPath)
        if (c == '/')
            c = '\\';
    return "Z:" + hostPath;
}
