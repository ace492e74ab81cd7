#include "support/ModalWatcher.h"

#include "support/WindowText.h"

namespace {

BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || ClassNameOf(window) != "#32770")
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
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

void ModalWatcher::Watch(DWORD timeoutMs, int button)
{
    const DWORD start = GetTickCount();
    HWND found = nullptr;
    while (!found && !m_bStop && GetTickCount() - start < timeoutMs) {
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&found));
        if (!found)
            Sleep(20);
    }
    if (!found)
        return;
    m_report.seen = true;
    m_report.caption = WindowTextOf(found);
    EnumChildWindows(found, FindText, reinterpret_cast<LPARAM>(&m_report.text));
    PostMessageA(found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}
