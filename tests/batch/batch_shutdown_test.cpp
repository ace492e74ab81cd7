// The shut-down option with the main dialog run inside the test, so that the
// shut-down call can be replaced and no session ends.
#include "ProgramFixture.h"

#include "app/AppServices.h"
#include "res/resource.h"
#include "support/WindowWatch.h"
#include "ui/ConverterDlg.h"
#include "ui/Shutdown.h"

#include <commctrl.h>
#include <objbase.h>

#include <atomic>
#include <thread>

namespace {

std::atomic<int> g_shutdowns(0);

BOOL WINAPI RecordShutdown(UINT flags, DWORD reason)
{
    if (flags == EWX_SHUTDOWN && reason == 0)
        ++g_shutdowns;
    return TRUE;
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
        ASSERT_EQ(1, WriteSetting("Directory", ConverterProgram::OutputFolder().c_str()));
    }
    void TearDown() override { SetExitWindowsCall(m_previous); }

    ExitWindowsCall m_previous = nullptr;
};

}  // namespace

TEST_F(ShutdownOption, ACompletedRunShutsDownAndAFailedRunDoesNot)
{
    {
        DialogThread thread;
        RemoteProgram& dialog = thread.window;
        ASSERT_TRUE(dialog.Attach(30000));
        ASSERT_TRUE(dialog.AddFiles(ConverterProgram::ClipFolder(), {"c.mov"}));
        ASSERT_TRUE(dialog.WaitForProbedRows(1, 30000));
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
        ASSERT_TRUE(dialog.Attach(30000));
        ASSERT_TRUE(dialog.AddFiles(ConverterProgram::ClipFolder(), {"s1.avi"}));
        ASSERT_TRUE(dialog.WaitForProbedRows(1, 30000));
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
