// Finding, reading and closing the windows a program under test opens, from
// a thread other than the one that runs them (same or other process).
#pragma once

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

// A top-level window of process `processId` (this one by default) whose
// caption is `caption` and that has a child with text `childText` (any when
// null), waited for up to `timeoutMs`; null when none appeared.
HWND WaitForTopWindow(const char* caption, DWORD timeoutMs, const char* childText = nullptr,
                      DWORD processId = GetCurrentProcessId());
// Waits until `hwnd` is no longer a window; false on timeout.
bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs);
// Polls `condition` until it holds; false on timeout.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

// A window's text, read with WM_GETTEXT (works across processes).
std::string WindowText(HWND hwnd);
// The texts of a window's direct children, in Z order.
std::vector<std::string> ChildTexts(HWND hwnd);
// Whether one of `texts` equals `text`.
bool HasText(const std::vector<std::string>& texts, const std::string& text);
// Presses Esc in a dialog the way a user would: a key press posted to it.
void PressEscape(HWND dialog);

// What a watcher saw of a modal window before it closed it.
struct SeenWindow {
    HWND hwnd = nullptr;  // null when the window never appeared
    std::string caption;
    std::vector<std::string> texts;  // of its direct children
    bool closed = false;             // it was gone after the close
};

// Watches for a modal window on its own thread, records its caption and
// texts and closes it with Esc, so that a modal box never hangs a test.
class DialogWatcher {
public:
    explicit DialogWatcher(std::string caption, const char* childText = nullptr, DWORD timeoutMs = 15000);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // Waits for the watcher to finish and answers what it saw.
    const SeenWindow& Result();

private:
    std::string m_caption;
    std::string m_childText;
    bool m_hasChildText;
    DWORD m_timeoutMs;
    SeenWindow m_seen;
    std::thread m_thread;
};
