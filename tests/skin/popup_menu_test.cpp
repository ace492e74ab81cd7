// Skinned popup menus tracked for real: every test runs the menu's own
// loop on the test thread and drives it from a second thread with posted
// input, which ends with Escape so that no loop can hang a test.
#include "TestSkins.h"

#include "skin/core/FrameObjects.h"
#include "skin/core/PlainObjects.h"
#include "skin/engine/EngineWindows.h"
#include "skin/engine/SkinHooks.h"
#include "skin/SkinEngine.h"
#include "skin/engine/SkinnedWindow.h"
#include "skin/menu/MenuGeometry.h"
#include "skin/menu/SkinPopupMenu.h"
#include "support/GuiObjects.h"
#include "support/ImportPatch.h"
#include "support/MessageSequence.h"
#include "support/WindowWatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

using namespace skin;

namespace {

constexpr int kBorder = 2;  // every border part of the test skin's menu
constexpr DWORD kWaitMs = 10000;

enum : UINT { ID_ALPHA = 101, ID_BETA = 102, ID_GAMMA = 103, ID_DELTA = 104, ID_INNER = 201 };

// "&Alpha", separator, "&Beta", "&Gamma" (grayed), "&Delta" with a submenu
// holding "&Inner", separator.
class TestMenu {
public:
    TestMenu() : m_menu(CreatePopupMenu()), m_inner(CreatePopupMenu())
    {
        AppendMenuA(m_inner, MF_STRING, ID_INNER, "&Inner");
        AppendMenuA(m_menu, MF_STRING, ID_ALPHA, "&Alpha\tCtrl+A");
        AppendMenuA(m_menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(m_menu, MF_STRING | MF_CHECKED, ID_BETA, "&Beta");
        AppendMenuA(m_menu, MF_STRING | MF_GRAYED, ID_GAMMA, "&Gamma");
        AppendMenuA(m_menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(m_inner), "&Delta");
        AppendMenuA(m_menu, MF_SEPARATOR, 0, nullptr);
    }
    ~TestMenu() { DestroyMenu(m_menu); }  // the submenu goes with it
    TestMenu(const TestMenu&) = delete;
    TestMenu& operator=(const TestMenu&) = delete;

    HMENU Handle() const { return m_menu; }
    static constexpr int kItems = 6;
    static constexpr int kSeparator = 1;
    static constexpr int kSubmenuItem = 4;

private:
    HMENU m_menu;
    HMENU m_inner;
};

// What the owner's caption last showed, after the last WM_NCACTIVATE its own procedure saw.
std::atomic<bool> g_ownerCaptionActive{false};
// Frame clicks the owner's procedure was given.
std::atomic<int> g_ownerFrameClicks{0};
// The item data of the last owner-drawn menu item the owner was asked to draw.
std::atomic<ULONG_PTR> g_ownerDrawnData{0};

// A window that keeps what the menus post to it to itself.
LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SYSCOMMAND || msg == WM_COMMAND)
        return 0;
    if (msg == WM_NCACTIVATE)
        g_ownerCaptionActive = wp != FALSE;
    if (msg == WM_NCLBUTTONDOWN)
        ++g_ownerFrameClicks;
    if (msg == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        measure->itemWidth = 80;
        measure->itemHeight = 16;
        return TRUE;
    }
    if (msg == WM_DRAWITEM && reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->CtlType == ODT_MENU) {
        g_ownerDrawnData = reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->itemData;
        return TRUE;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

class OwnerWindow {
public:
    OwnerWindow()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &OwnerProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "MenuTestOwner";
        RegisterClassA(&wc);
        m_hWnd = CreateWindowExA(0, "MenuTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~OwnerWindow() { DestroyWindow(m_hWnd); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND Handle() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

BOOL CALLBACK CollectMenu(HWND hwnd, LPARAM lp)
{
    char className[64] = {};
    GetClassNameA(hwnd, className, sizeof className);
    if (lstrcmpA(className, POPUP_MENU_CLASS) == 0 && IsWindowVisible(hwnd))
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
    return TRUE;
}

// The visible menu windows of a thread.
std::vector<HWND> MenusOf(DWORD thread)
{
    std::vector<HWND> menus;
    EnumThreadWindows(thread, &CollectMenu, reinterpret_cast<LPARAM>(&menus));
    return menus;
}

// Drives the menus of the test thread from a thread of its own.
class MenuDriver {
public:
    using Script = std::function<void(MenuDriver&)>;
    explicit MenuDriver(Script script) : m_thread(GetCurrentThreadId())
    {
        m_worker = std::thread([this, script] {
            script(*this);
            // Whatever the script left open is closed, so the loop ends.
            while (!m_stop)
                for (HWND menu : MenusOf(m_thread))
                    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0), Sleep(20);
        });
    }
    ~MenuDriver()
    {
        m_stop = true;
        m_worker.join();
        // Input the menu did not take (posted while it was closing) must not
        // reach the next menu of this thread.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) ||
               PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
        }
    }
    MenuDriver(const MenuDriver&) = delete;
    MenuDriver& operator=(const MenuDriver&) = delete;

    // The first visible menu window that is not in `known`; null on timeout.
    HWND WaitForMenu(const std::vector<HWND>& known = {})
    {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND menu : MenusOf(m_thread))
                if (std::find(known.begin(), known.end(), menu) == known.end())
                    found = menu;
            return found != nullptr;
        }, kWaitMs);
        return found;
    }
    static void Key(HWND menu, UINT key) { PostMessageA(menu, WM_KEYDOWN, key, 0); }
    // The middle of item `index` of a menu with `count` items.
    static LPARAM ItemPoint(HWND menu, int index, int count)
    {
        RECT client{};
        GetClientRect(menu, &client);
        const int itemHeight = (client.bottom - 2 * kBorder) / count;
        return MAKELPARAM(client.right / 2, kBorder + itemHeight * index + itemHeight / 2);
    }
    static void Click(HWND menu, int index, int count)
    {
        const LPARAM point = ItemPoint(menu, index, count);
        PostMessageA(menu, WM_MOUSEMOVE, 0, point);
        PostMessageA(menu, WM_LBUTTONDOWN, MK_LBUTTON, point);
        PostMessageA(menu, WM_LBUTTONUP, 0, point);
    }
    DWORD Thread() const { return m_thread; }

private:
    DWORD m_thread;
    std::atomic<bool> m_stop{false};
    std::thread m_worker;
};

// The test skin with a popup-menu object of thin borders and no images:
// every drawing falls back to its plain form.
std::unique_ptr<Skin> MakeMenuSkin()
{
    auto skin = MakeFullSkin();
    auto& menu = AddObjectAs<PopupMenu>(*skin, kTypePopupMenu);
    const SkinRect layout[kFramePartCount] = {
        {0, 0, 2, 2}, {2, 0, 58, 2}, {58, 0, 60, 2}, {0, 2, 2, 38}, {2, 2, 58, 38},
        {58, 2, 60, 38}, {0, 38, 2, 40}, {2, 38, 58, 40}, {58, 38, 60, 40}};
    std::copy(std::begin(layout), std::end(layout), menu.m_layout);
    return skin;
}

class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartTestEngine(*MakeMenuSkin()));
        // The real cursor away from every menu: its moves would take the highlight.
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        SetCursorPos(work.right - 1, work.bottom - 1);
    }
    void TearDown() override { ExitSkinEngine(); }

    int Track(UINT flags, bool systemMenu = false, POINT at = {40, 40})
    {
        return TrackSkinnedPopupMenu(m_menu.Handle(), flags, at, m_owner.Handle(), systemMenu);
    }

    TestMenu m_menu;
    OwnerWindow m_owner;
};

// A key pressed with Alt held.
constexpr UINT WithAlt(UINT key) { return key | 0x10000; }

TEST_F(PopupMenuTest, KeysMoveOverSeparatorsWrapAndChoose)
{
    struct Case {
        const char* name;
        std::vector<UINT> keys;
        int result;
        UINT flags = TPM_RETURNCMD;
    };
    const Case cases[] = {
        {"Escape in the root menu", {VK_ESCAPE}, 0},
        {"Down to the first item", {VK_DOWN, VK_RETURN}, ID_ALPHA},
        {"Down skips the separator", {VK_DOWN, VK_DOWN, VK_RETURN}, ID_BETA},
        {"Down wraps round", {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, ID_ALPHA},
        {"Up skips the separator", {VK_DOWN, VK_DOWN, VK_UP, VK_RETURN}, ID_ALPHA},
        {"Up from none wraps past the last separator", {VK_UP, VK_RETURN, VK_RETURN}, ID_INNER},
        {"a grayed item is not chosen", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN, VK_ESCAPE}, 0},
        {"a mnemonic chooses", {'B'}, ID_BETA},
        {"a grayed item's mnemonic does not", {'G', VK_ESCAPE}, 0},
        {"Right opens the submenu", {VK_UP, VK_RIGHT, VK_RETURN}, ID_INNER},
        {"Left closes it again", {VK_UP, VK_RIGHT, VK_LEFT, VK_UP, VK_UP, VK_RETURN}, ID_BETA},
        {"Escape in a submenu closes only it", {VK_UP, VK_RIGHT, VK_ESCAPE, VK_DOWN, VK_RETURN}, ID_ALPHA},
        {"End goes to the last item", {VK_END, VK_RETURN, VK_RETURN}, ID_INNER},
        {"Home to the first", {VK_UP, VK_UP, VK_HOME, VK_RETURN}, ID_ALPHA},
        {"Alt and a mnemonic choose its item", {WithAlt('B')}, ID_BETA},
        {"Alt and another key leave a returning menu open", {WithAlt('Z'), VK_DOWN, VK_RETURN}, ID_ALPHA},
        {"Alt and another key close an ordinary menu", {WithAlt('Z')}, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuDriver driver([&](MenuDriver& d) {
            d.WaitForMenu();
            // Keys for other windows go to the open menu that has the keyboard.
            for (UINT key : c.keys)
                PostMessageA(m_owner.Handle(), key == LOWORD(key) ? WM_KEYDOWN : WM_SYSKEYDOWN, LOWORD(key),
                             key == LOWORD(key) ? 0 : 0x20000000);
        });
        EXPECT_EQ(c.result, Track(c.flags));
    }
}

TEST_F(PopupMenuTest, ClicksChooseItemsButNeverSeparators)
{
    struct Case {
        const char* name;
        int item;
        int result;
    };
    const Case cases[] = {
        {"an item", 0, ID_ALPHA},
        {"a checked item", 2, ID_BETA},
        {"a separator", TestMenu::kSeparator, 0},
        {"a grayed item", 3, 0},
        {"an item with a submenu", TestMenu::kSubmenuItem, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuDriver driver([&](MenuDriver& d) {
            HWND menu = d.WaitForMenu();
            MenuDriver::Click(menu, c.item, TestMenu::kItems);
        });
        EXPECT_EQ(c.result, Track(TPM_RETURNCMD));
    }
}

TEST_F(PopupMenuTest, HoveringASubmenuItemOpensItAfterHalfASecond)
{
    DWORD hovered = 0, opened = 0;
    RECT parent{}, child{};
    MenuDriver driver([&](MenuDriver& d) {
        HWND menu = d.WaitForMenu();
        hovered = GetTickCount();
        PostMessageA(menu, WM_MOUSEMOVE, 0, MenuDriver::ItemPoint(menu, TestMenu::kSubmenuItem, TestMenu::kItems));
        HWND submenu = d.WaitForMenu({menu});
        opened = GetTickCount();
        GetWindowRect(menu, &parent);
        GetWindowRect(submenu, &child);
        MenuDriver::Click(submenu, 0, 1);
    });
    EXPECT_EQ(static_cast<int>(ID_INNER), Track(TPM_RETURNCMD));
    ASSERT_NE(0u, opened) << "the submenu did not open";
    EXPECT_GE(opened - hovered, 400u);
    EXPECT_EQ(parent.right - kBorder, child.left) << "a submenu with room opens at the item's right edge";
}

TEST_F(PopupMenuTest, MovingToAnotherRootItemClosesTwoOpenSubmenusAndKeepsTheMenu)
{
    // "&Alpha", "&Delta" > "&Inner" > "&Deep".
    HMENU root = CreatePopupMenu(), middle = CreatePopupMenu(), deepest = CreatePopupMenu();
    AppendMenuA(deepest, MF_STRING, ID_INNER, "&Deep");
    AppendMenuA(middle, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(deepest), "&Inner");
    AppendMenuA(root, MF_STRING, ID_ALPHA, "&Alpha");
    AppendMenuA(root, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(middle), "&Delta");
    size_t menusOpen = 0;
    MenuDriver driver([&](MenuDriver& d) {
        HWND first = d.WaitForMenu();
        for (UINT key : {VK_UP, VK_RIGHT, VK_RIGHT})
            PostMessageA(m_owner.Handle(), WM_KEYDOWN, key, 0);
        HWND second = d.WaitForMenu({first});
        d.WaitForMenu({first, second});
        menusOpen = MenusOf(d.Thread()).size();
        MenuDriver::Click(first, 0, 2);
    });
    EXPECT_EQ(static_cast<int>(ID_ALPHA), TrackSkinnedPopupMenu(root, TPM_RETURNCMD, {40, 40}, m_owner.Handle(), false));
    EXPECT_EQ(3u, menusOpen);
    DestroyMenu(root);
}

TEST_F(PopupMenuTest, ASubmenuAtTheWorkAreasRightEdgeOpensOnTheLeft)
{
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT parent{}, child{};
    MenuDriver driver([&](MenuDriver& d) {
        HWND menu = d.WaitForMenu();
        MenuDriver::Key(menu, VK_UP);
        MenuDriver::Key(menu, VK_RIGHT);
        HWND submenu = d.WaitForMenu({menu});
        GetWindowRect(menu, &parent);
        GetWindowRect(submenu, &child);
    });
    Track(TPM_RETURNCMD, false, {work.right - 5, work.top + 40});
    EXPECT_EQ(work.right, parent.right) << "the menu is kept inside the work area";
    EXPECT_EQ(parent.left, child.right);
    EXPECT_GT(child.right, child.left);
}

TEST_F(PopupMenuTest, TheOwnerHearsOfTheHighlightTheCloseAndTheCommand)
{
    const auto menu = reinterpret_cast<WPARAM>(m_menu.Handle());
    const ExpectedMessage systemMenuByKeys[] = {
        {WM_INITMENUPOPUP, SEQ_SENT | SEQ_WPARAM | SEQ_LPARAM, menu, 0x10000},
        {WM_MENUSELECT, SEQ_SENT | SEQ_WPARAM | SEQ_LPARAM, MAKEWPARAM(ID_ALPHA, MF_HILITE), static_cast<LPARAM>(menu)},
        {WM_MENUSELECT, SEQ_SENT | SEQ_WPARAM | SEQ_LPARAM, 0xFFFF0000, 0},
        {SKINMSG_MENU_CLOSED, SEQ_POSTED, 0, 0},
        {WM_SYSCOMMAND, SEQ_POSTED | SEQ_WPARAM, ID_ALPHA, 0},
        {0, 0, 0, 0}};
    const ExpectedMessage ordinaryMenuByMouse[] = {
        {WM_INITMENUPOPUP, SEQ_SENT | SEQ_WPARAM | SEQ_LPARAM, menu, 0},
        {WM_MENUSELECT, SEQ_SENT | SEQ_WPARAM | SEQ_LPARAM, MAKEWPARAM(ID_BETA, MF_HILITE | MF_MOUSESELECT),
         static_cast<LPARAM>(menu)},
        {WM_MENUSELECT, SEQ_SENT | SEQ_WPARAM | SEQ_LPARAM, 0xFFFF0000, 0},
        {SKINMSG_MENU_CLOSED, SEQ_POSTED, 0, 0},
        {WM_COMMAND, SEQ_POSTED | SEQ_WPARAM, ID_BETA, 0},
        {0, 0, 0, 0}};
    const ExpectedMessage escaped[] = {
        {WM_INITMENUPOPUP, SEQ_SENT, 0, 0},
        {WM_MENUSELECT, SEQ_SENT | SEQ_WPARAM | SEQ_LPARAM, 0xFFFF0000, 0},
        {SKINMSG_MENU_CLOSED, SEQ_POSTED, 0, 0},
        {0, 0, 0, 0}};
    struct Case {
        const char* name;
        bool systemMenu;
        std::function<void(HWND)> drive;
        const ExpectedMessage* expected;
        int result;
    };
    const Case cases[] = {
        {"a system menu chosen with the keyboard", true,
         [](HWND m) { MenuDriver::Key(m, VK_DOWN), MenuDriver::Key(m, VK_RETURN); }, systemMenuByKeys, 1},
        {"an ordinary menu chosen with the mouse", false, [](HWND m) { MenuDriver::Click(m, 2, TestMenu::kItems); },
         ordinaryMenuByMouse, 1},
        {"a menu closed with Escape", false, [](HWND m) { MenuDriver::Key(m, VK_ESCAPE); }, escaped, 0},
    };
    for (const Case& c : cases) {
        MessageRecorder recorder(m_owner.Handle(), nullptr);
        {
            MenuDriver driver([&](MenuDriver& d) { c.drive(d.WaitForMenu()); });
            EXPECT_EQ(c.result, Track(0, c.systemMenu)) << c.name;
        }
        PumpMessages();
        EXPECT_TRUE(recorder.Matches(c.expected, c.name, {WM_INITMENUPOPUP, WM_MENUSELECT, SKINMSG_MENU_CLOSED,
                                                          WM_COMMAND, WM_SYSCOMMAND}));
    }
}

TEST_F(PopupMenuTest, TheOwnersCaptionStaysActiveWhileTheMenuIsOpen)
{
    SetActiveWindow(m_owner.Handle());
    ASSERT_EQ(m_owner.Handle(), GetActiveWindow());
    ASSERT_TRUE(g_ownerCaptionActive);
    HWND active = nullptr;
    bool captionActive = false;
    bool swapped = false;
    MenuDriver driver([&](MenuDriver& d) {
        HWND menu = d.WaitForMenu();
        WaitUntil([&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(d.Thread(), &info);
            active = info.hwndActive;
            return active == menu;
        }, kWaitMs);
        captionActive = g_ownerCaptionActive;
        swapped = GetPropA(m_owner.Handle(), "SKIN_WNDPROC") != nullptr;
        MenuDriver::Key(menu, VK_ESCAPE);
    });
    Track(0);
    EXPECT_NE(nullptr, active);
    EXPECT_TRUE(captionActive) << "the menu has the activation, the owner keeps its look";
    EXPECT_TRUE(swapped);
    EXPECT_EQ(nullptr, GetPropA(m_owner.Handle(), "SKIN_WNDPROC"));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&OwnerProc), GetWindowLongPtrA(m_owner.Handle(), GWLP_WNDPROC));
}

// Calls of the default procedure about the activation of a window that no longer exists.
std::atomic<int> g_deadWindowActivations{0};
decltype(&DefWindowProcA) g_defWindowProc = nullptr;
LRESULT WINAPI RecordingDefWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCACTIVATE && !IsWindow(hwnd))
        ++g_deadWindowActivations;
    return g_defWindowProc(hwnd, msg, wp, lp);
}

TEST_F(PopupMenuTest, AnotherProgramTakingTheActivationClosesTheMenuAndTheOwnersCaptionShowsIt)
{
    ScopedImportPatch defProc("user32.dll", "DefWindowProcA", reinterpret_cast<const void*>(&RecordingDefWindowProc));
    ASSERT_TRUE(defProc.Applied());
    g_defWindowProc = reinterpret_cast<decltype(&DefWindowProcA)>(reinterpret_cast<void*>(defProc.Original()));
    const struct {
        const char* name;
        std::vector<UINT> keys;  // to the root menu before the switch
    } rows[] = {
        {"the menu alone", {}},
        {"a submenu open", {VK_UP, VK_RIGHT}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SetForegroundWindow(m_owner.Handle());
        ASSERT_TRUE(g_ownerCaptionActive);
        g_deadWindowActivations = 0;
        std::atomic<bool> checked{false};
        size_t menusOpen = 0;
        int result = -1;
        bool captionActive = true;
        {
            MenuDriver driver([&](MenuDriver& d) {
                HWND menu = d.WaitForMenu();
                for (UINT key : row.keys)
                    MenuDriver::Key(menu, key);
                menusOpen = row.keys.empty() ? 1 : (d.WaitForMenu({menu}) ? 2 : 1);
                // Another program's window, shown, takes the foreground.
                HWND other = CreateWindowExA(0, "Static", "another program", WS_POPUP | WS_VISIBLE, 600, 500, 40, 40,
                                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
                WaitUntil([&] { return checked.load(); }, kWaitMs);
                DestroyWindow(other);
            });
            result = Track(0);
            captionActive = g_ownerCaptionActive;
            checked = true;
        }
        EXPECT_EQ(row.keys.empty() ? 1u : 2u, menusOpen);
        EXPECT_EQ(1, result) << "closed by the switch, not by Escape";
        EXPECT_FALSE(captionActive) << "the owner's caption still shows it active";
        EXPECT_EQ(0, g_deadWindowActivations.load()) << "a menu's object was used after it ended";
    }
}

TEST_F(PopupMenuTest, AMenuIsCutToTheShapeOfItsBorderWhenTheSkinCutsWindows)
{
    for (bool cuts : {false, true}) {
        SCOPED_TRACE(cuts ? "the skin cuts windows" : "the skin cuts no window");
        std::unique_ptr<Skin> skin = MakeMenuSkin();
        auto& application = AddObjectAs<Application>(*skin, kTypeApplication);
        application.m_thirdColour = RGB(255, 0, 255);
        application.m_useTransparentColour = cuts;
        // The top-left corner of the border leaves its outermost pixel out.
        AddPaintedImage(*skin, "corner", kBorder, kBorder,
                        [](int x, int y) { return x == 0 && y == 0 ? RGB(255, 0, 255) : RGB(10, 20, 30); });
        ImageSlice& corner = dynamic_cast<PopupMenu&>(*skin->DefaultObject(kTypePopupMenu)).m_active[kPartTopLeft];
        std::strcpy(corner.imageName, "corner");
        corner.source = {0, 0, kBorder, kBorder};
        ASSERT_NE(0, LoadTestSkin(*skin));
        bool shaped = false;
        bool cornerInside = true;
        bool restInside = false;
        {
            MenuDriver driver([&](MenuDriver& d) {
                HWND menu = d.WaitForMenu();
                CRegionObject region(CreateRectRgn(0, 0, 0, 0));
                shaped = GetWindowRgn(menu, region.Get()) != ERROR;
                cornerInside = PtInRegion(region.Get(), 0, 0) != FALSE;
                restInside = PtInRegion(region.Get(), 1, 0) && PtInRegion(region.Get(), 0, 1) &&
                             PtInRegion(region.Get(), 30, 20);
                MenuDriver::Key(menu, VK_ESCAPE);
            });
            Track(0);
        }
        EXPECT_EQ(cuts, shaped);
        if (cuts) {
            EXPECT_FALSE(cornerInside);
            EXPECT_TRUE(restInside);
        }
    }
}

TEST_F(PopupMenuTest, AltSpaceOpensTheSkinnedSystemMenuOfASkinnedFrame)
{
    TestDialog dialog;
    ShowWindow(dialog.Handle(), SW_SHOW);
    SetActiveWindow(dialog.Handle());
    ASSERT_NE(nullptr, Skinned(dialog.Handle()));
    HWND owner = nullptr;
    MenuDriver driver([&](MenuDriver& d) {
        HWND menu = d.WaitForMenu();
        owner = GetWindow(menu, GW_OWNER);
        MenuDriver::Key(menu, VK_ESCAPE);
    });
    constexpr LPARAM kAltHeld = 0x20000000;
    EXPECT_EQ(1, KeyboardHook(HC_ACTION, VK_SPACE, kAltHeld | 1)) << "the key is consumed";
    EXPECT_EQ(dialog.Handle(), owner);
}

TEST_F(PopupMenuTest, OpeningMenusLeavesNoGuiObjects)
{
    MenuDriver closer([](MenuDriver&) {});  // closes every menu it sees
    EXPECT_TRUE(LeavesNoGuiObjects([&] { Track(0); }, 200));
}

TEST_F(PopupMenuTest, ClicksAndMovesOutsideTheMenuGoBackToTheOwner)
{
    POINT screen{5, 6};
    ClientToScreen(m_owner.Handle(), &screen);
    const LPARAM screenPoint = MAKELPARAM(screen.x, screen.y);
    struct Case {
        const char* name;
        MenuKind kind;
        UINT input;
        LPARAM point;
        UINT told;  // what the owner gets
        int result;
    };
    const Case cases[] = {
        {"a left click outside a menu-bar menu", kMenuOfBar, WM_LBUTTONDOWN, MAKELPARAM(5, 6),
         SKINMSG_MENU_LBUTTON_OUTSIDE, 1},
        {"a right click outside a menu-bar menu", kMenuOfBar, WM_RBUTTONDOWN, MAKELPARAM(5, 6),
         SKINMSG_MENU_RBUTTON_OUTSIDE, 1},
        {"a move outside a menu-bar menu, which stays open", kMenuOfBar, WM_MOUSEMOVE, MAKELPARAM(5, 6),
         SKINMSG_MENU_MOVE_OUTSIDE, 0},
        {"a click on the owner's frame closes a system menu and reaches the frame", kSystemMenu, WM_NCLBUTTONDOWN,
         screenPoint, WM_NCLBUTTONDOWN, 0},
        {"a click outside an ordinary menu closes it", kOrdinaryMenu, WM_LBUTTONDOWN, MAKELPARAM(5, 6),
         SKINMSG_MENU_CLOSED, 1},
    };
    for (const Case& c : cases) {
        MessageRecorder recorder(m_owner.Handle(), nullptr);
        g_ownerFrameClicks = 0;
        int result = -1;
        {
            MenuDriver driver([&](MenuDriver& d) {
                d.WaitForMenu();
                PostMessageA(m_owner.Handle(), c.input, HTNOWHERE, c.point);
            });
            result = TrackSkinnedMenu(m_menu.Handle(), 0, {40, 40}, m_owner.Handle(), c.kind);
        }
        PumpMessages();
        EXPECT_EQ(c.result, result) << c.name;
        const LPARAM told = c.told == SKINMSG_MENU_CLOSED ? 0 : screenPoint;
        const ExpectedMessage expected[] = {{c.told, SEQ_POSTED | SEQ_LPARAM, 0, told}, {0, 0, 0, 0}};
        EXPECT_TRUE(recorder.Matches(expected, c.name));
        EXPECT_EQ(c.input == WM_NCLBUTTONDOWN ? 1 : 0, g_ownerFrameClicks.load()) << c.name;
    }
}

TEST_F(PopupMenuTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner)
{
    constexpr ULONG_PTR kData = 0x5EED;
    AppendMenuA(m_menu.Handle(), MF_OWNERDRAW, 301, reinterpret_cast<const char*>(kData));
    g_ownerDrawnData = 0;
    MessageRecorder recorder(m_owner.Handle(), nullptr);
    {
        MenuDriver driver([&](MenuDriver& d) {
            HWND menu = d.WaitForMenu();
            UpdateWindow(menu);  // painted on the menu's thread before this returns
            MenuDriver::Key(menu, VK_ESCAPE);
        });
        Track(0);
    }
    const ExpectedMessage expected[] = {{WM_MEASUREITEM, SEQ_SENT, 0, 0}, {WM_DRAWITEM, SEQ_SENT | SEQ_WPARAM, 0, 0},
                                        {0, 0, 0, 0}};
    EXPECT_TRUE(recorder.Matches(expected, "owner-drawn"));
    EXPECT_EQ(kData, g_ownerDrawnData.load());
}

TEST_F(PopupMenuTest, ScrollAreasOfAMenuTallerThanTheWorkAreaMoveItByOneItem)
{
    int itemHeight = 0;
    {
        MenuDriver driver([&](MenuDriver& d) {
            RECT client{};
            GetClientRect(d.WaitForMenu(), &client);
            itemHeight = (client.bottom - 2 * kBorder) / TestMenu::kItems;
        });
        Track(0);
    }
    ASSERT_GT(itemHeight, 0);
    HMENU tall = CreatePopupMenu();
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int count = (work.bottom - work.top) / itemHeight + 10;
    for (int i = 0; i < count; ++i)
        AppendMenuA(tall, MF_STRING, 1000 + i, "Item");
    RECT shown{};
    MenuDriver driver([&](MenuDriver& d) {
        HWND menu = d.WaitForMenu();
        GetWindowRect(menu, &shown);
        RECT client{};
        GetClientRect(menu, &client);
        const LPARAM scrollUp = MAKELPARAM(client.right / 2, kBorder + 1);
        const LPARAM scrollDown = MAKELPARAM(client.right / 2, client.bottom - kBorder - 1);
        for (LPARAM area : {scrollDown, scrollDown, scrollUp}) {
            PostMessageA(menu, WM_LBUTTONDOWN, MK_LBUTTON, area);
            PostMessageA(menu, WM_LBUTTONUP, 0, area);
        }
        const LPARAM firstShown = MAKELPARAM(client.right / 2, kBorder + itemHeight + itemHeight / 2);
        PostMessageA(menu, WM_MOUSEMOVE, 0, firstShown);
        PostMessageA(menu, WM_LBUTTONUP, 0, firstShown);
    });
    EXPECT_EQ(1001, TrackSkinnedPopupMenu(tall, TPM_RETURNCMD, {40, 40}, m_owner.Handle(), false));
    EXPECT_EQ(work.bottom - work.top, shown.bottom - shown.top) << "the menu takes the work area's height";
    DestroyMenu(tall);
}

TEST(PopupMenuGeometry, AlignmentFlagsAndTheWorkArea)
{
    const RECT work{0, 0, 800, 600};
    const SIZE size{100, 50};
    struct Case {
        const char* name;
        UINT flags;
        POINT at;
        RECT expected;
    };
    const Case cases[] = {
        {"left and top", TPM_LEFTALIGN | TPM_TOPALIGN, {200, 100}, {200, 100, 300, 150}},
        {"centred", TPM_CENTERALIGN | TPM_VCENTERALIGN, {200, 100}, {150, 75, 250, 125}},
        {"right and bottom", TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {200, 100}, {100, 50, 200, 100}},
        {"moved in from the right edge", 0, {790, 100}, {700, 100, 800, 150}},
        {"moved in from the bottom", 0, {200, 590}, {200, 550, 300, 600}},
        {"moved in from the top left", TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {20, 20}, {0, 0, 100, 50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RECT got = KeepInWorkArea(AlignMenu(size, c.at, c.flags), work);
        EXPECT_TRUE(EqualRect(&c.expected, &got))
            << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    }
    const RECT tall = KeepInWorkArea({10, -20, 110, 700}, work);
    EXPECT_EQ(0, tall.top);
    EXPECT_EQ(600, tall.bottom) << "a menu taller than the work area takes its height";
    const RECT submenu = PlaceSubmenu({300, 580, 400, 600}, {300, 500, 400, 600}, size, work);
    EXPECT_EQ(400, submenu.left);
    EXPECT_EQ(550, submenu.top) << "moved up to end at the work area's bottom";
}

}  // namespace
