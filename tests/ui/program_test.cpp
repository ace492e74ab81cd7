// The real program, started as a user starts it: its window, its controls
// against the dialog template, the start-up and idle states, help opened
// for real, and a screenshot kept as an artefact of the run.
#include "MainWindowItems.h"
#include "services/AppServices.h"
#include "res/resource.h"
#include "support/ScreenShot.h"
#include "support/WindowWatch.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

// Enabled states read from window styles only: they can be read while the
// program is held by the debugger and answers no message.
struct EnabledStates {
    bool taken = false;
    bool add, remove, convert, stop, radios, options;
};

bool AnyEnabled(HWND dialog, std::initializer_list<int> ids) { return !AllItems(dialog, ids, false); }

EnabledStates ReadStates(HWND dialog)
{
    EnabledStates s;
    s.taken = true;
    s.add = IsEnabledItem(dialog, IDC_ADD);
    s.remove = IsEnabledItem(dialog, IDC_REMOVE);
    s.convert = IsEnabledItem(dialog, IDC_CONVERT);
    s.stop = IsEnabledItem(dialog, IDC_STOP);
    s.radios = AnyEnabled(dialog, RADIO_IDS);
    s.options = AnyEnabled(dialog, OPTION_IDS);
    return s;
}

// Runs the program under the debugger of this process. Each thread the
// program starts halts it for a moment; the first one started after the
// main window has its title is the start-up worker, so the states read at
// that moment are the start-up state, however fast the worker is.
class ProgramUnderDebugger {
public:
    explicit ProgramUnderDebugger(std::string path) : m_path(std::move(path))
    {
        m_thread = std::thread([this] { Run(); });
    }
    ~ProgramUnderDebugger()
    {
        if (m_hProcess && !m_bExited)
            TerminateProcess(m_hProcess, 1);  // only after a failed check: never leave it running
        m_thread.join();
    }
    ProgramUnderDebugger(const ProgramUnderDebugger&) = delete;
    ProgramUnderDebugger& operator=(const ProgramUnderDebugger&) = delete;

    bool Started() const { return m_bStarted; }
    bool Exited() const { return m_bExited; }
    DWORD ProcessId() const { return m_processId; }
    const EnabledStates& StartupStates() const { return m_startup; }

private:
    void Run()
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        std::string commandLine = "\"" + m_path + "\"";
        if (!CreateProcessA(m_path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                            nullptr, &startup, &process)) {
            m_bExited = true;
            return;
        }
        m_hProcess = process.hProcess;
        m_processId = process.dwProcessId;
        CloseHandle(process.hThread);
        m_bStarted = true;
        DebugLoop();
        CloseHandle(process.hProcess);
    }

    void DebugLoop()
    {
        DEBUG_EVENT event;
        while (WaitForDebugEvent(&event, INFINITE)) {
            DWORD answer = DBG_CONTINUE;
            switch (event.dwDebugEventCode) {
            case CREATE_PROCESS_DEBUG_EVENT: CloseHandle(event.u.CreateProcessInfo.hFile); break;
            case LOAD_DLL_DEBUG_EVENT: CloseHandle(event.u.LoadDll.hFile); break;
            case CREATE_THREAD_DEBUG_EVENT: OnThreadStarted(); break;
            case EXCEPTION_DEBUG_EVENT:
                if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                    answer = DBG_EXCEPTION_NOT_HANDLED;  // the program's own handlers decide
                break;
            default: break;
            }
            const bool exited = event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
            ContinueDebugEvent(event.dwProcessId, event.dwThreadId, answer);
            if (exited)
                break;
        }
        m_bExited = true;
    }

    void OnThreadStarted()
    {
        if (m_startup.taken)
            return;
        if (HWND main = FindOwnMainWindow())
            m_startup = ReadStates(main);
    }

    // The program's main window, not that of another converter on the same
    // display (the dialog suite runs beside this one). No message is sent:
    // the program is stopped at a debug event.
    HWND FindOwnMainWindow() const
    {
        WindowSearch search{m_processId, nullptr};
        EnumWindows(MatchOwnMainWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    struct WindowSearch {
        DWORD processId;
        HWND found;
    };

    static BOOL CALLBACK MatchOwnMainWindow(HWND hwnd, LPARAM param)
    {
        auto* search = reinterpret_cast<WindowSearch*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        char title[64] = {};
        if (owner != search->processId || !GetWindowTextA(hwnd, title, sizeof title) ||
            std::strcmp(title, APP_TITLE) != 0)
            return TRUE;
        search->found = hwnd;
        return FALSE;
    }

    std::string m_path;
    std::thread m_thread;
    HANDLE m_hProcess = nullptr;  // owned by Run, closed when the program has ended
    DWORD m_processId = 0;
    std::atomic<bool> m_bStarted{false};
    std::atomic<bool> m_bExited{false};
    EnabledStates m_startup;
};

// Dialog base units of the main window's template font (Arial, 8 points),
// computed the way the dialog manager computes them.
SIZE DialogBaseUnits()
{
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICA metrics;
    GetTextMetricsA(screen, &metrics);
    SIZE letters;
    GetTextExtentPoint32A(screen, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return SIZE{(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

enum Kind { OWNER_DRAWN, PUSH, LIST_VIEW, EDIT, RADIO, DROP_DOWN, STATIC_TEXT, TRACK_BAR, PROGRESS, CHECK_BOX };

struct TemplateControl {
    int id;
    Kind kind;
    const char* text;  // null: not compared
    int x, y, width, height;
};

const TemplateControl MAIN_TEMPLATE[] = {
    {IDC_ADD, OWNER_DRAWN, "Add", 9, 5, 36, 35},
    {IDC_REMOVE, OWNER_DRAWN, "Remove", 62, 5, 36, 35},
    {IDC_CONVERT, OWNER_DRAWN, "Convert", 115, 5, 36, 35},
    {IDC_ABOUT, OWNER_DRAWN, "About", 220, 5, 36, 35},
    {IDC_HELP_BUTTON, OWNER_DRAWN, "Help", 270, 5, 36, 35},
    {IDC_EXIT, OWNER_DRAWN, "EXIT", 321, 5, 36, 35},
    {IDC_SOURCE_LIST, LIST_VIEW, nullptr, 7, 47, 358, 78},
    {IDC_OUTPUT_DIR, EDIT, nullptr, 65, 131, 268, 14},
    {IDC_BROWSE, OWNER_DRAWN, "", 342, 131, 22, 15},
    {IDC_TO_AVI, RADIO, "To AVI", 15, 162, 59, 10},
    {IDC_TO_MPEG, RADIO, "To MPEG", 73, 162, 59, 10},
    {IDC_TO_WMV, RADIO, "To WMV/ASF", 148, 162, 59, 10},
    {IDC_TO_MOV, RADIO, "To MOV/QT", 226, 162, 59, 10},
    {IDC_TO_FLV, RADIO, "To SWF/FLV", 299, 162, 59, 10},
    {IDC_VIDEO_CODEC, DROP_DOWN, nullptr, 67, 191, 113, 59},
    {IDC_FRAME_RATE, DROP_DOWN, nullptr, 67, 205, 113, 62},
    {IDC_VIDEO_BITRATE, DROP_DOWN, nullptr, 67, 219, 113, 62},
    {IDC_FRAME_SIZE, DROP_DOWN, nullptr, 67, 233, 113, 63},
    {IDC_ASPECT, DROP_DOWN, nullptr, 67, 248, 113, 63},
    {IDC_AUDIO_CODEC, DROP_DOWN, nullptr, 249, 191, 113, 49},
    {IDC_CHANNELS, DROP_DOWN, nullptr, 249, 205, 113, 71},
    {IDC_AUDIO_BITRATE, DROP_DOWN, nullptr, 249, 219, 113, 49},
    {IDC_SAMPLE_RATE, DROP_DOWN, nullptr, 249, 233, 113, 71},
    {IDC_VOLUME_LABEL, STATIC_TEXT, "Vol:100%", 199, 251, 49, 9},
    {IDC_VOLUME, TRACK_BAR, nullptr, 245, 251, 113, 10},
    {IDC_PROGRESS, PROGRESS, nullptr, 8, 272, 302, 10},
    {IDC_STOP, PUSH, "Stop", 317, 271, 48, 11},
    {IDC_SHUTDOWN, CHECK_BOX, " Shutdown PC after finished ", 9, 286, 106, 10},
};

const char* const TEMPLATE_LABELS[] = {"Output Directory", "Convert Format", "Video Format", "Audio Format",
                                       " Video Codec:",     " Frame Rate:",   " Bitrate:",     " Width/Height:",
                                       " Aspect:",          "Audio Codec:",   "Channels:",     "Bitrate:",
                                       "Sample Rate:"};

std::string ClassOf(HWND hwnd)
{
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

// The dialog manager turns an edit box's border into a sunken client edge.
bool HasBorder(HWND control)
{
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(control, GWL_EXSTYLE);
    return (style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE);
}

::testing::AssertionResult HasKind(HWND control, Kind kind)
{
    const std::string className = ClassOf(control);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
    const DWORD buttonType = style & BS_TYPEMASK;
    bool ok = false;
    switch (kind) {
    case OWNER_DRAWN: ok = className == "Button" && buttonType == BS_OWNERDRAW; break;
    // Stop becomes owner-drawn once the dialog manager restyles it.
    case PUSH: ok = className == "Button" && (buttonType == BS_PUSHBUTTON || buttonType == BS_OWNERDRAW); break;
    case LIST_VIEW: ok = className == "SysListView32"; break;
    case EDIT: ok = className == "Edit" && HasBorder(control) && (style & ES_AUTOHSCROLL) && (style & WS_DISABLED); break;
    case RADIO: ok = className == "Button" && buttonType == BS_AUTORADIOBUTTON; break;
    case DROP_DOWN: ok = className == "ComboBox" && (style & 3) == CBS_DROPDOWNLIST; break;
    case STATIC_TEXT: ok = className == "Static"; break;
    case TRACK_BAR: ok = className == "msctls_trackbar32" && (style & TBS_NOTICKS); break;
    case PROGRESS: ok = className == "msctls_progress32"; break;
    case CHECK_BOX: ok = className == "Button" && buttonType == BS_AUTOCHECKBOX; break;
    }
    if (ok)
        return ::testing::AssertionSuccess();
    char described[96];
    std::snprintf(described, sizeof described, "class %s, style 0x%08lx", className.c_str(), style);
    return ::testing::AssertionFailure() << described;
}

RECT ClientRectOf(HWND control, HWND dialog)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string SelectedText(HWND combo) { return WindowText(combo); }

// Writes the screen area of `window` as a 24-bit BMP; false when nothing could be read.
bool SaveWindowShot(HWND window, const char* path, int& distinctColours)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return SaveScreenArea(rect, path, distinctColours);
}

HWND WaitForHelpWindow(DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowA("HH Parent", nullptr)) != nullptr; }, timeoutMs);
    return found;
}

TEST(ProgramTest, StartsShowsTheTemplateGoesIdleOpensHelpAndEnds)
{
    ProgramUnderDebugger program(VODRIX_PROGRAM_PATH);
    ASSERT_TRUE(WaitUntil([&] { return program.Started() || program.Exited(); }, 20000));
    ASSERT_TRUE(program.Started()) << "could not start " << VODRIX_PROGRAM_PATH;

    HWND main = WaitForTopWindow(APP_TITLE, 30000, "Output Directory", program.ProcessId());
    ASSERT_NE(nullptr, main) << "no window titled " APP_TITLE;

    const EnabledStates& startup = program.StartupStates();
    ASSERT_TRUE(startup.taken) << "the start-up worker was never seen starting";
    EXPECT_FALSE(startup.add || startup.remove || startup.convert) << "commands on during start-up";
    EXPECT_TRUE(startup.stop) << "Stop off during start-up";
    EXPECT_FALSE(startup.radios || startup.options) << "settings on during start-up";

    // The start-up worker ends with every command and setting on and Stop off.
    const bool idle = WaitUntil([&] {
        return AllItems(main, {IDC_ADD, IDC_REMOVE, IDC_CONVERT, IDC_EXIT, IDC_BROWSE}, true) &&
               AllItems(main, RADIO_IDS, true) && AllItems(main, OPTION_IDS, true) && !IsEnabledItem(main, IDC_STOP);
    }, 20000);
    ASSERT_TRUE(idle) << "the program did not become idle";
    EXPECT_EQ("xvid", SelectedText(GetDlgItem(main, IDC_VIDEO_CODEC)));
    EXPECT_EQ("23.97", SelectedText(GetDlgItem(main, IDC_FRAME_RATE)));
    EXPECT_EQ("1150", SelectedText(GetDlgItem(main, IDC_VIDEO_BITRATE)));
    EXPECT_EQ("Original", SelectedText(GetDlgItem(main, IDC_FRAME_SIZE)));
    EXPECT_EQ("4:3", SelectedText(GetDlgItem(main, IDC_ASPECT)));
    EXPECT_EQ("mp3", SelectedText(GetDlgItem(main, IDC_AUDIO_CODEC)));
    EXPECT_EQ("Stereo", SelectedText(GetDlgItem(main, IDC_CHANNELS)));
    EXPECT_EQ("128", SelectedText(GetDlgItem(main, IDC_AUDIO_BITRATE)));
    EXPECT_EQ("22050", SelectedText(GetDlgItem(main, IDC_SAMPLE_RATE)));
    EXPECT_EQ(256, SendMessageA(GetDlgItem(main, IDC_VOLUME), TBM_GETPOS, 0, 0));
    EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(main, IDC_TO_AVI), BM_GETCHECK, 0, 0));

    const SIZE units = DialogBaseUnits();
    for (const TemplateControl& control : MAIN_TEMPLATE) {
        SCOPED_TRACE(control.id);
        HWND item = GetDlgItem(main, control.id);
        ASSERT_NE(nullptr, item);
        EXPECT_TRUE(HasKind(item, control.kind));
        if (control.text) {
            EXPECT_EQ(control.text, WindowText(item));
        }
        const RECT rect = ClientRectOf(item, main);
        EXPECT_NEAR(MulDiv(control.x, units.cx, 4), rect.left, 1);
        EXPECT_NEAR(MulDiv(control.y, units.cy, 8), rect.top, 1);
        EXPECT_NEAR(MulDiv(control.width, units.cx, 4), rect.right - rect.left, 1);
        if (control.kind != DROP_DOWN) {  // a closed list is shorter than its template height
            EXPECT_NEAR(MulDiv(control.height, units.cy, 8), rect.bottom - rect.top, 1);
        }
    }
    const std::vector<std::string> texts = ChildTexts(main);
    for (const char* label : TEMPLATE_LABELS)
        EXPECT_TRUE(HasText(texts, label)) << "no label \"" << label << "\"";
    const DWORD style = static_cast<DWORD>(GetWindowLongA(main, GWL_STYLE));
    EXPECT_TRUE((style & WS_SYSMENU) && (style & WS_MINIMIZEBOX) && (style & WS_CAPTION));
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);

    CreateDirectoryA("artifacts", nullptr);
    // Above any window that another suite shows meanwhile.
    SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    UpdateWindow(main);
    int colours = 0;
    EXPECT_TRUE(SaveWindowShot(main, "artifacts\\main_window.bmp", colours));
    EXPECT_GT(colours, 4) << "the screenshot is blank";

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_HELP_BUTTON, BN_CLICKED), 0);
    HWND help = WaitForHelpWindow(30000);
    EXPECT_NE(nullptr, help) << "the help file did not open";
    if (help) {
        PostMessageA(help, WM_CLOSE, 0, 0);
    }

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return program.Exited(); }, 20000)) << "EXIT did not end the program";
    std::string stored;
    EXPECT_TRUE(ReadSetting("Directory", stored));
}

}  // namespace
