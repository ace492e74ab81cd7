<<<<<<< HEAD
// Watches for a modal dialog or message box of this process, reads its
// caption and text, closes it and reports both, so that no test hangs on a
// modal loop. Start it before the code that shows the box.
=======
// Closes the modal message box a test provokes and keeps its caption and
// text, so that no box can hang a test.
>>>>>>> refs/heads/ui
#pragma once

#include <windows.h>

#include <string>
<<<<<<< HEAD
#include <thread>

struct ModalReport {
    bool seen = false;
    std::string caption;
    std::string text;  // the first static text of the dialog that is not an icon
};

class ModalWatcher {
public:
    // Presses `button` on the first visible top-level dialog (class "#32770")
    // of this process that appears within `timeoutMs`.
    explicit ModalWatcher(DWORD timeoutMs = 30000, int button = IDOK);
=======

class ModalWatcher {
public:
    // Starts watching this process's windows for a dialog-class box captioned `caption`.
    explicit ModalWatcher(const char* caption);
    // Stops watching (after at most one more look).
>>>>>>> refs/heads/ui
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

<<<<<<< HEAD
    // Waits for the watch to end and tells what was found.
    ModalReport Wait();

private:
    void Watch(DWORD timeoutMs, int button);

    std::thread m_thread;
    ModalReport m_report;
=======
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
>>>>>>> refs/heads/ui
};
