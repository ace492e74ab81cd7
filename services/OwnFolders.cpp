// Apart from the program directory, so that vec.exe, which needs only that,
// does not load the shell.
#include "services/AppServices.h"
#include "services/Installation.h"

#include "win/OwnedHandle.h"
#include "services/AnsiPath.h"

#include <shlobj.h>


namespace {

struct OwnFolders {
    std::string ownFiles;
    std::string defaultOutput;
};

std::string WithTrailingBackslash(std::string folder)
{
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

// A folder of the current user known to the shell, made first when `create`;
// empty when there is none. The older call is in every shell the program
// runs on, so that its import never keeps the program from loading.
std::string ShellFolder(int csidl, bool create)
{
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, create ? TRUE : FALSE) || !path[0])
        return {};
    return WithTrailingBackslash(path);
}

// Without a per-user folder nothing is better than the program's own.
std::string PerUserFilesFolder(const std::string& programDir)
{
    const std::string localData = ShellFolder(CSIDL_LOCAL_APPDATA, true);
    if (localData.empty())
        return programDir;
    const std::string folder = localData + APP_TITLE "\\";
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return programDir;
    return folder;
}

std::string UserVideoFolder(const std::string& programDir)
{
    for (int csidl : {CSIDL_MYVIDEO, CSIDL_PERSONAL}) {
        const std::string folder = ShellFolder(csidl, false);
        if (!folder.empty())
            return folder;
    }
    return programDir;
}

OwnFolders DecideOwnFolders()
{
    const std::string programDir = GetProgramDir();
    // An installed program's folder is shared by every user of the computer
    // (and the trace names their media), even where they may all write to it.
    if (!RunsFromInstalledFolder() && FolderAcceptsFiles(programDir))
        return {programDir, programDir};
    return {PerUserFilesFolder(programDir), UserVideoFolder(programDir)};
}

const OwnFolders& Decided()
{
    static const OwnFolders folders = DecideOwnFolders();
    return folders;
}

}  // namespace

bool FolderAcceptsFiles(const std::string& folder)
{
    // Unique to the thread and the moment, and gone when closed.
    const std::string probe = WithTrailingBackslash(folder) + "~vodrix-" + std::to_string(GetCurrentProcessId()) +
                              "-" + std::to_string(GetCurrentThreadId()) + "-" + std::to_string(GetTickCount()) +
                              ".tmp";
    const CKernelHandle file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return static_cast<bool>(file);
}

// Listed in wide characters: the ANSI listing turns a name outside the code
// page into question marks, which open nothing.
std::vector<std::string> FilesInFolder(const std::string& folder, const char* pattern)
{
    const std::wstring prefix = WideFromCodePage(WithTrailingBackslash(folder));
    std::vector<std::string> files;
    WIN32_FIND_DATAW found;
    const CFileSearch search(FindFirstFileW((prefix + WideFromCodePage(pattern)).c_str(), &found));
    if (!search)
        return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back(AnsiPath(prefix + found.cFileName));
    } while (FindNextFileW(search.Get(), &found));
    return files;
}

const std::string& GetOwnFilesDir() { return Decided().ownFiles; }

const std::string& GetDefaultOutputDir() { return Decided().defaultOutput; }

std::string GetUserSkinsDir()
{
    const std::string roaming = ShellFolder(CSIDL_APPDATA, false);
    return roaming.empty() ? std::string() : roaming + APP_TITLE "\\Skins\\";
}
