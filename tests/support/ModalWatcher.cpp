#include "support/ModalWatcher.h"

namespace {

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
}
