#include "COMMON/RunFiles.h"

#include "win/OwnedHandle.h"

#include <windows.h>

namespace {

// How long a removal waits for a process that just ended to let go of the
// file: under Wine its handles close a moment after its end is signalled.
constexpr DWORD RELEASE_WAIT_MS = 2000;
constexpr DWORD RELEASE_POLL_MS = 20;
// Names tried before a folder is given up as one that takes no new file.
constexpr unsigned UNIQUE_NAME_TRIES = 1000;

bool NameTaken(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

std::string FreeOutputName(const std::string& stem, const std::string& extension)
{
    if (!NameTaken(stem + extension))
        return stem + extension;
    for (int number = 2; number <= MAX_OUTPUT_NUMBER; ++number) {
        const std::string name = stem + " (" + std::to_string(number) + ")" + extension;
        if (!NameTaken(name))
            return name;
    }
    return std::string();
}

bool RunFile::CreateNew(const std::string& path)
{
    Remove();
    CKernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    m_path = path;
    return true;
}

bool RunFile::CreateUnique(const std::string& folder, const char* prefix, const char* extension)
{
    const std::string stem = folder + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-";
    for (unsigned number = 1; number <= UNIQUE_NAME_TRIES; ++number) {
        if (CreateNew(stem + std::to_string(number) + extension))
            return true;
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}

bool RunFile::HoldsData() const
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return !m_path.empty() && GetFileAttributesExA(m_path.c_str(), GetFileExInfoStandard, &data) &&
           !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && (data.nFileSizeLow || data.nFileSizeHigh);
}

void RunFile::Remove()
{
    if (m_path.empty())
        return;
    for (DWORD waited = 0; !DeleteFileA(m_path.c_str()) && GetLastError() == ERROR_SHARING_VIOLATION &&
                           waited < RELEASE_WAIT_MS;
         waited += RELEASE_POLL_MS)
        Sleep(RELEASE_POLL_MS);
    m_path.clear();
}
