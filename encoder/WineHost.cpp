#include "encoder/WineHost.h"

#include <windows.h>

WineHost::WineHost()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    if (ntdll && kernel32) {
        m_spawn = reinterpret_cast<SpawnFunction>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "__wine_unix_spawnvp")));
        m_unixFileName = reinterpret_cast<UnixFileNameFunction>(
            reinterpret_cast<void*>(GetProcAddress(kernel32, "wine_get_unix_file_name")));
    }
}

bool WineHost::Spawn(const std::vector<std::string>& argv, bool wait) const
{
    std::vector<std::string> copies(argv);
    std::vector<char*> pointers;
    for (std::string& argument : copies)
        pointers.push_back(&argument[0]);
    pointers.push_back(nullptr);
    return m_spawn && m_spawn(pointers.data(), wait ? 1 : 0) >= 0;
}

std::string WineHost::HostPath(const std::string& windowsPath) const
{
    int length = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    if (!m_unixFileName || length <= 0)
        return "";
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, &wide[0], length);
    char* hostPath = m_unixFileName(wide.c_str());
    if (!hostPath)
        return "";
    std::string result(hostPath);
    HeapFree(GetProcessHeap(), 0, hostPath);
    return result;
}
