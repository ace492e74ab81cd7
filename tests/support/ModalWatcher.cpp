#include "support/ModalWatcher.h"

#include "support/WindowText.h"

namespace {

struct Search {
    const std::string* caption;  // empty: any
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || ClassNameOf(window) != "#32770")
        return TRUE;
    if (!search->caption->empty() && WindowTextOf(window) != *search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FindText(HWND child, LPARAM text)
{
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (ClassNameOf(child) != "Static" || (style & SS_TYPEMASK) == SS_ICON)
        return TRUE;
    std::string childText = WindowTextOf(child);
    if (childText.empty())
        return TRUE;
    *reinterpret_cast<std::string*>(text) = childText;
    return FALSE;
}

}  // namespace

ModalWatcher::ModalWatcher(DWORD timeoutMs, int button) : m_thread(&ModalWatcher::Watch, this, timeoutMs, button) {}

ModalWatcher::ModalWatcher(const char* caption)
    : m_wanted(caption), m_thread(&ModalWatcher::Watch, this, INFINITE, IDOK)
{
}

ModalWatcher::~ModalWatcher()
{
    m_bStop = true;
    if (m_thread.joinable())
        m_thread.join();
}

ModalReport ModalWatcher::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_report;
}

bool ModalWatcher::WaitForBox(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!m_bSeen && GetTickCount() - start < milliseconds)
        Sleep(10);
    return m_bSeen;
}

void ModalWatcher::Watch(DWORD timeoutMs, int button)
{
    const DWORD start = GetTickCount();
    Search search{&m_wanted, nullptr};
    while (!search.found && !m_bStop && (timeoutMs == INFINITE || GetTickCount() - start < timeoutMs)) {
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(20);
    }
    if (!search.found)
        return;
    m_report.seen = true;
    m_report.caption = WindowTextOf(search.found);
    EnumChildWindows(search.found, FindText, reinterpret_cast<LPARAM>(&m_report.text));
    PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    m_bSeen = true;
}
