// Watches for a modal dialog or message box of this process, reads its
// caption and text, closes it and reports both, so that no test hangs on a
// modal loop. Start it before the code that shows the box.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
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
    // Stops watching (after at most one more look).
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    // Waits for the watch to end and tells what was found.
    ModalReport Wait();

private:
    void Watch(DWORD timeoutMs, int button);

    std::atomic<bool> m_bStop{false};  // asks the watching thread to end
    ModalReport m_report;              // written by the watching thread, read after the join
    std::thread m_thread;
};
