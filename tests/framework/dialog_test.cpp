#include "framework/Dialog.h"
#include "framework/StandardControls.h"
#include "framework/WorkerThread.h"
#include "framework_test_ids.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr UINT UWM_PROGRESS_REPORT = WM_USER + 300;
constexpr UINT_PTR WATCHDOG_TIMER = 99;

// An edit that swallows Esc before the dialog manager sees it.
class EscapeEatingEdit : public CEditWnd {
public:
    int swallowed = 0;
    bool PreTranslateMessage(MSG* msg) override
    {
        if (msg->message != WM_KEYDOWN || msg->wParam != VK_ESCAPE)
            return false;
        ++swallowed;
        return true;
    }
};

// The test dialog: runs `script` once initialised; a watchdog ends it with -2
// so that no test can hang.
class TestDialog : public CDialogBase {
public:
    std::function<void(TestDialog&)> script;
    std::string name = "first";
    int choice = 1;
    int level = 30;
    int reports = 0;
    int goClicks = 0;
    EscapeEatingEdit edit;
    CComboBoxWnd combo;
    CTrackBarWnd track;

    TestDialog() : CDialogBase(IDD_FRAMEWORK_TEST)
    {
        BindItem(IDC_NAME, edit);
        BindItem(IDC_CHOICE, combo);
        BindItem(IDC_LEVEL, track);
        BindText(IDC_NAME, name);
        BindSelection(IDC_CHOICE, choice);
        BindPosition(IDC_LEVEL, level);
    }

protected:
    BOOL OnInitDialog() override
    {
        CDialogBase::OnInitDialog();
        combo.AddString("zero");
        combo.AddString("one");
        combo.AddString("two");
        track.SetRange(0, 100);
        UpdateData(false);
        ::SetTimer(m_hWnd, WATCHDOG_TIMER, 10000, nullptr);
        if (script)
            script(*this);
        return TRUE;
    }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case WM_TIMER: return OnTimer(wp);
        case UWM_PROGRESS_REPORT: return OnProgressReport(wp);
        default: return CDialogBase::WindowProc(msg, wp, lp);
        }
    }
    void OnCommand(UINT id, UINT code, HWND hwndControl) override
    {
        if (id == IDC_GO)
            ++goClicks;
        CDialogBase::OnCommand(id, code, hwndControl);
    }

private:
    LRESULT OnTimer(WPARAM id)
    {
        if (id == WATCHDOG_TIMER)
            EndDialog(-2);
        return 0;
    }
    LRESULT OnProgressReport(WPARAM value)
    {
        reports += static_cast<int>(value);
        return reports;
    }
};

void PostCommand(HWND dialog, UINT id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, static_cast<int>(id))));
}

TEST(DialogTest, BindsItemsShowsFieldsAndEndsWithTheCommandResult)
{
    TestDialog dialog;
    std::string shownName;
    int shownChoice = -1, shownLevel = -1;
    dialog.script = [&](TestDialog& d) {
        shownName = d.edit.GetWindowText();
        shownChoice = d.combo.GetCurSel();
        shownLevel = d.track.GetPos();
        EXPECT_EQ(&d.combo, CWindowBase::FromHandle(d.GetDlgItem(IDC_CHOICE)));
        PostCommand(d.GetSafeHwnd(), IDC_GO);
        PostCommand(d.GetSafeHwnd(), IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ("first", shownName);
    EXPECT_EQ(1, shownChoice);
    EXPECT_EQ(30, shownLevel);
    EXPECT_EQ(1, dialog.goClicks);
    EXPECT_EQ(nullptr, dialog.combo.GetSafeHwnd()) << "control objects let go when the dialog goes";
}

TEST(DialogTest, UpdateDataReadsTheItemsBack)
{
    TestDialog dialog;
    dialog.script = [](TestDialog& d) {
        d.edit.SetWindowText("second");
        d.combo.SetCurSel(2);
        d.track.SetPos(77);
        d.UpdateData(true);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ("second", dialog.name);
    EXPECT_EQ(2, dialog.choice);
    EXPECT_EQ(77, dialog.level);
}

TEST(DialogTest, ControlsSeeMessagesBeforeTheDialogManager)
{
    TestDialog dialog;
    dialog.script = [](TestDialog& d) {
        ::PostMessageA(d.edit.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);  // eaten by the edit
        PostCommand(d.GetSafeHwnd(), IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(1, dialog.edit.swallowed);

    TestDialog plain;
    plain.script = [](TestDialog& d) { ::PostMessageA(d.combo.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0); };
    EXPECT_EQ(IDCANCEL, plain.DoModal()) << "Esc anywhere else cancels through the dialog manager";
}

unsigned __stdcall ReportThenEnd(void* param)
{
    auto* dialog = static_cast<TestDialog*>(param);
    for (int i = 1; i <= 4; ++i)
        ::SendMessageA(dialog->GetSafeHwnd(), UWM_PROGRESS_REPORT, static_cast<WPARAM>(i), 0);
    dialog->EndDialog(IDOK);
    return 1;
}

TEST(DialogTest, AWorkerSendsToTheDialogAndEndsIt)
{
    TestDialog dialog;
    CWorkerThread worker;
    dialog.script = [&](TestDialog& d) { ASSERT_TRUE(worker.Start(&ReportThenEnd, &d)); };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(10, dialog.reports);
    EXPECT_TRUE(worker.Wait(20000));
}

TEST(DialogTest, QuitEndsTheLoopAndIsPostedAgain)
{
    TestDialog dialog;
    dialog.script = [](TestDialog&) { ::PostQuitMessage(3); };
    HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(-1, dialog.DoModal(owner));
    EXPECT_TRUE(::IsWindowEnabled(owner)) << "the owner is enabled again";
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
    ::DestroyWindow(owner);
}

TEST(DialogTest, AMissingTemplateFails)
{
    CDialogBase missing(4321);
    EXPECT_EQ(-1, missing.DoModal());
}

}  // namespace

// The track bar needs the common controls registered.
static const bool g_commonControls = [] {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
    return ::InitCommonControlsEx(&init) != FALSE;
}();
