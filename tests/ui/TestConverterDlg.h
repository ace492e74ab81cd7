// The main dialog run on a thread of its own inside a test, with its inner
// state reachable, so that the test thread drives it with messages like a
// user and reads the results.
#pragma once

#include "ui/ConverterDlg.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

// Asks the dialog's own thread to run a function (a modal dialog, for one);
// posted or sent. lParam: std::function<void()>* owned by the receiver.
constexpr UINT UWM_TEST_RUN = WM_APP + 77;

class TestConverterDlg : public CConverterDlg {
public:
    using CConverterDlg::m_batchWorker;
    using CConverterDlg::m_settingsPanel;
    using CConverterDlg::m_startupWorker;
    using CConverterDlg::m_strOutDir;

    // Enabled states of the controls when the start-up worker's first call
    // (the window title) arrives: the worker has changed nothing yet.
    struct Snapshot {
        bool taken = false;
        bool add, remove, convert, stop, exit, browse;
        bool radiosAllOn, radiosAllOff, optionsAllOn, optionsAllOff;
        bool aviChecked;
    };
    Snapshot m_initialState{};

    static Snapshot TakeSnapshot(HWND dialog);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// Runs a TestConverterDlg modally on its own thread until it ends.
class DialogHost {
public:
    // `skinFile`: the skin the dialog's thread wears (see the source for the default).
    explicit DialogHost(const char* skinFile = nullptr);
    ~DialogHost();  // ends the dialog when it still runs, then joins the thread
    DialogHost(const DialogHost&) = delete;
    DialogHost& operator=(const DialogHost&) = delete;

    // Waits for the window and the end of the start-up worker; false on timeout.
    bool WaitUntilIdle(DWORD timeoutMs = 20000);
    HWND Hwnd() const { return m_hwnd; }
    bool IsSkinned() const { return m_bSkinned; }
    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }
    TestConverterDlg& Dialog() { return *m_dialog; }
    // Clicks a button of the dialog (a BN_CLICKED command); sent, or posted when the click opens a modal window.
    void Click(int id, bool post = false);
    // Runs `work` on the dialog's thread; `wait` false returns at once (for
    // work that opens a modal window).
    void RunOnDialogThread(std::function<void()> work, bool wait = false);
    // Waits until the dialog's thread has handled every message posted to it
    // so far; false when the dialog ended first or the wait timed out.
    bool HandlePostedMessages(DWORD timeoutMs = 20000);
    // Ends the dialog (EXIT), waits for the thread, and keeps the object
    // alive until DestroyDialog so that its destruction can be observed.
    void EndAndJoin();
    void DestroyDialog();

private:
    TestConverterDlg* m_dialog = nullptr;  // owned; lives until DestroyDialog
    HWND m_hwnd = nullptr;
    std::atomic<bool> m_bSkinned{false};
    std::thread m_thread;
};
