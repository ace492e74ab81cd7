#include "support/ModalWatcher.h"

namespace {

<<<<<<< HEAD
std::string WindowText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassName(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || ClassName(window) != "#32770")
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

BOOL CALLBACK FindText(HWND child, LPARAM text)
{
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (ClassName(child) != "Static" || (style & SS_TYPEMASK) == SS_ICON)
        return TRUE;
    std::string childText = WindowText(child);
    if (childText.empty())
        return TRUE;
    *reinterpret_cast<std::string*>(text) = childText;
    return FALSE;
}

}  // namespace

ModalWatcher::ModalWatcher(DWORD timeoutMs, int button) : m_thread(&ModalWatcher::Watch, this, timeoutMs, button) {}

ModalWatcher::~ModalWatcher()
{
    if (m_thread.joinable())
        m_thread.join();
}

ModalReport ModalWatcher::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_report;
}

void ModalWatcher::Watch(DWORD timeoutMs, int button)
{
    const DWORD start = GetTickCount();
    HWND dialog = nullptr;
    while (!dialog && GetTickCount() - start < timeoutMs) {
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog)
            Sleep(20);
    }
    if (!dialog)
        return;
    m_report.seen = true;
    m_report.caption = WindowText(dialog);
    EnumChildWindows(dialog, FindText, reinterpret_cast<LPARAM>(&m_report.text));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
=======
struct Search {
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM lp)
{
    auto* search = reinterpret_cast<Search*>(lp);
    char className[16] = {}, caption[256] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    ::GetWindowTextA(hwnd, caption, sizeof caption);
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process == ::GetCurrentProcessId() && ::IsWindowVisible(hwnd) && lstrcmpA(className, "#32770") == 0 &&
        lstrcmpA(caption, search->caption) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A message box shows its text in the static control with id 0xFFFF.
std::string BoxText(HWND box)
{
    char text[1024] = {};
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

}  // namespace

ModalWatcher::ModalWatcher(const char* caption) : m_wanted(caption)
{
    m_hClosed = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_hThread = ::CreateThread(nullptr, 0, &ModalWatcher::Watch, this, 0, nullptr);
}

ModalWatcher::~ModalWatcher()
{
    ::InterlockedExchange(&m_bStop, 1);
    ::WaitForSingleObject(m_hThread, INFINITE);
    ::CloseHandle(m_hThread);
    ::CloseHandle(m_hClosed);
}

bool ModalWatcher::WaitForBox(DWORD milliseconds)
{
    return ::WaitForSingleObject(m_hClosed, milliseconds) == WAIT_OBJECT_0;
}

bool ModalWatcher::CloseBoxIfShown()
{
    Search search{m_wanted.c_str(), nullptr};
    ::EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return false;
    char caption[256] = {};
    ::GetWindowTextA(search.found, caption, sizeof caption);
    m_caption = caption;
    m_text = BoxText(search.found);
    ::PostMessageA(search.found, WM_COMMAND, IDOK, 0);
    return true;
}

DWORD WINAPI ModalWatcher::Watch(void* param)
{
    auto* self = static_cast<ModalWatcher*>(param);
    while (!self->m_bStop) {
        if (::WaitForSingleObject(self->m_hClosed, 0) != WAIT_OBJECT_0 && self->CloseBoxIfShown())
            ::SetEvent(self->m_hClosed);
        ::Sleep(50);
    }
    return 0;
>>>>>>> refs/heads/ui
}
