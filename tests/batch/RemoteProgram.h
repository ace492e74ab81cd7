// Drives the converter from outside, as its user would: starts the program,
// clicks its controls, answers its dialogs and reads its list and progress
// bar across the process boundary.
#pragma once

#include "support/ProcessTag.h"

#include <windows.h>

#include <string>
#include <vector>

struct RemoteRow {
    std::string path;      // column 0
    std::string duration;  // column 1
    int image = -1;        // image of column 0
    bool selected = false;
};

// A top-level dialog or message box of the program.
struct RemoteDialog {
    HWND hwnd = nullptr;
    std::string caption;
    std::vector<std::string> texts;  // its static texts, in child order
    std::string AllText() const;
};

class RemoteProgram {
public:
    RemoteProgram() = default;
    ~RemoteProgram();
    RemoteProgram(const RemoteProgram&) = delete;
    RemoteProgram& operator=(const RemoteProgram&) = delete;

    // Starts the program at the host path `exePath` with the error entries
    // of its event log written to `errorLogPath` (a Windows path) and waits
    // until its window is idle. A test running in a Wine virtual desktop
    // starts it in the same desktop. What it starts ends with this object.
    // `arguments` go on its command line, each quoted.
    bool Start(const std::string& exePath, const std::string& errorLogPath,
               const std::vector<std::string>& arguments = {});
    // Drives a main window of this process (a dialog run by the test itself).
    bool Attach(DWORD timeoutMs);
    // Ends the program through EXIT and waits for it.
    void Quit();

    HWND Window() const { return m_hWnd; }
    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }
    void Click(int id) const;
    bool IsEnabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    // Waits until Add is enabled again (the idle state).
    bool WaitUntilIdle(DWORD timeoutMs) const;
    int ProgressPosition() const;
    void SetChecked(int id, bool checked) const;

    // The rows as the list shows them now. A read that fails half-way (the
    // program has gone) is a test failure; the rows read so far are kept.
    std::vector<RemoteRow> Rows() const;
    // Selects exactly the given rows.
    void SelectRows(const std::vector<int>& rows) const;
    // Clicks a heading of the source list (the messages a mouse click makes).
    void ClickHeading(int column) const;
    HWND Heading() const;
    // Waits until the list holds `count` rows, each with its probed duration.
    bool WaitForProbedRows(size_t count, DWORD timeoutMs) const;

    // Waits for a visible top-level dialog of the program; with `caption`,
    // only one with that caption. A null hwnd when none appeared.
    RemoteDialog WaitForDialog(DWORD timeoutMs, const char* caption = nullptr) const;
    // Any dialog of the program that is showing now.
    RemoteDialog CurrentDialog() const { return WaitForDialog(0); }
    static void Close(const RemoteDialog& dialog, int button);

    // Drops `paths` on the window as Explorer does: a DROPFILES block in the
    // program's memory (the program's DragFinish cannot free it: it goes
    // with the program) and a posted WM_DROPFILES.
    void DropFiles(const std::vector<std::string>& paths) const;

    // Clicks Add and chooses `names` in `folder` in the open-file dialog;
    // `confirmedAt` receives the tick count at which the choice was confirmed.
    bool AddFiles(const std::string& folder, const std::vector<std::string>& names,
                  DWORD* confirmedAt = nullptr) const;

private:
    void MoveAside() const;
    // Points the open-file dialog at `folder`; false when it never got there.
    bool ShowFolder(HWND open, HWND edit, const std::string& folder) const;

    HANDLE m_hProcess = nullptr;  // owned: closed at destruction
    bool m_bStarted = false;      // started here, so ended here when it outlives the test
    ProcessTag m_tag;             // carried by the started program and all it starts
    DWORD m_dwProcessId = 0;
    HWND m_hWnd = nullptr;
};

// Texts of the program's error entries that reached `errorLogPath`.
std::vector<std::string> LoggedErrors(const std::string& errorLogPath);
