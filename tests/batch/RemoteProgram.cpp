#include "RemoteProgram.h"

#include "res/resource.h"
#include "support/HostProcess.h"
#include "support/WindowText.h"
#include "support/WindowWatch.h"

#include <commctrl.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

constexpr DWORD POLL_MS = 20;
constexpr int FILE_NAME_BOX = 0x47C;

// Memory inside the program, for the list-view messages that carry pointers.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, size_t size)
        : m_hProcess(process), m_pBase(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE))
    {
    }
    ~RemoteMemory()
    {
        if (m_pBase)
            VirtualFreeEx(m_hProcess, m_pBase, 0, MEM_RELEASE);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool Valid() const { return m_pBase != nullptr; }
    char* At(size_t offset) const { return static_cast<char*>(m_pBase) + offset; }
    bool Write(size_t offset, const void* data, size_t size) const
    {
        return m_pBase && WriteProcessMemory(m_hProcess, At(offset), data, size, nullptr);
    }
    bool Read(size_t offset, void* data, size_t size) const
    {
        SIZE_T read = 0;
        return m_pBase && ReadProcessMemory(m_hProcess, At(offset), data, size, &read) && read == size;
    }

private:
    HANDLE m_hProcess;  // borrowed
    void* m_pBase;      // owned: released at destruction
};

constexpr size_t TEXT_OFFSET = 256;
constexpr int TEXT_CHARS = 1024;

struct DialogSearch {
    DWORD processId;
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindProgramDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->processId || !IsWindowVisible(window) || ClassNameOf(window) != "#32770")
        return TRUE;
    if (search->caption && WindowTextOf(window) != search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param)
{
    if (ClassNameOf(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
        const std::string text = WindowTextOf(child);
        if (!text.empty())
            reinterpret_cast<std::vector<std::string>*>(param)->push_back(text);
    }
    return TRUE;
}

BOOL CALLBACK CollectMainWindows(HWND window, LPARAM param)
{
    if (WindowTextOf(window) == "Vodrix Video Converter" && GetDlgItem(window, IDC_SOURCE_LIST))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> MainWindows()
{
    std::vector<HWND> windows;
    EnumWindows(CollectMainWindows, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Other suites show converter windows on the same display; the program
// started here is the one that carries the tag.
bool BelongsToTaggedProcess(HWND window, const ProcessTag& tag)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == GetCurrentProcessId())
        return false;
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process)
        return false;
    const bool tagged = CarriesTag(process, tag);
    CloseHandle(process);
    return tagged;
}

// Types `text` into the open-file dialog's name box and presses Open.
void Confirm(HWND open, HWND edit, const std::string& text)
{
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

std::string WithoutTrailingBackslash(std::string path)
{
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

template <typename Condition>
bool WaitFor(DWORD timeoutMs, Condition condition)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(POLL_MS);
    }
}

using UnixSpawn = LONG(__cdecl*)(char* const argv[], int wait);

// Starts a host shell command without waiting for it.
bool StartHostShell(std::string command)
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    const auto spawn =
        reinterpret_cast<UnixSpawn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "__wine_unix_spawnvp")));
    if (!spawn)
        return false;
    std::string shell = "/bin/sh";
    std::string option = "-c";
    char* argv[] = {&shell[0], &option[0], &command[0], nullptr};
    return spawn(argv, 0) == 0;
}

// How the host starts the program: in the Wine virtual desktop of the test
// when it runs in one, so that the test sees the program's windows.
std::string WineLauncher()
{
    char name[256] = {};
    const HDESK desktop = GetThreadDesktop(GetCurrentThreadId());
    if (!GetUserObjectInformationA(desktop, UOI_NAME, name, sizeof name, nullptr) || lstrcmpiA(name, "Default") == 0)
        return "wine";
    return std::string("wine explorer /desktop=") + name + ",1024x768";
}

}  // namespace

std::string RemoteDialog::AllText() const
{
    std::string all;
    for (const std::string& text : texts)
        all += text + "\n";
    return all;
}

RemoteProgram::~RemoteProgram()
{
    if (m_hProcess)
        CloseHandle(m_hProcess);
    // The program if it is still there, and an encoder it left running.
    if (!m_tag.value.empty())
        EndTaggedProcesses(m_tag);
}

// Wine writes a program's debug channels to the standard error of the host
// process it runs in, so the program is started through the host's shell,
// which sends that output to the log and opens the event log's error channel.
bool RemoteProgram::Start(const std::string& exePath, const std::string& errorLogPath,
                          const std::vector<std::string>& arguments)
{
    DeleteFileA(errorLogPath.c_str());
    const std::string log = HostPathOf(errorLogPath);
    m_tag = ProcessTag::Unique("VODRIX_PROGRAM_TAG");
    std::string quoted;
    for (const std::string& argument : arguments)
        quoted += " '" + argument + "'";
    if (log.empty() || !StartHostShell(m_tag.Entry() + " WINEDEBUG=-all,err+eventlog exec " + WineLauncher() + " '" +
                                       exePath + "'" + quoted + " >/dev/null 2>'" + log + "'"))
        return false;
    WaitFor(60000, [&] {
        for (HWND window : MainWindows())
            if (BelongsToTaggedProcess(window, m_tag))
                m_hWnd = window;
        return m_hWnd != nullptr;
    });
    if (!m_hWnd)
        return false;
    GetWindowThreadProcessId(m_hWnd, &m_dwProcessId);
    m_hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, m_dwProcessId);
    m_bStarted = m_hProcess != nullptr;
    MoveAside();
    return m_bStarted && WaitUntilIdle(60000);
}

bool RemoteProgram::Attach(DWORD timeoutMs)
{
    WaitFor(timeoutMs, [&] {
        for (HWND window : MainWindows()) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId())
                m_hWnd = window;
        }
        return m_hWnd != nullptr;
    });
    m_dwProcessId = GetCurrentProcessId();
    m_hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, m_dwProcessId);
    MoveAside();
    return m_hWnd && m_hProcess && WaitUntilIdle(timeoutMs);
}

// Suites run side by side on one display and put their windows near its
// top left corner; out of their way, no click or hover of theirs lands here.
void RemoteProgram::MoveAside() const
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    RECT rect = {};
    GetWindowRect(m_hWnd, &rect);
    SetWindowPos(m_hWnd, nullptr, width - (rect.right - rect.left), height - (rect.bottom - rect.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RemoteProgram::Quit()
{
    if (!m_hWnd)
        return;
    // EXIT is refused while the last run's worker is still ending: ask again.
    const bool ended = WaitFor(20000, [&] {
        Click(IDC_EXIT);
        return WaitFor(500, [&] {
            return !IsWindow(m_hWnd) && (!m_bStarted || WaitForSingleObject(m_hProcess, 0) == WAIT_OBJECT_0);
        });
    });
    if (!ended && m_bStarted)
        TerminateProcess(m_hProcess, 1);
}

void RemoteProgram::Click(int id) const
{
    PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
}

bool RemoteProgram::WaitUntilIdle(DWORD timeoutMs) const
{
    return WaitFor(timeoutMs, [&] { return IsEnabled(IDC_ADD) && IsEnabled(IDC_CONVERT); });
}

int RemoteProgram::ProgressPosition() const
{
    return static_cast<int>(SendMessageA(Item(IDC_PROGRESS), PBM_GETPOS, 0, 0));
}

void RemoteProgram::SetChecked(int id, bool checked) const
{
    SendMessageA(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::vector<RemoteRow> RemoteProgram::Rows() const
{
    const HWND list = Item(IDC_SOURCE_LIST);
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    RemoteMemory memory(m_hProcess, TEXT_OFFSET + TEXT_CHARS);
    std::vector<RemoteRow> rows;
    auto failed = [&] {
        ADD_FAILURE() << "the program's list could not be read: " << rows.size() << " of " << count << " rows";
        return rows;
    };
    for (int row = 0; row < count; ++row) {
        RemoteRow result;
        for (int column = 0; column < 2; ++column) {
            LVITEMA item = {};
            item.mask = LVIF_TEXT | LVIF_IMAGE;
            item.iItem = row;
            item.iSubItem = column;
            item.pszText = memory.At(TEXT_OFFSET);
            item.cchTextMax = TEXT_CHARS;
            char text[TEXT_CHARS] = {};
            if (!memory.Write(0, &item, sizeof item))
                return failed();
            // The list may have lost rows since it was counted.
            if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory.At(0))))
                return rows;
            if (!memory.Read(0, &item, sizeof item) || !memory.Read(TEXT_OFFSET, text, sizeof text - 1))
                return failed();
            (column == 0 ? result.path : result.duration) = text;
            if (column == 0)
                result.image = item.iImage;
        }
        result.selected = SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED;
        rows.push_back(result);
    }
    return rows;
}

void RemoteProgram::SelectRows(const std::vector<int>& rows) const
{
    const HWND list = Item(IDC_SOURCE_LIST);
    RemoteMemory memory(m_hProcess, sizeof(LVITEMA));
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    memory.Write(0, &item, sizeof item);
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(memory.At(0)));
    item.state = LVIS_SELECTED;
    memory.Write(0, &item, sizeof item);
    for (int row : rows)
        SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(memory.At(0)));
}

void RemoteProgram::ClickHeading(int column) const
{
    const HWND header = Heading();
    RemoteMemory memory(m_hProcess, sizeof(RECT));
    RECT rect = {};
    if (!memory.Valid() || !SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(memory.At(0))) ||
        !memory.Read(0, &rect, sizeof rect)) {
        ADD_FAILURE() << "no heading " << column << " in the program's list";
        return;
    }
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(header, WM_LBUTTONUP, 0, point);
}

HWND RemoteProgram::Heading() const
{
    return reinterpret_cast<HWND>(SendMessageA(Item(IDC_SOURCE_LIST), LVM_GETHEADER, 0, 0));
}

bool RemoteProgram::WaitForProbedRows(size_t count, DWORD timeoutMs) const
{
    return WaitFor(timeoutMs, [&] {
        const std::vector<RemoteRow> rows = Rows();
        if (rows.size() != count)
            return false;
        for (const RemoteRow& row : rows)
            if (row.duration.empty())
                return false;
        return true;
    });
}

RemoteDialog RemoteProgram::WaitForDialog(DWORD timeoutMs, const char* caption) const
{
    DialogSearch search{m_dwProcessId, caption, nullptr};
    WaitFor(timeoutMs, [&] {
        EnumWindows(FindProgramDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr && search.found != m_hWnd;
    });
    RemoteDialog dialog;
    if (!search.found || search.found == m_hWnd)
        return dialog;
    dialog.hwnd = search.found;
    dialog.caption = WindowTextOf(search.found);
    EnumChildWindows(search.found, CollectStaticText, reinterpret_cast<LPARAM>(&dialog.texts));
    return dialog;
}

void RemoteProgram::Close(const RemoteDialog& dialog, int button)
{
    PostMessageA(dialog.hwnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    WaitFor(30000, [&] { return !IsWindow(dialog.hwnd); });
}

void RemoteProgram::DropFiles(const std::vector<std::string>& paths) const
{
    std::string block(sizeof(DROPFILES), '\0');
    reinterpret_cast<DROPFILES*>(&block[0])->pFiles = sizeof(DROPFILES);
    for (const std::string& path : paths)
        block += path + '\0';
    block += '\0';
    void* memory = VirtualAllocEx(m_hProcess, nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(nullptr, memory);
    ASSERT_TRUE(WriteProcessMemory(m_hProcess, memory, block.data(), block.size(), nullptr));
    ASSERT_TRUE(PostMessageA(m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0));
}

bool RemoteProgram::AddFiles(const std::string& folder, const std::vector<std::string>& names,
                             DWORD* confirmedAt) const
{
    Click(IDC_ADD);
    const RemoteDialog open = WaitForDialog(30000, "Open");
    if (!open.hwnd)
        return false;
    // Text typed before the dialog has shown its first folder would be wiped.
    const HWND view = FindWindowExA(open.hwnd, nullptr, "SHELLDLL_DefView", nullptr);
    const HWND files = FindWindowExA(view, nullptr, "SysListView32", nullptr);
    if (!WaitFor(30000, [&] { return SendMessageA(files, LVM_GETITEMCOUNT, 0, 0) > 0; }))
        return false;
    const HWND nameBox = GetDlgItem(open.hwnd, FILE_NAME_BOX);
    HWND edit = FindWindowExA(nameBox, nullptr, "Edit", nullptr);
    if (!edit)
        edit = nameBox;
    if (!ShowFolder(open.hwnd, edit, folder))
        return false;
    std::string selection;
    for (const std::string& name : names)
        selection += (names.size() > 1 ? "\"" + name + "\" " : name);
    Confirm(open.hwnd, edit, selection);
    if (confirmedAt)
        *confirmedAt = GetTickCount();
    return WaitFor(30000, [&] { return !IsWindow(open.hwnd); });
}

bool RemoteProgram::ShowFolder(HWND open, HWND edit, const std::string& folder) const
{
    const std::string wanted = WithoutTrailingBackslash(folder);
    // The program asks for its open-file dialog in wide characters, which is
    // how the dialog then answers, whatever way it is asked.
    RemoteMemory memory(m_hProcess, MAX_PATH * sizeof(wchar_t));
    auto shown = [&] {
        wchar_t wide[MAX_PATH] = {};
        char path[MAX_PATH] = {};
        return memory.Valid() &&
               SendMessageA(open, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(memory.At(0))) > 0 &&
               memory.Read(0, wide, sizeof wide - sizeof(wchar_t)) &&
               WideCharToMultiByte(CP_ACP, 0, wide, -1, path, MAX_PATH, nullptr, nullptr) > 0 &&
               lstrcmpiA(WithoutTrailingBackslash(path).c_str(), wanted.c_str()) == 0;
    };
    if (shown())
        return true;
    // A folder confirmed in the name box is opened, and the box emptied.
    Confirm(open, edit, folder);
    return WaitFor(30000, [&] { return shown() && WindowText(edit).empty(); });
}

std::vector<std::string> LoggedErrors(const std::string& errorLogPath)
{
    std::ifstream log(errorLogPath);
    std::vector<std::string> texts;
    const std::string marker = "ReportEventW L\"";
    for (std::string line; std::getline(log, line);) {
        const size_t start = line.find(marker);
        if (start == std::string::npos)
            continue;
        std::string text;
        // The debug channel escapes backslashes and ends the text with a quote.
        for (size_t i = start + marker.size(); i < line.size() && line[i] != '"'; ++i) {
            if (line[i] == '\\' && i + 1 < line.size())
                ++i;
            text += line[i];
        }
        texts.push_back(text);
    }
    return texts;
}
