#include "app/SameProgram.h"

#include "win/OwnedHandle.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <string>

namespace {

// Not in every system the program runs on: looked up, not imported.
using ImageNameCall = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
constexpr DWORD QUERY_LIMITED_INFORMATION = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION, Vista and later
constexpr DWORD LONGEST_PATH = 32768;

SidBytes UserSidOfToken(HANDLE token)
{
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    if (size == 0)
        return {};
    std::vector<BYTE> buffer(size);
    if (!GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        return {};
    const PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
    SidBytes copy(GetLengthSid(sid));
    return CopySid(static_cast<DWORD>(copy.size()), copy.data(), sid) ? copy : SidBytes();
}

SidBytes UserSidOfProcess(HANDLE process)
{
    CKernelHandle token;
    return OpenProcessToken(process, TOKEN_QUERY, token.Receive()) ? UserSidOfToken(token.Get()) : SidBytes();
}

// The long form of a program path, so that a start by its short name still
// compares equal; the path itself when it has none.
std::wstring LongForm(const std::wstring& path)
{
    std::wstring longPath(LONGEST_PATH, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), &longPath[0], LONGEST_PATH);
    if (length == 0 || length >= LONGEST_PATH)
        return path;
    longPath.resize(length);
    return longPath;
}

std::wstring ImageOfProcess(HANDLE process)
{
    static const auto queryImage = reinterpret_cast<ImageNameCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameW")));
    std::wstring path(LONGEST_PATH, L'\0');
    DWORD length = LONGEST_PATH;
    if (!queryImage || !queryImage(process, 0, &path[0], &length))
        length = GetModuleFileNameExW(process, nullptr, &path[0], LONGEST_PATH);
    path.resize(length < LONGEST_PATH ? length : 0);
    return path.empty() ? path : LongForm(path);
}

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

std::wstring OwnImage()
{
    std::wstring path(LONGEST_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], LONGEST_PATH);
    path.resize(length < LONGEST_PATH ? length : 0);
    return path.empty() ? path : LongForm(path);
}

// The limited right reaches a process run as administrator from a normal
// one; systems before Vista know only the full rights.
CKernelHandle OpenForQuery(DWORD processId)
{
    CKernelHandle process(OpenProcess(QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        process.Reset(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    return process;
}

bool InThisSession(DWORD processId)
{
    DWORD theirs = 0, ours = 0;
    return ProcessIdToSessionId(processId, &theirs) && ProcessIdToSessionId(GetCurrentProcessId(), &ours) &&
           theirs == ours;
}

}  // namespace

SidBytes CurrentUserSid() { return UserSidOfProcess(GetCurrentProcess()); }

bool RunsThisProgramForThisUser(DWORD processId)
{
    if (!InThisSession(processId))
        return false;
    const CKernelHandle process = OpenForQuery(processId);
    if (!process)
        return false;
    const std::wstring image = ImageOfProcess(process.Get());
    const SidBytes user = UserSidOfProcess(process.Get());
    const SidBytes ownUser = CurrentUserSid();
    return !image.empty() && _wcsicmp(image.c_str(), OwnImage().c_str()) == 0 && !user.empty() && user == ownUser;
}

// Only processes of the same file name are asked further: opening every
// process of the system would be slow and mostly refused.
bool AnotherProcessRunsThisProgram()
{
    const CKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return true;  // unknown: wait for the window as before
    const std::wstring ownName = FileNameOf(OwnImage());
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
        const bool sameName = _wcsicmp(FileNameOf(entry.szExeFile).c_str(), ownName.c_str()) == 0;
        if (sameName && entry.th32ProcessID != GetCurrentProcessId() && RunsThisProgramForThisUser(entry.th32ProcessID))
            return true;
    }
    return false;
}
