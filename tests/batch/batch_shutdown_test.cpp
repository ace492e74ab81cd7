// The shut-down option with the main dialog run inside the test, so that the
// shut-down call can be replaced and no session ends; the countdown before
// it, on a clock of the test's; and the time left that a running batch shows.
#include "ProgramFixture.h"

#include "services/AppServices.h"
#include "res/resource.h"
#include "support/ImportPatch.h"
#include "support/WindowWatch.h"
#include "ui/ConverterDlg.h"
#include "ui/Shutdown.h"
#include "ui/ShutdownCountdownDlg.h"

#include <commctrl.h>
#include <objbase.h>

#include <atomic>
#include <regex>
#include <string>
#include <thread>

namespace {

std::atomic<int> g_shutdowns(0);
std::atomic<EXECUTION_STATE> g_executionState(0);

EXECUTION_STATE WINAPI RecordExecutionState(EXECUTION_STATE flags) { return g_executionState.exchange(flags); }

const char* const COUNTDOWN_CAPTION = "Shut down";

std::string CountdownText(HWND countdown)
{
    char text[128] = {};
    GetDlgItemTextA(countdown, IDC_COUNTDOWN_TEXT, text, sizeof text);
    return text;
}

// The tip the progress bar shows now, asked of this process's tooltips.
std::string ProgressTip(HWND bar)
{
    for (HWND tooltip = nullptr; (tooltip = FindWindowExA(nullptr, tooltip, TOOLTIPS_CLASSA, nullptr));) {
        DWORD process = 0;
        GetWindowThreadProcessId(tooltip, &process);
        char text[256] = {};
        TOOLINFOA tool{TTTOOLINFOA_V2_SIZE, 0, bar, 1, {}, nullptr, text, 0, nullptr};
        if (process == GetCurrentProcessId())
            SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        if (text[0])
            return text;
    }
    return {};
}

// The countdown dialog on a thread of its own, on a clock the test moves.
// Cancelled before the thread is joined, even when a check failed half-way.
struct CountdownThread {
    explicit CountdownThread(int seconds)
        : m_thread([this, seconds] {
              CShutdownCountdownDlg countdown(seconds, [this] { return now.load(); });
              result = countdown.DoModal();
              finished = true;
          })
    {
    }
    ~CountdownThread()
    {
        while (!finished)
            if (HWND open = WaitForTopWindow(COUNTDOWN_CAPTION, 100))
                PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        m_thread.join();
    }
    std::atomic<unsigned long> now{5000};
    std::atomic<INT_PTR> result{0};
    std::atomic<bool> finished{false};
    std::thread m_thread;
};

BOOL WINAPI RecordShutdown(UINT flags, DWORD reason)
{
    if (flags == EWX_SHUTDOWN && reason == 0)
        ++g_shutdowns;
    return TRUE;
}

// The system says no, as it does to an account without the right to shut down.
BOOL WINAPI RefuseShutdown(UINT flags, DWORD reason)
{
    RecordShutdown(flags, reason);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

// The main dialog on a thread of its own, as the application runs it, and
// driven like the program. Ends the dialog before the thread is joined, even
// when a check failed half-way.
class DialogThread {
public:
    DialogThread()
        : m_thread([] {
              CoInitialize(nullptr);
              {
                  CConverterDlg dialog;
                  dialog.DoModal();
              }
              CoUninitialize();
          })
    {
    }
    ~DialogThread()
    {
        for (RemoteDialog open = window.CurrentDialog(); open.hwnd; open = window.CurrentDialog())
            RemoteProgram::Close(open, IDCANCEL);
        window.Quit();
        m_thread.join();
    }
    DialogThread(const DialogThread&) = delete;
    DialogThread& operator=(const DialogThread&) = delete;

    RemoteProgram window;

private:
    std::thread m_thread;
};

class ShutdownOption : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ConverterProgram::MakeClips(); }
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        m_previous = SetExitWindowsCall(RecordShutdown);
        g_shutdowns = 0;
        SetEnvironmentVariableA(SHUTDOWN_SECONDS_VARIABLE, "1");  // a countdown nobody stops
        ASSERT_EQ(1, WriteSetting("Directory", ConverterProgram::OutputFolder().c_str()));
    }
    void TearDown() override
    {
        SetExitWindowsCall(m_previous);
        SetEnvironmentVariableA(SHUTDOWN_SECONDS_VARIABLE, nullptr);
    }

    // Attaches to the dialog and adds `clip`, probed.
    static void AddProbedClip(RemoteProgram& dialog, const char* clip)
    {
        ASSERT_TRUE(dialog.Attach(30000));
        ASSERT_TRUE(dialog.AddFiles(ConverterProgram::ClipFolder(), {clip}));
        ASSERT_TRUE(dialog.WaitForProbedRows(1, 30000));
    }

    ExitWindowsCall m_previous = nullptr;
};

}  // namespace

TEST_F(ShutdownOption, ACompletedRunShutsDownAndAFailedRunDoesNot)
{
    {
        DialogThread thread;
        RemoteProgram& dialog = thread.window;
        ASSERT_NO_FATAL_FAILURE(AddProbedClip(dialog, "c.mov"));
        dialog.SetChecked(IDC_SHUTDOWN, true);
        dialog.Click(IDC_CONVERT);
        WaitUntil([] { return g_shutdowns != 0; }, 60000);
        EXPECT_EQ(1, g_shutdowns);
        // No message, and the controls stay as the run left them.
        EXPECT_EQ(nullptr, dialog.CurrentDialog().hwnd);
        EXPECT_FALSE(dialog.IsEnabled(IDC_CONVERT));
    }
    {
        HostShell("cp \"$CLIPS/a.avi\" \"$CLIPS/s1.avi\"");
        DialogThread thread;
        RemoteProgram& dialog = thread.window;
        ASSERT_NO_FATAL_FAILURE(AddProbedClip(dialog, "s1.avi"));
        HostShell("rm \"$CLIPS/s1.avi\"");
        dialog.SetChecked(IDC_SHUTDOWN, true);
        dialog.Click(IDC_CONVERT);
        const RemoteDialog message = dialog.WaitForDialog(60000, "Info");
        ASSERT_TRUE(message.hwnd != nullptr);
        EXPECT_NE(std::string::npos, message.AllText().find("There is a internal error")) << message.AllText();
        RemoteProgram::Close(message, IDOK);
        EXPECT_TRUE(dialog.WaitUntilIdle(30000));
        EXPECT_EQ(1, g_shutdowns);
    }
}

TEST(ShutdownCountdownDialog, CountsDownByTheClockAndEndsAsTheUserChooses)
{
    const struct {
        const char* what;
        UINT msg;  // posted to the dialog; none: the clock runs out
        WPARAM wp;
        INT_PTR result;
    } cases[] = {
        {"Cancel", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), IDCANCEL},
        {"Esc", WM_KEYDOWN, VK_ESCAPE, IDCANCEL},
        {"the close button", WM_SYSCOMMAND, SC_CLOSE, IDCANCEL},
        {"Shut down now", WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), IDOK},
        {"nobody acts", 0, 0, IDOK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CountdownThread thread(3);
        const HWND countdown = WaitForTopWindow(COUNTDOWN_CAPTION, 30000);
        ASSERT_NE(nullptr, countdown);
        EXPECT_EQ("The computer will shut down in 3 seconds.", CountdownText(countdown));
        for (const auto& [advanceMs, text] : {std::pair<unsigned long, std::string>{1000, "2 seconds."},
                                              {1500, "1 second."}}) {
            thread.now += advanceMs;
            EXPECT_TRUE(WaitUntil([&] { return CountdownText(countdown) == "The computer will shut down in " + text; },
                                  10000));
        }
        EXPECT_FALSE(thread.finished) << "ended before its time";
        if (c.msg)
            PostMessageA(countdown, c.msg, c.wp, 0);
        else
            thread.now += 500;
        EXPECT_TRUE(WaitUntil([&] { return thread.finished.load(); }, 10000));
        EXPECT_EQ(c.result, thread.result);
    }
}

// The countdown comes after a completed run, shown even with the main window
// hidden in the tray: "Shut down now" shuts down at once, Cancel brings the
// program back to idle without a further notice.
TEST_F(ShutdownOption, TheCountdownLetsTheUserShutDownAtOnceOrCancel)
{
    SetEnvironmentVariableA(SHUTDOWN_SECONDS_VARIABLE, "600");
    for (const int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button == IDOK ? "Shut down now" : "Cancel");
        g_shutdowns = 0;
        DialogThread thread;
        RemoteProgram& dialog = thread.window;
        ASSERT_NO_FATAL_FAILURE(AddProbedClip(dialog, "c.mov"));
        dialog.SetChecked(IDC_SHUTDOWN, true);
        ShowWindow(dialog.Window(), SW_HIDE);
        dialog.Click(IDC_CONVERT);
        const RemoteDialog countdown = dialog.WaitForDialog(60000, COUNTDOWN_CAPTION);
        ASSERT_TRUE(countdown.hwnd != nullptr);
        EXPECT_TRUE(std::regex_search(countdown.AllText(), std::regex("shut down in (600|59\\d) seconds\\.")))
            << countdown.AllText();
        EXPECT_EQ(0, g_shutdowns);
        RemoteProgram::Close(countdown, button);
        const bool settled = button == IDOK
                                 ? WaitUntil([] { return g_shutdowns != 0; }, 30000) && !dialog.IsEnabled(IDC_CONVERT)
                                 : dialog.WaitUntilIdle(30000);
        EXPECT_TRUE(settled) << "shut down, or idle again";
        EXPECT_EQ(nullptr, dialog.CurrentDialog().hwnd) << "no further message";
        EXPECT_EQ(button == IDOK ? 1 : 0, g_shutdowns);
    }
}

// The computer goes down only on the user's word: a quit message that ends
// the countdown ends the program and nothing else, and a shut-down that the
// system refuses brings the window back to idle with a notice.
TEST_F(ShutdownOption, AQuitDuringTheCountdownOrARefusalKeepsTheComputerRunning)
{
    {
        SetEnvironmentVariableA(SHUTDOWN_SECONDS_VARIABLE, "600");
        DialogThread thread;
        RemoteProgram& dialog = thread.window;
        ASSERT_NO_FATAL_FAILURE(AddProbedClip(dialog, "c.mov"));
        dialog.SetChecked(IDC_SHUTDOWN, true);
        dialog.Click(IDC_CONVERT);
        const RemoteDialog countdown = dialog.WaitForDialog(60000, COUNTDOWN_CAPTION);
        ASSERT_TRUE(countdown.hwnd != nullptr);
        PostThreadMessageA(GetWindowThreadProcessId(countdown.hwnd, nullptr), WM_QUIT, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog.Window()); }, 30000)) << "the quit ends the program";
        EXPECT_EQ(0, g_shutdowns);
    }
    SetEnvironmentVariableA(SHUTDOWN_SECONDS_VARIABLE, "1");
    SetExitWindowsCall(RefuseShutdown);
    DialogThread thread;
    RemoteProgram& dialog = thread.window;
    ASSERT_NO_FATAL_FAILURE(AddProbedClip(dialog, "c.mov"));
    dialog.SetChecked(IDC_SHUTDOWN, true);
    dialog.Click(IDC_CONVERT);
    const RemoteDialog notice = dialog.WaitForDialog(60000, "Info");
    ASSERT_TRUE(notice.hwnd != nullptr);
    EXPECT_EQ(1, g_shutdowns) << "asked once, when the countdown ran out";
    EXPECT_NE(std::string::npos, notice.AllText().find("the computer could not be shut down")) << notice.AllText();
    RemoteProgram::Close(notice, IDOK);
    EXPECT_TRUE(dialog.WaitUntilIdle(30000));
}

// A long clip: once the estimate can be made, the bar's tip tells the
// percentage and the time left; back at idle the tip is gone. The system
// does not sleep while the batch runs, and may again once it has stopped.
TEST_F(ShutdownOption, ARunningBatchKeepsTheSystemAwakeAndShowsTheTimeLeft)
{
    const ScopedImportPatch awake("kernel32.dll", "SetThreadExecutionState",
                                  reinterpret_cast<const void*>(&RecordExecutionState));
    ASSERT_TRUE(awake.Applied());
    DialogThread thread;
    RemoteProgram& dialog = thread.window;
    ASSERT_NO_FATAL_FAILURE(AddProbedClip(dialog, "long.avi"));
    const HWND bar = dialog.Item(IDC_PROGRESS);
    EXPECT_EQ("", ProgressTip(bar));
    dialog.Click(IDC_CONVERT);
    std::string tip;
    EXPECT_TRUE(WaitUntil([&] { return !(tip = ProgressTip(bar)).empty(); }, 120000)) << "no time left shown";
    EXPECT_TRUE(std::regex_match(tip, std::regex(R"(\d+% - (about \d+ min left|less than a minute left))"))) << tip;
    EXPECT_EQ(static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED), g_executionState.load());
    dialog.Click(IDC_STOP);
    EXPECT_TRUE(dialog.WaitUntilIdle(60000));
    EXPECT_EQ("", ProgressTip(bar));
    EXPECT_TRUE(WaitUntil([] { return g_executionState == ES_CONTINUOUS; }, 10000)) << "still kept awake";
}
