// The main dialog's frame: start-up and idle states, system commands, the
// tray icon, help, the output directory and the small dialogs.
#include "TestConverterDlg.h"

#include "services/AppServices.h"
#include "res/resource.h"
#include "support/GuiObjects.h"
#include "support/WindowWatch.h"
#include "ui/AboutDlg.h"
#include "ui/HelpFile.h"
#include "ui/NoticeDlgs.h"
#include "ui/TrayIcon.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace {

// Written on the dialog's thread, read on the test's.
std::mutex g_openedPathsLock;
std::vector<std::string> g_openedPaths;

HINSTANCE RecordShellOpen(const char* path)
{
    const std::lock_guard<std::mutex> hold(g_openedPathsLock);
    g_openedPaths.push_back(path);
    return reinterpret_cast<HINSTANCE>(33);
}

std::vector<std::string> OpenedPaths()
{
    const std::lock_guard<std::mutex> hold(g_openedPathsLock);
    return g_openedPaths;
}

// The tray icon exists when the shell accepts a change of it.
bool TrayIconExists(HWND dialog)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = dialog;
    data.uID = TRAY_ICON_ID;
    data.uFlags = NIF_TIP;
    lstrcpyA(data.szTip, APP_TITLE);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

void ExpectAboutDialog(const SeenWindow& about)
{
    ASSERT_NE(nullptr, about.hwnd) << "no About dialog";
    EXPECT_EQ(APP_TITLE, about.caption);
    EXPECT_TRUE(HasText(about.texts, APP_TITLE));
    EXPECT_TRUE(HasText(about.texts, APP_VERSION));
    EXPECT_TRUE(HasText(about.texts, std::string(APP_TITLE) + " Homepage"));
    EXPECT_TRUE(HasText(about.texts, "Technical Support"));
    EXPECT_TRUE(HasText(about.texts, "Check Update"));
    EXPECT_TRUE(about.closed) << "Esc closes About";
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        {
            const std::lock_guard<std::mutex> hold(g_openedPathsLock);
            g_openedPaths.clear();
        }
        SetShellOpenFunction(&RecordShellOpen);
        ASSERT_TRUE(host.WaitUntilIdle());
    }
    void TearDown() override { SetShellOpenFunction(nullptr); }

    void SysCommand(WPARAM command) { SendMessageA(host.Hwnd(), WM_SYSCOMMAND, command, 0); }

    DialogHost host;
};

TEST_F(FrameTest, StartsDisabledWithStopOnThenTheWorkerMakesItIdle)
{
    const TestConverterDlg::Snapshot start = host.Dialog().m_initialState;
    ASSERT_TRUE(start.taken) << "the start-up worker never set the title";
    EXPECT_FALSE(start.add);
    EXPECT_FALSE(start.remove);
    EXPECT_FALSE(start.convert);
    EXPECT_TRUE(start.stop);
    EXPECT_TRUE(start.radiosAllOff);
    EXPECT_TRUE(start.optionsAllOff);
    EXPECT_TRUE(start.aviChecked);

    const TestConverterDlg::Snapshot idle = TestConverterDlg::TakeSnapshot(host.Hwnd());
    EXPECT_TRUE(idle.add);
    EXPECT_TRUE(idle.remove);
    EXPECT_TRUE(idle.convert);
    EXPECT_FALSE(idle.stop);
    EXPECT_TRUE(idle.exit);
    EXPECT_TRUE(idle.browse);
    EXPECT_TRUE(idle.radiosAllOn);
    EXPECT_TRUE(idle.optionsAllOn);
    EXPECT_EQ(APP_TITLE, WindowText(host.Hwnd()));
    EXPECT_TRUE(TrayIconExists(host.Hwnd()));
}

TEST_F(FrameTest, RunningAndIdleStatesSwitchTheCommands)
{
    host.RunOnDialogThread([this] { host.Dialog().EnableCommands(false); }, true);
    const TestConverterDlg::Snapshot running = TestConverterDlg::TakeSnapshot(host.Hwnd());
    EXPECT_FALSE(running.add || running.remove || running.convert || running.exit || running.browse);
    EXPECT_TRUE(running.radiosAllOff && running.optionsAllOff);
    EXPECT_TRUE(IsWindowEnabled(host.Item(IDC_ABOUT)) && IsWindowEnabled(host.Item(IDC_HELP_BUTTON)));
    EXPECT_TRUE(IsWindowEnabled(host.Item(IDC_SHUTDOWN)) && IsWindowEnabled(host.Item(IDC_SOURCE_LIST)));

    SendMessageA(host.Item(IDC_PROGRESS), PBM_SETPOS, 40, 0);
    host.RunOnDialogThread([this] { host.Dialog().EnableCommands(true); }, true);
    const TestConverterDlg::Snapshot idle = TestConverterDlg::TakeSnapshot(host.Hwnd());
    EXPECT_TRUE(idle.add && idle.remove && idle.convert && idle.exit && idle.browse);
    EXPECT_TRUE(idle.radiosAllOn && idle.optionsAllOn);
    EXPECT_EQ(0, SendMessageA(host.Item(IDC_PROGRESS), PBM_GETPOS, 0, 0));
}

// The colour at a client point of a window as its top-level window shows
// it, children included. Read from the top-level window's own pixels, which
// hold what it painted at once; the screen gets them a moment later.
COLORREF ShownPixel(HWND hwnd, int x, int y)
{
    HWND top = GetAncestor(hwnd, GA_ROOT);
    POINT point{x, y};
    ClientToScreen(hwnd, &point);
    RECT window{};
    GetWindowRect(top, &window);
    HDC dc = GetDCEx(top, nullptr, DCX_WINDOW | DCX_CACHE);
    const COLORREF colour = GetPixel(dc, point.x - window.left, point.y - window.top);
    ReleaseDC(top, dc);
    return colour;
}

TEST_F(FrameTest, EnabledPictureButtonsShowTheDialogAroundTheirPicture)
{
    // Disabled, then enabled again, as a batch leaves them.
    host.RunOnDialogThread([this] { host.Dialog().EnableCommands(false); }, true);
    host.RunOnDialogThread([this] { host.Dialog().EnableCommands(true); }, true);
    // Above any window that another suite shows meanwhile.
    host.RunOnDialogThread([this] {
        SetWindowPos(host.Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        RedrawWindow(host.Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }, true);
    const COLORREF dialog = ShownPixel(host.Hwnd(), 2, 2);
    for (int id : {IDC_ADD, IDC_REMOVE, IDC_CONVERT, IDC_EXIT}) {
        EXPECT_EQ(dialog, ShownPixel(host.Item(id), 1, 1)) << "button " << id << " keeps its disabled fill";
    }
}

// A restarted Explorer knows no icons; its new taskbar announces itself to
// every top-level window, and the window's icon is back.
TEST_F(FrameTest, TheTrayIconComesBackWhenExplorerRestarts)
{
    NOTIFYICONDATAA gone = {};
    gone.cbSize = NOTIFYICONDATAA_V2_SIZE;
    gone.hWnd = host.Hwnd();
    gone.uID = TRAY_ICON_ID;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));
    ASSERT_FALSE(TrayIconExists(host.Hwnd()));
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 10000,
                        &answer);
    EXPECT_TRUE(WaitUntil([this] { return TrayIconExists(host.Hwnd()); }, 10000));
}

TEST_F(FrameTest, CloseAltF4AndMinimiseHideToTheTrayAndALeftClickBringsItBack)
{
    for (WPARAM command : {static_cast<WPARAM>(SC_CLOSE), static_cast<WPARAM>(SC_MINIMIZE)}) {
        SysCommand(command);
        EXPECT_FALSE(IsWindowVisible(host.Hwnd())) << command;
        EXPECT_TRUE(IsWindow(host.Hwnd()));
        EXPECT_TRUE(TrayIconExists(host.Hwnd()));

        SendMessageA(host.Hwnd(), UWM_TRAY_NOTIFY, TRAY_ICON_ID, WM_RBUTTONDOWN);
        EXPECT_FALSE(IsWindowVisible(host.Hwnd())) << "a right click does nothing";
        SendMessageA(host.Hwnd(), UWM_TRAY_NOTIFY, TRAY_ICON_ID + 1, WM_LBUTTONDOWN);
        EXPECT_FALSE(IsWindowVisible(host.Hwnd())) << "another icon's click does nothing";
        SendMessageA(host.Hwnd(), UWM_TRAY_NOTIFY, TRAY_ICON_ID, WM_LBUTTONDOWN);
        EXPECT_TRUE(IsWindowVisible(host.Hwnd()));
        EXPECT_FALSE(IsIconic(host.Hwnd()));
    }

    // Alt+F4 reaches the dialog as a system key press in its own queue.
    PostMessageA(host.Hwnd(), WM_SYSKEYDOWN, VK_F4, 0x203E0001);
    PostMessageA(host.Hwnd(), WM_SYSKEYUP, VK_F4, static_cast<LPARAM>(0xE03E0001u));
    EXPECT_TRUE(WaitUntil([this] { return !IsWindowVisible(host.Hwnd()); }, 20000));
    EXPECT_TRUE(IsWindow(host.Hwnd()));
}

TEST_F(FrameTest, MaximiseChangesNothing)
{
    RECT before, after;
    GetWindowRect(host.Hwnd(), &before);
    SysCommand(SC_MAXIMIZE);
    GetWindowRect(host.Hwnd(), &after);
    EXPECT_FALSE(IsZoomed(host.Hwnd()));
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(FrameTest, TheSystemMenuCarriesAboutAndOpensIt)
{
    HMENU menu = GetSystemMenu(host.Hwnd(), FALSE);
    char text[128] = {};
    ASSERT_GT(GetMenuStringA(menu, IDM_ABOUTBOX, text, sizeof text, MF_BYCOMMAND), 0);
    EXPECT_STREQ("Vodrix Video Convert(&A)...", text);
    const int count = GetMenuItemCount(menu);
    EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), GetMenuItemID(menu, count - 1));
    EXPECT_NE(nullptr, GetSubMenu(menu, count - 2)) << "the Skin submenu just before About";
    EXPECT_EQ(MF_SEPARATOR, GetMenuState(menu, count - 3, MF_BYPOSITION) & MF_SEPARATOR);

    DialogWatcher fromMenu(APP_TITLE, APP_VERSION);
    PostMessageA(host.Hwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    ExpectAboutDialog(fromMenu.Result());

    DialogWatcher fromButton(APP_TITLE, APP_VERSION);
    host.Click(IDC_ABOUT, true);
    ExpectAboutDialog(fromButton.Result());
    EXPECT_TRUE(IsWindow(host.Hwnd()));
}

TEST_F(FrameTest, HelpButtonAndF1OpenTheHelpFileBesideTheProgram)
{
    const std::string expected = GetProgramDir() + "vodrixvidoeconverter.chm";
    host.Click(IDC_HELP_BUTTON);
    ASSERT_EQ(std::vector<std::string>{expected}, OpenedPaths());

    // F1 pressed on the keyboard while a control of the dialog has the focus.
    // Keys go to the foreground window, which a window that another suite
    // shows may take at any time: press again until the dialog had it.
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    const bool opened = WaitUntil([&] {
        host.RunOnDialogThread([this] {
            SetForegroundWindow(host.Hwnd());
            SetFocus(host.Item(IDC_VIDEO_CODEC));
        }, true);
        if (GetForegroundWindow() == host.Hwnd())
            SendInput(2, keys, sizeof(INPUT));
        return WaitUntil([] { return OpenedPaths().size() > 1; }, 3000);
    }, 30000);
    ASSERT_TRUE(opened) << "F1 opened no help";
    for (const std::string& path : OpenedPaths())
        EXPECT_EQ(expected, path);
}

// A stand-in batch worker: runs until the test releases it.
unsigned __stdcall WaitForRelease(void* event)
{
    return WaitForSingleObject(static_cast<HANDLE>(event), 20000);
}

TEST_F(FrameTest, EscAndEnterDoNotEndTheDialogWhileABatchRuns)
{
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(host.Dialog().m_batchWorker.Start(&WaitForRelease, release));
    PressEscape(host.Hwnd());
    PostMessageA(host.Hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(host.HandlePostedMessages()) << "the dialog ended under a running batch";

    SetEvent(release);
    host.Dialog().m_batchWorker.Wait(20000);
    PressEscape(host.Hwnd());
    EXPECT_TRUE(WaitForWindowGone(host.Hwnd(), 20000)) << "idle, Esc ends the dialog like EXIT";
    CloseHandle(release);
}

class OutputDirectoryTest : public ::testing::Test {
protected:
    static void DeleteDirectorySetting()
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey().c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "Directory");
            RegCloseKey(key);
        }
    }
    static std::string StoredDirectory()
    {
        std::string value = "<missing>";
        ReadSetting("Directory", value);
        return value;
    }
};

TEST_F(OutputDirectoryTest, AFirstStartShowsAndStoresTheProgramDirectory)
{
    DeleteDirectorySetting();
    DialogHost host;
    ASSERT_TRUE(host.WaitUntilIdle());
    const std::string programDir = GetProgramDir();
    ASSERT_EQ('\\', programDir.back());
    EXPECT_EQ(programDir, WindowText(host.Item(IDC_OUTPUT_DIR)));
    EXPECT_EQ(programDir, host.Dialog().m_strOutDir);
    EXPECT_EQ(programDir, StoredDirectory());
    EXPECT_FALSE(IsWindowEnabled(host.Item(IDC_OUTPUT_DIR)));
}

TEST_F(OutputDirectoryTest, AStoredDirectoryIsShownAndWrittenAgainAtDestruction)
{
    WriteSetting("Directory", "C:\\videos\\");
    DialogHost host;
    ASSERT_TRUE(host.WaitUntilIdle());
    EXPECT_EQ("C:\\videos\\", WindowText(host.Item(IDC_OUTPUT_DIR)));
    host.EndAndJoin();
    WriteSetting("Directory", "C:\\elsewhere\\");
    host.DestroyDialog();
    EXPECT_EQ("C:\\videos\\", StoredDirectory());
}

// Wine's folder browser: a dialog whose tree starts at the desktop; the
// title given by the program is a static text inside it.
HTREEITEM FindTreeItem(HWND tree, HTREEITEM parent, const std::string& fragment, int depth)
{
    for (HTREEITEM item = TreeView_GetChild(tree, parent); item; item = TreeView_GetNextSibling(tree, item)) {
        char text[260] = {};
        TVITEMA data = {};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = text;
        data.cchTextMax = sizeof text;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
        if (std::string(text).find(fragment) != std::string::npos)
            return item;
        if (depth > 0) {
            TreeView_Expand(tree, item, TVE_EXPAND);
            if (HTREEITEM found = FindTreeItem(tree, item, fragment, depth - 1))
                return found;
        }
    }
    return nullptr;
}

HWND FindChildOfClass(HWND parent, const char* className)
{
    return FindWindowExA(parent, nullptr, className, nullptr);
}

HWND FindDescendantOfClass(HWND parent, const char* className)
{
    if (HWND direct = FindChildOfClass(parent, className))
        return direct;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (HWND found = FindDescendantOfClass(child, className))
            return found;
    return nullptr;
}

HWND WaitForFolderBrowser(HWND owner)
{
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND hwnd = GetWindow(GetDesktopWindow(), GW_CHILD); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
            if (GetWindow(hwnd, GW_OWNER) == owner && IsWindowVisible(hwnd) &&
                HasText(ChildTexts(hwnd), "Select output folder")) {
                found = hwnd;
                return true;
            }
        }
        return false;
    }, 15000);
    return found;
}

// Clicks Browse once the dialog is idle; the folder browser it opened, or null.
HWND OpenFolderBrowser(DialogHost& host)
{
    if (!host.WaitUntilIdle())
        return nullptr;
    host.Click(IDC_BROWSE, true);
    return WaitForFolderBrowser(host.Hwnd());
}

TEST_F(OutputDirectoryTest, CancellingTheFolderBrowserChangesNothing)
{
    WriteSetting("Directory", "C:\\videos\\");
    DialogHost host;
    HWND browser = OpenFolderBrowser(host);
    ASSERT_NE(nullptr, browser) << "no folder browser titled \"Select output folder\"";
    PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForWindowGone(browser, 20000));
    EXPECT_TRUE(host.HandlePostedMessages());
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(host.Hwnd()) != FALSE; }, 20000));
    EXPECT_EQ("C:\\videos\\", host.Dialog().m_strOutDir);
    EXPECT_EQ("C:\\videos\\", WindowText(host.Item(IDC_OUTPUT_DIR)));
}

TEST_F(OutputDirectoryTest, ADriveRootEndsInExactlyOneBackslash)
{
    WriteSetting("Directory", "C:\\videos\\");
    DialogHost host;
    HWND browser = OpenFolderBrowser(host);
    ASSERT_NE(nullptr, browser);
    HWND tree = FindDescendantOfClass(browser, WC_TREEVIEWA);
    ASSERT_NE(nullptr, tree);
    HTREEITEM drive = FindTreeItem(tree, TVI_ROOT, "(C:)", 3);
    ASSERT_NE(nullptr, drive) << "no drive C: in the folder tree";
    TreeView_SelectItem(tree, drive);
    PostMessageA(browser, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForWindowGone(browser, 20000));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(host.Item(IDC_OUTPUT_DIR)) == "C:\\"; }, 20000))
        << WindowText(host.Item(IDC_OUTPUT_DIR));
    EXPECT_EQ("C:\\", host.Dialog().m_strOutDir);
}

TEST(SmallDialogsTest, NoticesShowTheirTextsAndEscClosesThem)
{
    DialogHost host;
    ASSERT_TRUE(host.WaitUntilIdle());

    DialogWatcher codec("Notice", "This media file maybe include unsupport codec.");
    host.RunOnDialogThread([&host] { CCodecNoticeDlg().DoModal(host.Hwnd()); });
    const SeenWindow& codecSeen = codec.Result();
    ASSERT_NE(nullptr, codecSeen.hwnd);
    EXPECT_TRUE(HasText(codecSeen.texts, "Suggestion:"));
    EXPECT_TRUE(HasText(codecSeen.texts, "I get it!"));
    EXPECT_TRUE(HasText(codecSeen.texts, "or download codec from our site."));
    EXPECT_TRUE(codecSeen.closed);

    DialogWatcher convert("Notice", "We meet some problems  during conversion");
    host.RunOnDialogThread([&host] { CConvertNoticeDlg().DoModal(host.Hwnd()); });
    const SeenWindow& convertSeen = convert.Result();
    ASSERT_NE(nullptr, convertSeen.hwnd);
    const std::string tracePath = GetProgramDir() + "trace";
    EXPECT_TRUE(HasText(convertSeen.texts, CConvertNoticeDlg::TraceText(tracePath)));
    EXPECT_EQ("Please send the following file:\"C:\\Tools\\trace\" to " VODRIX_SUPPORT_ADDRESS,
              CConvertNoticeDlg::TraceText("C:\\Tools\\trace"));
    EXPECT_TRUE(HasText(convertSeen.texts, "We will fix it ! Thank you for your cooperation!"));
    EXPECT_TRUE(convertSeen.closed);
}

// Opens About from the system menu `count` times, a notice of each kind
// `count` times, each closed with Esc by a watcher.
void OpenEachDialog(DialogHost& host, int count)
{
    for (int i = 0; i < count; ++i) {
        {
            DialogWatcher about(APP_TITLE, APP_VERSION);
            PostMessageA(host.Hwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
            ASSERT_TRUE(about.Result().closed);
        }
        {
            DialogWatcher codec("Notice", "This media file maybe include unsupport codec.");
            host.RunOnDialogThread([&host] { CCodecNoticeDlg().DoModal(host.Hwnd()); });
            ASSERT_TRUE(codec.Result().closed);
        }
        {
            DialogWatcher convert("Notice", "We meet some problems  during conversion");
            host.RunOnDialogThread([&host] { CConvertNoticeDlg().DoModal(host.Hwnd()); });
            ASSERT_TRUE(convert.Result().closed);
        }
    }
}

TEST(LeakTest, StartingOpeningEachDialogFiftyTimesAndStoppingLeavesNoObjects)
{
    {
        DialogHost warmUp;  // first use loads classes, fonts and caches once
        ASSERT_TRUE(warmUp.WaitUntilIdle());
        OpenEachDialog(warmUp, 1);
    }
    const GuiObjectCounts before = CountGuiObjects();
    {
        DialogHost host;
        ASSERT_TRUE(host.WaitUntilIdle());
        OpenEachDialog(host, 50);
    }
    const GuiObjectCounts after = CountGuiObjects();
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
}

}  // namespace
