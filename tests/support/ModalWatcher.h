// Closes the modal message box a test provokes and keeps its caption and
// text, so that no box can hang a test.
#pragma once

#include <windows.h>

#include <string>

class ModalWatcher {
public:
    // Starts watching this process's windows for a dialog-class box captioned `caption`.
    explicit ModalWatcher(const char* caption);
    // Stops watching (after at most one more look).
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    // Waits up to `milliseconds` for a box to have been seen and closed.
    bool WaitForBox(DWORD milliseconds);
    const std::string& Caption() const { return m_caption; }
    const std::string& Text() const { return m_text; }

private:
    static DWORD WINAPI Watch(void* self);
    bool CloseBoxIfShown();

    std::string m_wanted;             // caption to look for
    std::string m_caption;            // of the box that was closed
    std::string m_text;               // its message
    HANDLE m_hClosed = nullptr;       // owned: signalled once a box was closed
    volatile LONG m_bStop = 0;        // asks the watching thread to end
    HANDLE m_hThread = nullptr;       // owned: the watching thread
};
