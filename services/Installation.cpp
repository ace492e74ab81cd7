// Wide calls throughout: the installed folder may hold any name.
#include "services/Installation.h"

#include "services/AppServices.h"
#include "win/OwnedHandle.h"

#include <windows.h>

#include <string>

namespace {

const wchar_t UNINSTALL_KEY[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" APP_TITLE;

// The folder the uninstall entry names in one view of the registry; empty
// when there is none, or no text of a sane length.
std::wstring InstalledLocation(REGSAM view)
{
    CRegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, 0, KEY_QUERY_VALUE | view, key.Receive()) != ERROR_SUCCESS)
        return {};
    wchar_t location[MAX_PATH * 4] = {};
    DWORD bytes = sizeof location;
    // RegGetValue terminates what it reads and refuses every other type.
    const LONG result = RegGetValueW(key.Get(), nullptr, L"InstallLocation", RRF_RT_REG_SZ, nullptr, location, &bytes);
    return result == ERROR_SUCCESS ? location : std::wstring();
}

// A folder's identity on its volume: the same folder by any spelling (short
// names, case, a trailing backslash) gives the same answer.
bool FolderIdentity(const std::wstring& folder, BY_HANDLE_FILE_INFORMATION& identity)
{
    const CKernelHandle handle(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle && GetFileInformationByHandle(handle.Get(), &identity) &&
           (identity.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SameFolder(const std::wstring& one, const std::wstring& other)
{
    BY_HANDLE_FILE_INFORMATION first = {}, second = {};
    return !one.empty() && !other.empty() && FolderIdentity(one, first) && FolderIdentity(other, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

std::wstring OwnFolder()
{
    const std::wstring path = OwnProgramPath();
    const size_t lastBackslash = path.find_last_of(L'\\');
    return lastBackslash == std::wstring::npos ? std::wstring() : path.substr(0, lastBackslash + 1);
}

}  // namespace

std::wstring OwnProgramPath()
{
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size())));
    return path;
}

bool RunsFromInstalledFolder()
{
    const std::wstring folder = OwnFolder();
    return SameFolder(folder, InstalledLocation(KEY_WOW64_32KEY)) ||
           SameFolder(folder, InstalledLocation(KEY_WOW64_64KEY));
}
