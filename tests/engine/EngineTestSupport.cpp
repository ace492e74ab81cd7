#include "EngineTestSupport.h"

#include "support/ImportPatch.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>

namespace {

const char* const SCRIPT_VARIABLE = "VODRIX_TEST_ENCODER_SCRIPT";
const char* const MAIN_CLASS = "VodrixEngineTestMain";

void DeleteFilesIn(const std::string& dir)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileA((dir + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// The recording progress bar: one at a time, used on the test thread only.
std::vector<int> g_positions;
WNDPROC g_barProc = nullptr;

LRESULT CALLBACK RecordingBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == PBM_SETPOS)
        g_positions.push_back(static_cast<int>(wParam));
    return CallWindowProcA(g_barProc, window, message, wParam, lParam);
}

// Tray calls may come from the conversion worker.
std::mutex g_trayMutex;
std::vector<TrayCall> g_trayCalls;
ScopedImportPatch* g_trayPatch = nullptr;

BOOL WINAPI RecordingNotifyIcon(DWORD message, NOTIFYICONDATAA* data)
{
    using NotifyIcon = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAA*);
    const auto real = reinterpret_cast<NotifyIcon>(reinterpret_cast<void*>(g_trayPatch->Original()));
    const BOOL result = real(message, data);
    std::lock_guard<std::mutex> lock(g_trayMutex);
    g_trayCalls.push_back({message, data->hWnd, data->uID, data->uFlags, data->uCallbackMessage, data->cbSize,
                           data->szTip, result});
    return result;
}

}  // namespace

ScratchDir::ScratchDir(const std::string& name)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_path = std::string(temp) + "vodrix_engine_" + name + "\\";
    CreateDirectoryA(m_path.c_str(), nullptr);
    DeleteFilesIn(m_path);
}

ScratchDir::~ScratchDir()
{
    DeleteFilesIn(m_path);
    RemoveDirectoryA(m_path.c_str());
}

EncoderScript::EncoderScript(const ScratchDir& dir, const std::vector<std::string>& steps)
{
    std::string text;
    for (const std::string& step : steps)
        text += step + "\n";
    const std::string path = dir.File("encoder_script.txt");
    WriteFileBytes(path, text);
    SetEnvironmentVariableA(SCRIPT_VARIABLE, path.c_str());
}

EncoderScript::~EncoderScript() { SetEnvironmentVariableA(SCRIPT_VARIABLE, nullptr); }

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

bool PumpUntilFileExists(const std::string& path, DWORD timeoutMs)
{
    return PumpMessagesUntil([&path] { return FileExists(path); }, timeoutMs);
}

MainWindowWithProgress::MainWindowWithProgress(bool trayIcon)
    : m_trayIcon(trayIcon), m_tray(LoadIconA(nullptr, MAKEINTRESOURCEA(32512)))  // IDI_APPLICATION
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = MAIN_CLASS;
    RegisterClassA(&windowClass);
    m_main = CreateWindowA(MAIN_CLASS, "Vodrix Video Converter", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
    m_bar = CreateWindowA(PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 10, 10, 300, 20, m_main, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
    SendMessageA(m_bar, PBM_SETRANGE32, 0, 100);
    g_barProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingBarProc)));
    g_positions.clear();
    m_view.Attach(m_main, m_bar);
    if (m_trayIcon)
        m_tray.Add(m_main);
}

MainWindowWithProgress::~MainWindowWithProgress()
{
    if (m_trayIcon)
        m_tray.Remove();
    DestroyWindow(m_main);
}

int MainWindowWithProgress::Position() const { return static_cast<int>(SendMessageA(m_bar, PBM_GETPOS, 0, 0)); }

const std::vector<int>& MainWindowWithProgress::Positions() const { return g_positions; }

void MainWindowWithProgress::ClearPositions() { g_positions.clear(); }

TrayRecorder::TrayRecorder()
{
    g_trayCalls.clear();
    g_trayPatch = new ScopedImportPatch("shell32.dll", "Shell_NotifyIconA",
                                        reinterpret_cast<const void*>(&RecordingNotifyIcon));
}

TrayRecorder::~TrayRecorder()
{
    delete g_trayPatch;
    g_trayPatch = nullptr;
}

bool TrayRecorder::Active() const { return g_trayPatch && g_trayPatch->Applied(); }

std::vector<TrayCall> TrayRecorder::Calls() const
{
    std::lock_guard<std::mutex> lock(g_trayMutex);
    return g_trayCalls;
}

std::vector<std::string> TrayRecorder::Tips() const
{
    std::vector<std::string> tips;
    for (const TrayCall& call : Calls())
        if (call.message == NIM_MODIFY)
            tips.push_back(call.tip);
    return tips;
}

PumpedWorker::PumpedWorker(std::function<int()> work) : m_work(std::move(work))
{
    m_thread = CreateThread(nullptr, 0, &PumpedWorker::Run, this, 0, nullptr);
}

PumpedWorker::~PumpedWorker() { Finish(); }

DWORD WINAPI PumpedWorker::Run(void* self)
{
    auto* worker = static_cast<PumpedWorker*>(self);
    worker->m_result = worker->m_work();
    return 0;
}

int PumpedWorker::Finish(DWORD timeoutMs)
{
    if (!m_thread)
        return m_result;
    const DWORD start = GetTickCount();
    while (MsgWaitForMultipleObjects(1, &m_thread, FALSE, 50, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        if (GetTickCount() - start > timeoutMs) {
            ADD_FAILURE() << "the work did not end within " << timeoutMs << " ms";
            // Stuck for good: it must not outlive the data it uses.
            TerminateThread(m_thread, 1);
            break;
        }
    }
    CloseHandle(m_thread);
    m_thread = nullptr;
    return m_result;
}

int RunWhilePumping(std::function<int()> work, DWORD timeoutMs)
{
    return PumpedWorker(std::move(work)).Finish(timeoutMs);
}

int CountOpenHandles()
{
    constexpr uintptr_t HANDLE_VALUES_TRIED = 16384;
    int open = 0;
    for (uintptr_t value = 4; value < 4 * HANDLE_VALUES_TRIED; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++open;
    }
    return open;
}

MediaItem AviItem(const std::string& source, const std::string& outputBase, double duration)
{
    MediaItem item = {};
    item.m_nVideoCodec = 0;
    item.m_nVideoBitrate = 800;
    item.m_dFrameRate = 25.0;
    item.m_nAspect = 0;
    item.m_nAudioCodec = 0;
    item.m_nAudioBitrate = 7;
    item.m_nSampleRate = 3;
    item.m_nChannels = 2;
    item.m_nVolume = 256;
    item.m_dDuration = duration;
    strcpy(item.m_szSourcePath, source.c_str());
    strcpy(item.m_szOutputPath, outputBase.c_str());
    item.m_nTarget = TARGET_AVI;
    item.m_nWidth = 320;
    item.m_nHeight = 240;
    return item;
}

std::string ProgressLine(const std::string& seconds)
{
    return "frame= 25 fps= 25 q=2.0 size=120kB time=" + seconds + " bitrate=99.9kbits/s";
}
