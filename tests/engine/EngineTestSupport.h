// What the engine tests share: scripts for the test encoder, scratch files,
// a main window with a recording progress bar and tray icon, and running a
// conversion on a worker thread while the test thread pumps messages.
#pragma once

#include "COMMON/MediaItem.h"
#include "support/MessageSequence.h"
#include "ui/TrayIcon.h"
#include "ui/WindowConvertView.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A scratch folder for one test, emptied on creation and on destruction.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return m_path; }  // with trailing backslash
    std::string File(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

// Writes the script the test encoder follows and points it there through
// its environment variable, which started encoders inherit.
class EncoderScript {
public:
    EncoderScript(const ScratchDir& dir, const std::vector<std::string>& steps);
    ~EncoderScript();
    EncoderScript(const EncoderScript&) = delete;
    EncoderScript& operator=(const EncoderScript&) = delete;
};

bool FileExists(const std::string& path);
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Waits for the file while the calling thread keeps processing messages.
bool PumpUntilFileExists(const std::string& path, DWORD timeoutMs = 30000);

// A top-level main window with a progress bar (range 0 to 100) whose
// position changes are recorded, and optionally the tray icon the dialog
// would own (removing it takes Wine two seconds: share such a window); and
// the view that shows a conversion on them as the dialog's view does.
class MainWindowWithProgress {
public:
    explicit MainWindowWithProgress(bool trayIcon = false);
    ~MainWindowWithProgress();
    MainWindowWithProgress(const MainWindowWithProgress&) = delete;
    MainWindowWithProgress& operator=(const MainWindowWithProgress&) = delete;

    HWND Main() const { return m_main; }
    HWND Bar() const { return m_bar; }
    IConvertView& View() { return m_view; }
    int Position() const;
    // Every position set on the bar, in order.
    const std::vector<int>& Positions() const;
    void ClearPositions();

private:
    HWND m_main = nullptr;
    HWND m_bar = nullptr;
    bool m_trayIcon;
    CTrayIcon m_tray;
    CWindowConvertView m_view{m_tray};
};

// Tips written to the tray icon (NIM_MODIFY calls of this executable) while
// the recorder lives; the calls still reach the shell.
struct TrayCall {
    DWORD message;
    HWND window;
    UINT id;
    UINT flags;
    UINT callbackMessage;
    DWORD size;
    std::string tip;
    BOOL result;
};
class TrayRecorder {
public:
    TrayRecorder();
    ~TrayRecorder();
    TrayRecorder(const TrayRecorder&) = delete;
    TrayRecorder& operator=(const TrayRecorder&) = delete;
    bool Active() const;
    std::vector<TrayCall> Calls() const;
    std::vector<std::string> Tips() const;
};

// Runs `work` on a worker thread; the test thread keeps processing messages
// while it waits (the worker sends progress messages to its windows).
class PumpedWorker {
public:
    explicit PumpedWorker(std::function<int()> work);
    ~PumpedWorker();
    PumpedWorker(const PumpedWorker&) = delete;
    PumpedWorker& operator=(const PumpedWorker&) = delete;

    // The work's result. Fails the test and answers -1 when the work does
    // not end within `timeoutMs`.
    int Finish(DWORD timeoutMs = 60000);

private:
    static DWORD WINAPI Run(void* self);

    std::function<int()> m_work;
    int m_result = -1;
    HANDLE m_thread = nullptr;
};

int RunWhilePumping(std::function<int()> work, DWORD timeoutMs = 60000);

// Number of handles this process holds open. Wine does not count them for
// GetProcessHandleCount, so every possible handle value is tried.
int CountOpenHandles();

// A zero-filled item converting `source` to AVI (xvid, mp3) into `outputBase`.
MediaItem AviItem(const std::string& source, const std::string& outputBase, double duration = 60.0);

// A progress line of the encoder's form for `seconds`.
std::string ProgressLine(const std::string& seconds);
