// Which windows of a hooked thread the engine skins, with which object, and
// what a new skin does to them.
#include "TestSkins.h"

#include "framework/Window.h"
#include "skin/core/ControlObjects.h"
#include "skin/engine/EngineState.h"
#include "skin/SkinEngine.h"
#include "support/FreedMemory.h"
#include "support/GuiObjects.h"
#include "support/MessageSequence.h"
#include "support/WindowText.h"
#include "support/WindowWatch.h"

#include <commctrl.h>
#include <commdlg.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

using namespace skin;

namespace {

const char* const LINK_WINDOW_CLASS = "Link Window";

class WindowDispatchTest : public SkinnedThreadTest {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSA link{};
        link.lpfnWndProc = DefWindowProcA;
        link.hInstance = GetModuleHandleA(nullptr);
        link.lpszClassName = LINK_WINDOW_CLASS;
        RegisterClassA(&link);
    }
};

// Whose font a control shows once skinned.
enum class Font { kOwn, kSkins, kUntold };  // untold: the control does not answer WM_GETFONT

TEST_F(WindowDispatchTest, ControlsWearTheObjectOfTheirKind)
{
    const struct {
        const char* className;
        DWORD style;
        const char* object;  // empty: left to the system
        Font font = Font::kOwn;  // the scrolling family takes its object's font, unasked
    } rows[] = {
        {"Button", BS_PUSHBUTTON, "Button"},
        {"Button", BS_DEFPUSHBUTTON, "Button"},
        {"Button", BS_3STATE, "CheckBox"},
        {"Button", BS_AUTOCHECKBOX, "CheckBox"},
        {"Button", BS_AUTORADIOBUTTON, "Radio"},
        {"Button", BS_GROUPBOX, "GroupBox"},
        {"Button", BS_OWNERDRAW, ""},
        // Split buttons and command links, of the types after BS_OWNERDRAW.
        {"Button", BS_OWNERDRAW + 1, ""},
        {"Button", BS_OWNERDRAW + 2, ""},
        {"Button", BS_OWNERDRAW + 3, ""},
        {"Button", BS_OWNERDRAW + 4, ""},
        {"Static", SS_LEFT, "Static"},
        {"Static", SS_OWNERDRAW, ""},
        {"Static", SS_SIMPLE, ""},
        {LINK_WINDOW_CLASS, 0, "Static"},
        {"SysIPAddress32", 0, "ScrollControl", Font::kUntold},
        {"Edit", WS_BORDER, "Edit", Font::kSkins},
        {"ComboBox", CBS_DROPDOWNLIST, "ComboBox"},
        {"ComboBox", CBS_SIMPLE, ""},
        {"ListBox", 0, "ListBox", Font::kSkins},
        {"ListBox", LBS_OWNERDRAWFIXED, ""},
        {"msctls_progress32", 0, "ProgressBar"},
        {"msctls_trackbar32", 0, "Slider"},
        {"SysListView32", LVS_REPORT, "ListView", Font::kSkins},
        {"SysListView32", LVS_REPORT | LVS_OWNERDRAWFIXED, ""},
        {"SysTreeView32", 0, "TreeView", Font::kSkins},
        {"ScrollBar", SBS_HORZ, "ScrollBar"},
        {"msctls_updown32", 0, "Spin"},
        {"SysTabControl32", 0, "Tab"},
        {"SysAnimate32", 0, "Animate"},
        {"SysDateTimePick32", 0, "DateTime"},
    };
    TestDialog dialog;
    ASSERT_EQ(TEST_DIALOG_SKIN, WornObject(dialog.Handle()));
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.className) + " style " + std::to_string(row.style));
        HWND control = dialog.AddControl(row.className, row.style);
        ASSERT_TRUE(control != nullptr);
        EXPECT_EQ(row.object, WornObject(control));
        EXPECT_EQ(*row.object != '\0', SkinnedWindow::FromHandle(control) != nullptr) << "subclassed";
        PumpMessages();  // the font comes posted
        const SkinnedWindow* skinned = Skinned(control);
        const HFONT skinFont =
            skinned && skinned->Object() ? Engine().manager.FontOf(*skinned->Object(), false) : nullptr;
        if (row.font != Font::kUntold) {
            EXPECT_EQ(row.font == Font::kSkins,
                      skinFont && SendMessageA(control, WM_GETFONT, 0, 0) == reinterpret_cast<LRESULT>(skinFont))
                << "the skin's font";
        }
        DestroyWindow(control);
        EXPECT_EQ(nullptr, Skinned(control));
    }
}

TEST_F(WindowDispatchTest, OnlyTheListOfASimpleComboBoxIsSkinned)
{
    TestDialog dialog;
    for (DWORD style : {DWORD(CBS_SIMPLE), DWORD(CBS_DROPDOWN), DWORD(CBS_DROPDOWNLIST)}) {
        HWND combo = dialog.AddControl("ComboBox", style);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(combo, &info));
        EXPECT_EQ(style == CBS_SIMPLE ? "ListBox" : "", WornObject(info.hwndList)) << "style " << style;
        DestroyWindow(combo);
    }
}

TEST_F(WindowDispatchTest, AControlWithAMatchingIdentifierWearsItsOwnObject)
{
    std::unique_ptr<Skin> skin = MakeFullSkin();
    SkinObject* dialogObject = skin->FindObject(TEST_DIALOG_SKIN);
    AddControlChild(*dialogObject, kTypeButton, "OkButton", IDOK);
    AddControlChild(*dialogObject, kTypeStatic, "Caption", 7);
    ASSERT_NE(0, LoadTestSkin(*skin));

    TestDialog dialog;
    EXPECT_EQ("OkButton", WornObject(dialog.AddControl("Button", BS_PUSHBUTTON, IDOK)));
    EXPECT_EQ("Button", WornObject(dialog.AddControl("Button", BS_PUSHBUTTON, IDCANCEL)));
    EXPECT_EQ("Button", WornObject(dialog.AddControl("Button", BS_PUSHBUTTON, 7))) << "that object is of another kind";
    EXPECT_EQ("Caption", WornObject(dialog.AddControl("Static", SS_LEFT, 7)));
}

TEST_F(WindowDispatchTest, ADialogWhoseObjectTheSkinLacksKeepsTheSystemLook)
{
    ASSERT_EQ(1, SetDialogSkin("NoSuchDialog"));
    TestDialog dialog;
    HWND button = dialog.AddControl("Button", BS_PUSHBUTTON);
    EXPECT_EQ(nullptr, Skinned(dialog.Handle()));
    EXPECT_EQ(nullptr, Skinned(button));
    EXPECT_EQ(nullptr, SkinnedWindow::FromHandle(button));
}

TEST_F(WindowDispatchTest, ASkinWithoutAKindsObjectUnskinsThoseWindowsAndGivesTheirProceduresBack)
{
    TestDialog dialog;
    HWND edit = dialog.AddControl("Edit", WS_BORDER, 1);
    HWND button = dialog.AddControl("Button", BS_PUSHBUTTON, 2);
    const auto editProc = static_cast<LONG_PTR>(GetClassLongPtrA(edit, GCLP_WNDPROC));
    ASSERT_NE(editProc, GetWindowLongPtrA(edit, GWLP_WNDPROC));

    ASSERT_NE(0, LoadTestSkin(*MakeSkin({kTypeButton})));
    EXPECT_EQ(nullptr, Skinned(edit));
    EXPECT_EQ(nullptr, GetPropA(edit, "OBJECT"));
    EXPECT_EQ(editProc, GetWindowLongPtrA(edit, GWLP_WNDPROC));
    EXPECT_EQ(Engine().manager.CurrentSkin().FindObject("Button"), Skinned(button)->Object());
    EXPECT_EQ(Engine().manager.CurrentSkin().FindObject(TEST_DIALOG_SKIN), Skinned(dialog.Handle())->Object());
    SetWindowTextA(edit, "still an edit");
    EXPECT_EQ("still an edit", WindowTextOf(edit));
}

// A layer on top of the engine's, as the program's own classes are: it may
// end its window at a WM_SYSCOLORCHANGE, and counts the frame changes
// answered otherwise than the system would.
class TopLayer : public CWindowBase {
public:
    bool m_bEndOnColourChange = false;
    int m_nFrameChanges = 0;
    int m_nSkinAnswers = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_SYSCOLORCHANGE && m_bEndOnColourChange)
            return ::DestroyWindow(GetSafeHwnd()), 0;
        if (msg != WM_NCCALCSIZE)
            return CWindowBase::WindowProc(msg, wp, lp);
        // Either form of the message starts with the proposed rectangle.
        NCCALCSIZE_PARAMS system{};
        std::memcpy(&system, reinterpret_cast<const void*>(lp), wp ? sizeof system : sizeof(RECT));
        ::DefWindowProcA(GetSafeHwnd(), msg, wp, reinterpret_cast<LPARAM>(&system));
        const LRESULT result = CWindowBase::WindowProc(msg, wp, lp);
        ++m_nFrameChanges;
        m_nSkinAnswers += !EqualRect(&system.rgrc[0], reinterpret_cast<RECT*>(lp));
        return result;
    }
};

TEST_F(WindowDispatchTest, AWindowThatEndsOnAMessageOfTheEngineIsLetGo)
{
    ScopedFreedMemoryFill freedMemory;
    ASSERT_TRUE(freedMemory.Applied());
    TestDialog dialog;
    for (bool afterNoSkin : {false, true}) {
        SCOPED_TRACE(afterNoSkin ? "skinned again after no skin" : "moved to a new skin");
        HWND button = dialog.AddControl("Button", BS_PUSHBUTTON, afterNoSkin ? 2 : 1);
        if (afterNoSkin) {
            ASSERT_EQ(1, UnloadSkin());
        }
        TopLayer top;
        ASSERT_TRUE(top.SubclassWindow(button));
        top.m_bEndOnColourChange = true;
        ASSERT_NE(0, LoadTestSkin(*MakeFullSkin()));
        EXPECT_FALSE(IsWindow(button));
        EXPECT_EQ(nullptr, Skinned(button));
        EXPECT_EQ(TEST_DIALOG_SKIN, WornObject(dialog.Handle()));
    }
    EXPECT_EQ(0, freedMemory.FreedMemoryUses());
}

TEST_F(WindowDispatchTest, NoSkinLetsTheFrameGoBeforeTheSystemAnswersItsChange)
{
    TestDialog dialog;
    TopLayer top;
    ASSERT_TRUE(top.SubclassWindow(dialog.Handle()));
    ASSERT_EQ(1, UnloadSkin());
    EXPECT_GT(top.m_nFrameChanges, 0);
    EXPECT_EQ(0, top.m_nSkinAnswers);
}

TEST_F(WindowDispatchTest, ANewSkinsObjectOfTheSameNameIsWornOnlyWhenItIsOfTheSameType)
{
    TestDialog dialog;
    HWND button = dialog.AddControl("Button", BS_PUSHBUTTON);
    ASSERT_EQ("Button", WornObject(button));
    std::unique_ptr<Skin> skin = MakeSkin({});
    AddObject(*skin, kTypeButton, "PushLook");
    AddPaintedImage(*skin, "Button", 1, 1, [](int, int) { return RGB(0, 0, 0); });
    ASSERT_NE(0, LoadTestSkin(*skin));
    EXPECT_EQ("PushLook", WornObject(button));
}

TEST_F(WindowDispatchTest, NoSkinTakesBackTheTransparencyItGaveLabelsAndGroupBoxes)
{
    std::unique_ptr<Skin> skin = MakeFullSkin();
    dynamic_cast<Static&>(*skin->FindObject("Static")).m_transparent = 1;
    ASSERT_NE(0, LoadTestSkin(*skin));
    TestDialog dialog;
    const struct {
        HWND control;
        LONG own;
    } controls[] = {{dialog.AddControl("Static", SS_LEFT, 1), 0},
                    {dialog.AddControl("Button", BS_GROUPBOX, 2), 0},
                    {dialog.Add("Static", SS_LEFT, {5, 5, 50, 20}, 3, "", WS_EX_TRANSPARENT), WS_EX_TRANSPARENT}};
    const auto transparency = [](HWND control) { return GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_TRANSPARENT; };
    for (const auto& c : controls)
        EXPECT_EQ(WS_EX_TRANSPARENT, transparency(c.control)) << GetDlgCtrlID(c.control);
    ASSERT_EQ(1, UnloadSkin());
    for (const auto& c : controls)
        EXPECT_EQ(c.own, transparency(c.control)) << GetDlgCtrlID(c.control);
}

// A skin whose labels and buttons wear its font; without the dialog's object too.
std::unique_ptr<Skin> MakeFontSkin(bool withDialog = true)
{
    std::unique_ptr<Skin> skin = withDialog ? MakeSkin({}) : std::make_unique<Skin>();
    for (int kind : {kTypeStatic, kTypeButton})
        dynamic_cast<ControlObject&>(*AddObject(*skin, kind)).m_autoSkinFont = 1;
    return skin;
}

TEST_F(WindowDispatchTest, ControlsGetTheirOwnFontBackAndNeverKeepADeletedOne)
{
    const struct {
        const char* step;
        std::function<void()> change;
    } steps[] = {
        {"no skin before the font arrived", [] { LoadTestSkin(*MakeFontSkin()); UnloadSkin(); }},
        {"a skin without fonts before it arrived", [] {
             LoadTestSkin(*MakeFontSkin());
             LoadTestSkin(*MakeFullSkin());
         }},
        {"a skin without the dialog's object, then no skin", [] {
             LoadTestSkin(*MakeFontSkin());
             PumpMessages();
             LoadTestSkin(*MakeFontSkin(false));
             PumpMessages();
             UnloadSkin();
         }},
    };
    const auto own = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        ASSERT_NE(0, LoadTestSkin(*MakeFullSkin()));
        TestDialog dialog;
        const HWND controls[] = {dialog.AddControl("Static", SS_LEFT, 1),
                                 dialog.AddControl("Button", BS_PUSHBUTTON, 2)};
        for (HWND control : controls)
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(own), FALSE);  // as a dialog does
        step.change();
        PumpMessages();
        for (HWND control : controls) {
            const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
            EXPECT_EQ(OBJ_FONT, GetObjectType(font)) << GetDlgCtrlID(control);
            EXPECT_EQ(own, font) << GetDlgCtrlID(control);
        }
    }
}

// Watches for a visible dialog of this process with `caption`, notes which
// object it wears and closes it with `button`.
class SkinnedDialogWatcher {
public:
    SkinnedDialogWatcher(const char* caption, int button)
        : m_thread([this, caption, button] {
              HWND found = WaitForTopWindow(caption, 20000);
              if (!found)
                  return;
              m_object = WornObject(found);
              PostMessageA(found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
          })
    {
    }
    ~SkinnedDialogWatcher()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    std::string Object()
    {
        m_thread.join();
        return m_object;
    }

private:
    std::string m_object;
    std::thread m_thread;
};

TEST_F(WindowDispatchTest, MessageBoxesAndCommonDialogsWearTheDialogObject)
{
    {
        SkinnedDialogWatcher watcher("skinned box", IDOK);
        MessageBoxA(nullptr, "text", "skinned box", MB_OK);
        EXPECT_EQ(TEST_DIALOG_SKIN, watcher.Object());
    }
    {
        SkinnedDialogWatcher watcher("skinned open", IDCANCEL);
        char file[MAX_PATH] = {};
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFile = file;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrTitle = "skinned open";
        ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT;
        GetOpenFileNameA(&ofn);
        EXPECT_EQ(TEST_DIALOG_SKIN, watcher.Object());
    }
    EXPECT_EQ(0u, Engine().manager.RegisteredCount()) << "every closed dialog left the registry";
}

// Counts what opens the system menu from the keyboard: the release of Alt
// reaching the window, and the menu command it makes.
std::atomic<int> g_keyMenuCommands{0};
WNDPROC g_dialogProc = nullptr;
LRESULT CALLBACK CountKeyMenu(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    const bool altReleased = (msg == WM_SYSKEYUP || msg == WM_KEYUP) && wp == VK_MENU;
    if (altReleased || (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_KEYMENU))
        ++g_keyMenuCommands;
    return CallWindowProcA(g_dialogProc, hwnd, msg, wp, lp);
}

int AltAloneKeyMenus()
{
    TestDialog dialog;
    g_keyMenuCommands = 0;
    g_dialogProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountKeyMenu)));
    ShowWindow(dialog.Handle(), SW_SHOW);
    SetForegroundWindow(dialog.Handle());
    SetFocus(dialog.Handle());
    WaitUntil([&] { PumpMessages(); return GetForegroundWindow() == dialog.Handle(); }, 5000);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_MENU;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    // The key-up has been read once Alt shows as released to this thread.
    WaitUntil([] { PumpMessages(); return (GetKeyState(VK_MENU) & 0x8000) == 0; }, 5000);
    PumpMessages();
    SetWindowLongPtrA(dialog.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_dialogProc));
    return g_keyMenuCommands;
}

TEST_F(WindowDispatchTest, AltPressedAndReleasedAloneOpensNoSystemMenu)
{
    EXPECT_EQ(0, AltAloneKeyMenus());
    ExitSkinEngine();
    EXPECT_GT(AltAloneKeyMenus(), 0) << "without the engine the release of Alt arrives";
    ASSERT_EQ(1, InitSkinEngine(GetModuleHandleA(nullptr), "test"));
}

TEST_F(WindowDispatchTest, RepeatedDialogsAndReloadsLeaveNothingBehind)
{
    const size_t registered = Engine().manager.RegisteredCount();
    EXPECT_TRUE(LeavesNoGuiObjects([] {
        TestDialog dialog;
        dialog.AddControl("Button", BS_PUSHBUTTON, 1);
        dialog.AddControl("Edit", WS_BORDER, 2);
        dialog.AddControl("SysListView32", LVS_REPORT, 3);
        dialog.AddControl("ComboBox", CBS_DROPDOWNLIST, 4);
    }, 200));
    EXPECT_EQ(registered, Engine().manager.RegisteredCount());

    TestDialog dialog;
    dialog.AddControl("Button", BS_PUSHBUTTON, 1);
    dialog.AddControl("Static", SS_LEFT, 2);
    const size_t withDialog = Engine().manager.RegisteredCount();
    std::unique_ptr<Skin> skin = MakeFullSkin();
    dynamic_cast<ControlObject&>(*skin->FindObject("Static")).m_autoSkinFont = 1;  // each skin makes its font
    EXPECT_TRUE(LeavesNoGuiObjects([&] { ASSERT_NE(0, LoadTestSkin(*skin)); }, 20));
    EXPECT_EQ(withDialog, Engine().manager.RegisteredCount());
}

}  // namespace
