#include "support/ProcessTag.h"

#include "support/HostProcess.h"

#include <winternl.h>

#include <vector>

namespace {

// Where the environment pointer lies in a 32-bit RTL_USER_PROCESS_PARAMETERS,
// right after the command line.
constexpr size_t ENVIRONMENT_POINTER_OFFSET = 0x48;
constexpr size_t PAGE_BYTES = 4096;
constexpr size_t MOST_ENVIRONMENT_CHARS = 1 << 20;

// The environment block of another process, read page by page up to its
// closing empty entry; empty when it cannot be read.
std::wstring EnvironmentBlockOf(HANDLE process)
{
    PROCESS_BASIC_INFORMATION basic = {};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return {};
    PEB peb = {};
    void* environment = nullptr;
    if (!ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) ||
        !ReadProcessMemory(process, reinterpret_cast<const BYTE*>(peb.ProcessParameters) + ENVIRONMENT_POINTER_OFFSET,
                           &environment, sizeof environment, nullptr))
        return {};
    std::wstring block;
    const auto* at = static_cast<const BYTE*>(environment);
    const std::wstring end(2, L'\0');
    while (block.find(end) == std::wstring::npos && block.size() < MOST_ENVIRONMENT_CHARS) {
        wchar_t page[PAGE_BYTES / sizeof(wchar_t)];
        const size_t toPageEnd = PAGE_BYTES - reinterpret_cast<uintptr_t>(at) % PAGE_BYTES;
        SIZE_T read = 0;
        if (!ReadProcessMemory(process, at, page, toPageEnd, &read) || read == 0)
            break;
        block.append(page, read / sizeof(wchar_t));
        at += read;
    }
    return block;
}

}  // namespace

ProcessTag ProcessTag::Unique(const std::string& name)
{
    static LONG made = 0;
    return {name, std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "-" +
                      std::to_string(InterlockedIncrement(&made))};
}

bool CarriesTag(HANDLE process, const ProcessTag& tag)
{
    const std::string entry = tag.Entry();
    const std::wstring wanted(entry.begin(), entry.end());
    const std::wstring block = EnvironmentBlockOf(process);
    for (size_t start = 0; start < block.size() && block[start] != L'\0';) {
        const size_t end = block.find(L'\0', start);
        if (block.compare(start, end - start, wanted) == 0)
            return true;
        start = end == std::wstring::npos ? end : end + 1;
    }
    return false;
}

bool EndTaggedProcesses(const ProcessTag& tag)
{
    return RunHostShell("bash '" VODRIX_TEST_SUPPORT_DIR "/end_tagged.sh' " + tag.name + " " + tag.value);
}
