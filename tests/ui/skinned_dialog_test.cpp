// The main dialog wearing the default skin: the volume slider is dragged,
// the radio buttons, the check box and Tab work from the keyboard, and the
// labels, group boxes, buttons and the slider are the engine's.
#include "TestConverterDlg.h"

#include "res/resource.h"
#include "skin/SkinEngine.h"
#include "skin/engine/EngineState.h"
#include "support/WindowWatch.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

bool MustBeSkinned(HWND control)
{
    if ((GetWindowLongA(control, GWL_STYLE) & BS_OWNERDRAW) == BS_OWNERDRAW &&
        skin::Engine().manager.KindOfWindow(control) == skin::kTypeCheckBox)
        return false;  // the program's own picture buttons
    switch (skin::Engine().manager.KindOfWindow(control)) {
    case skin::kTypeStatic:
    case skin::kTypeGroupBox:
    case skin::kTypeRadio:
    case skin::kTypeCheckBox:
    case skin::kTypeSlider: return true;
    case skin::kTypeButton: return GetDlgCtrlID(control) == IDC_STOP;  // the others are the program's own
    default: return false;
    }
}

class SkinnedDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.WaitUntilIdle());
        ASSERT_TRUE(host.IsSkinned());
    }

    HWND Focus() const
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(host.Hwnd(), nullptr), &info);
        return info.hwndFocus;
    }
    void FocusOn(int id)
    {
        host.RunOnDialogThread([this, id] { SetFocus(host.Item(id)); }, true);
    }
    // A key as the keyboard gives it: posted, through the dialog's message loop.
    void Press(UINT key)
    {
        HWND target = Focus();
        PostMessageA(target, WM_KEYDOWN, key, 1);
        PostMessageA(target, WM_KEYUP, key, 0xC0000001);
        // Posted too, so that it runs after the keys.
        std::atomic<bool> handled{false};
        host.RunOnDialogThread([&handled] { handled = true; });
        ASSERT_TRUE(WaitUntil([&handled] { return handled.load(); }, 10000));
    }

    DialogHost host{VODRIX_SKIN_FILE};
};

TEST_F(SkinnedDialogTest, TheSkinDrawsTheLabelsGroupBoxesButtonsAndSlider)
{
    for (HWND child = GetWindow(host.Hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (MustBeSkinned(child)) {
            const skin::SkinnedWindow* skinned = skin::SkinnedWindow::FromHandle(child);
            EXPECT_TRUE(skinned && skinned->Object()) << GetDlgCtrlID(child);
        }
    }
}

TEST_F(SkinnedDialogTest, DraggingTheThumbMovesTheVolumeLabel)
{
    HWND slider = host.Item(IDC_VOLUME);
    RECT thumb{};
    SendMessageA(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int x = (thumb.left + thumb.right) / 2;
    const int y = (thumb.top + thumb.bottom) / 2;
    SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 40, y));
    SendMessageA(slider, WM_LBUTTONUP, 0, MAKELPARAM(x + 40, y));
    EXPECT_GT(SendMessageA(slider, TBM_GETPOS, 0, 0), 256);
    EXPECT_NE("Vol:100%", WindowText(host.Item(IDC_VOLUME_LABEL)));
}

TEST_F(SkinnedDialogTest, ArrowsMoveAlongTheRadiosSpaceTicksTheBoxAndTabLeavesTheGroup)
{
    FocusOn(IDC_TO_AVI);
    Press(VK_RIGHT);
    EXPECT_EQ(host.Item(IDC_TO_MPEG), Focus());
    EXPECT_EQ(BST_CHECKED, SendMessageA(host.Item(IDC_TO_MPEG), BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(host.Item(IDC_TO_AVI), BM_GETCHECK, 0, 0));

    Press(VK_TAB);
    EXPECT_EQ(IDC_VIDEO_CODEC, GetDlgCtrlID(Focus()));

    FocusOn(IDC_SHUTDOWN);
    const LRESULT before = SendMessageA(host.Item(IDC_SHUTDOWN), BM_GETCHECK, 0, 0);
    Press(VK_SPACE);
    EXPECT_NE(before, SendMessageA(host.Item(IDC_SHUTDOWN), BM_GETCHECK, 0, 0));
}

}  // namespace
