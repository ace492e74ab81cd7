// The skinned frame of a dialog: hit testing, caption buttons, the window
// region and the painted frame, checked on real dialogs wearing a skin whose
// parts all have colours of their own.
#include "FrameTestSkin.h"
#include "TestSkins.h"

#include "skin/core/FrameObjects.h"
#include "skin/SkinEngine.h"
#include "support/FreedMemory.h"
#include "support/GuiObjects.h"
#include "support/ImportPatch.h"
#include "support/PixelCanvas.h"
#include "support/WindowWatch.h"

#include <atomic>
#include <functional>
#include <memory>
#include <set>
#include <thread>

using namespace skin;
using namespace frametest;

namespace {

constexpr DWORD kDialogFrame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kSizableFrame = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr int kWidth = 400;   // the test dialogs' size; the design is 276 x 160
constexpr int kHeight = 300;

class FrameTest : public ::testing::Test {
protected:
    void TearDown() override { ExitSkinEngine(); }

    void Start(bool useTransparent = true, const std::vector<CaptionButtonLayout>& buttons = {})
    {
        StartTestEngine(*MakeFrameSkin(useTransparent, buttons));
    }
};

// The popup menu window of this thread, waited for; closed with Esc.
struct MenuCloser {
    std::thread thread;
    std::atomic<bool> seen{false};

    explicit MenuCloser(DWORD menuThread)
        : thread([this, menuThread] {
              HWND menu = nullptr;
              WaitUntil([&] { return (menu = FindMenuOf(menuThread)) != nullptr; }, 10000);
              seen = menu != nullptr;
              if (menu)
                  PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
          })
    {
    }
    ~MenuCloser() { thread.join(); }

    static BOOL CALLBACK TakeMenuWindow(HWND hwnd, LPARAM out)
    {
        char name[32] = {};
        GetClassNameA(hwnd, name, sizeof name);
        if (IsWindowVisible(hwnd) && (!lstrcmpA(name, "#32768") || !lstrcmpA(name, "TessalinePopupMenuWnd"))) {
            *reinterpret_cast<HWND*>(out) = hwnd;
            return FALSE;
        }
        return TRUE;
    }

    static HWND FindMenuOf(DWORD threadId)
    {
        HWND found = nullptr;
        EnumThreadWindows(threadId, TakeMenuWindow, reinterpret_cast<LPARAM>(&found));
        return found;
    }
};

TEST_F(FrameTest, ClientAreaKeepsItsSizeInsideTheFrame)
{
    Start();
    FrameDialog dialog(kDialogFrame, kWidth, kHeight);
    RECT client{};
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(kWidth - 10 - 10, client.right);
    EXPECT_EQ(kHeight - 30 - 12, client.bottom);
    POINT origin{0, 0};
    ClientToScreen(dialog.Handle(), &origin);
    RECT window{};
    GetWindowRect(dialog.Handle(), &window);
    EXPECT_EQ(10, origin.x - window.left);
    EXPECT_EQ(30, origin.y - window.top);
}

TEST_F(FrameTest, UnframedDialogKeepsItsBorderlessShapeAndShowsTheBackground)
{
    Start();
    FrameDialog parent(kDialogFrame, kWidth, kHeight);
    FrameDialog child(WS_CHILD | WS_VISIBLE, 100, 80, 0, parent.Handle());
    RECT client{};
    GetClientRect(child.Handle(), &client);
    EXPECT_EQ(100, client.right);
    EXPECT_EQ(80, client.bottom);
    CRegionObject region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(ERROR, GetWindowRgn(child.Handle(), region.Get()));
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)),
              SendMessageA(child.Handle(), WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(child.Handle())));
    PixelCanvas canvas(10, 10);
    canvas.Fill(RGB(1, 2, 3));
    EXPECT_EQ(1, SendMessageA(child.Handle(), 6037, reinterpret_cast<WPARAM>(canvas.Dc()),
                              reinterpret_cast<LPARAM>(child.Handle())));
    EXPECT_EQ(10 * 10, canvas.CountColour(PartColour(kPartClient), 0, 0, 10, 10));
}

TEST_F(FrameTest, HitTestAnswersEveryPartAndCorner)
{
    const struct {
        POINT point;
        LRESULT sizable;
        LRESULT fixed;  // no thick frame, both frame styles, or maximized
    } rows[] = {
        {{0, 0}, HTTOPLEFT, HTCAPTION},       {{4, 4}, HTTOPLEFT, HTCAPTION},
        {{5, 4}, HTCAPTION, HTCAPTION},       {{4, 5}, HTCAPTION, HTCAPTION},
        {{85, 29}, HTCAPTION, HTCAPTION},     {{86, 0}, HTTOP, HTCAPTION},
        {{200, 4}, HTTOP, HTCAPTION},         {{200, 5}, HTCAPTION, HTCAPTION},
        {{296, 29}, HTCAPTION, HTCAPTION},    {{297, 0}, HTCAPTION, HTCAPTION},
        {{395, 4}, HTTOPRIGHT, HTCAPTION},    {{399, 0}, HTTOPRIGHT, HTCAPTION},
        {{394, 4}, HTCAPTION, HTCAPTION},     {{399, 29}, HTCAPTION, HTCAPTION},
        {{0, 30}, HTLEFT, HTNOWHERE},         {{9, 287}, HTLEFT, HTNOWHERE},
        {{10, 30}, HTCLIENT, HTCLIENT},       {{389, 287}, HTCLIENT, HTCLIENT},
        {{390, 30}, HTRIGHT, HTNOWHERE},      {{399, 287}, HTRIGHT, HTNOWHERE},
        {{0, 299}, HTBOTTOMLEFT, HTNOWHERE},  {{4, 295}, HTBOTTOMLEFT, HTNOWHERE},
        {{5, 295}, HTBOTTOM, HTNOWHERE},      {{9, 288}, HTBOTTOM, HTNOWHERE},
        {{10, 288}, HTBOTTOM, HTNOWHERE},     {{389, 299}, HTBOTTOM, HTNOWHERE},
        {{390, 288}, HTBOTTOM, HTNOWHERE},    {{394, 295}, HTBOTTOM, HTNOWHERE},
        {{395, 295}, HTBOTTOMRIGHT, HTNOWHERE}, {{399, 299}, HTBOTTOMRIGHT, HTNOWHERE},
    };
    Start();
    FrameDialog sizable(kSizableFrame, kWidth, kHeight);
    FrameDialog noThickFrame(kDialogFrame, kWidth, kHeight);
    FrameDialog bothFrames(kSizableFrame | DS_MODALFRAME, kWidth, kHeight);
    for (const auto& row : rows) {
        const auto at = ::testing::Message() << "at " << row.point.x << ", " << row.point.y;
        EXPECT_EQ(row.sizable, sizable.HitTest(row.point)) << at;
        EXPECT_EQ(row.fixed, noThickFrame.HitTest(row.point)) << at;
        EXPECT_EQ(row.fixed, bothFrames.HitTest(row.point)) << at;
    }
    // Maximized, the sizable frame answers like a fixed one at its new size.
    ShowWindow(sizable.Handle(), SW_MAXIMIZE);
    RECT window{};
    GetWindowRect(sizable.Handle(), &window);
    EXPECT_EQ(HTCAPTION, sizable.HitTest({0, 0}));
    EXPECT_EQ(HTNOWHERE, sizable.HitTest({0, 40}));
    EXPECT_EQ(HTNOWHERE, sizable.HitTest({window.right - window.left - 1, window.bottom - window.top - 1}));
}

TEST_F(FrameTest, CaptionElementsFollowTheirAnchorOnAResizedFrame)
{
    // Side by side in the design frame's client area, each posting its anchor code as command.
    const auto placement = [](int32_t anchor) { return SkinRect{20 + 25 * anchor, 70, 36 + 25 * anchor, 86}; };
    std::vector<CaptionButtonLayout> buttons;
    for (int32_t anchor : {0, 1, 2, 3, 4, 5, 6, 7, 8})
        buttons.push_back({anchor, kActionCommand, 1000u + anchor, placement(anchor)});
    Start(true, buttons);
    FrameDialog dialog(kSizableFrame | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, kWidth, kHeight);
    const LONG dx = kWidth - 276;
    const LONG dy = kHeight - 160;
    for (int32_t anchor : {0, 1, 2, 3, 4, 5, 6, 7, 8}) {
        const bool right = anchor == 4 || anchor == 5 || anchor == 6;
        const bool bottom = anchor == 2 || anchor == 5 || anchor == 8;
        const SkinRect design = placement(anchor);
        const POINT point{design.left + (right ? dx : 0), design.bottom - 1 + (bottom ? dy : 0)};
        EXPECT_EQ(HTCAPTION, dialog.HitTest(point)) << "anchor " << anchor;
        EXPECT_EQ(HTCLIENT, dialog.HitTest({point.x - 1, point.y})) << "anchor " << anchor;
        dialog.SendAt(WM_NCLBUTTONDOWN, point);
        dialog.SendAt(WM_NCLBUTTONUP, point);
        EXPECT_EQ(1000 + anchor, static_cast<int>(dialog.TakePosted(WM_COMMAND, WM_COMMAND).wParam)) << "anchor " << anchor;
    }
}

TEST_F(FrameTest, CaptionButtonsPostWhatTheirActionSays)
{
    const std::vector<CaptionButtonLayout> buttons = {
        {0, kActionCommand, 4711, {100, 5, 120, 25}}, {0, kActionClose, 0, {120, 5, 140, 25}},
        {0, kActionNothing, 0, {140, 5, 160, 25}},    {0, kActionMaximize, 0, {160, 5, 180, 25}},
        {0, kActionMinimize, 0, {180, 5, 200, 25}},
    };
    Start(true, buttons);
    FrameDialog dialog(kSizableFrame | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, kWidth, kHeight);
    const struct {
        int button;
        UINT message;  // 0: nothing is posted
        WPARAM wParam;
    } rows[] = {
        {0, WM_COMMAND, 4711}, {1, WM_SYSCOMMAND, SC_CLOSE}, {2, 0, 0},
        {3, WM_SYSCOMMAND, SC_MAXIMIZE}, {4, WM_SYSCOMMAND, SC_MINIMIZE},
    };
    for (const auto& row : rows) {
        const POINT point{110 + 20 * row.button, 15};
        dialog.SendAt(WM_NCLBUTTONDOWN, point);
        EXPECT_EQ(kButtonPressed, dialog.PixelAt(point)) << "button " << row.button;
        dialog.SendAt(WM_NCLBUTTONUP, point);
        EXPECT_EQ(kButtonNormal, dialog.PixelAt(point)) << "button " << row.button;
        const MSG posted = dialog.TakePosted(WM_COMMAND, WM_SYSCOMMAND);
        EXPECT_EQ(row.message, posted.message) << "button " << row.button;
        EXPECT_EQ(row.wParam, posted.wParam) << "button " << row.button;
    }
    // Maximized and minimized windows are restored by the same buttons.
    ShowWindow(dialog.Handle(), SW_MAXIMIZE);
    dialog.SendAt(WM_NCLBUTTONDOWN, {170, 15});
    dialog.SendAt(WM_NCLBUTTONUP, {170, 15});
    EXPECT_EQ(WPARAM(SC_RESTORE), dialog.TakePosted(WM_SYSCOMMAND, WM_SYSCOMMAND).wParam);
    // A press released away from the button does nothing.
    ShowWindow(dialog.Handle(), SW_RESTORE);
    dialog.SendAt(WM_NCLBUTTONDOWN, {110, 15});
    dialog.SendAt(WM_NCLBUTTONUP, {250, 15});
    EXPECT_EQ(0u, dialog.TakePosted(WM_COMMAND, WM_SYSCOMMAND).message);
}

TEST_F(FrameTest, SystemMenuButtonOpensTheMenuAndClosesOnDoubleClick)
{
    Start(true, {{0, kActionSystemMenu, 0, {6, 5, 28, 25}}});
    FrameDialog dialog(kDialogFrame, kWidth, kHeight);
    {
        MenuCloser closer(GetCurrentThreadId());
        EXPECT_EQ(0, dialog.SendAt(WM_NCLBUTTONDOWN, {10, 10}));
        closer.thread.join();
        closer.thread = std::thread([] {});
        EXPECT_TRUE(closer.seen);
    }
    dialog.SendAt(WM_NCLBUTTONDBLCLK, {10, 10});
    EXPECT_EQ(WPARAM(SC_CLOSE), dialog.TakePosted(WM_SYSCOMMAND, WM_SYSCOMMAND).wParam);
}

// Run by a timer in the system menu's own loop once the menu shows: what
// the test does there; then the menu, if it is still open, is printed and closed.
std::function<void()> g_inMenuLoop;
COLORREF g_menuCorner = CLR_INVALID;
constexpr COLORREF kMenuBorder = RGB(10, 20, 30);
void CALLBACK ActInMenuLoop(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!MenuCloser::FindMenuOf(GetCurrentThreadId()))
        return;
    KillTimer(nullptr, timer);
    g_inMenuLoop();
    if (HWND menu = MenuCloser::FindMenuOf(GetCurrentThreadId())) {
        g_menuCorner = PixelCanvas::OfClient(menu)->Pixel(0, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);  // wakes a loop whose menu went with its owner
}

TEST_F(FrameTest, TheSystemMenuOutlivesASkinSwitchNoSkinAndTheDialogsEndInItsLoop)
{
    auto skinWithMenu = [](COLORREF menuBorder) {
        std::unique_ptr<Skin> skin = MakeFrameSkin(true, {{0, kActionSystemMenu, 0, {6, 5, 28, 25}}});
        auto& menu = AddObjectAs<PopupMenu>(*skin, kTypePopupMenu);
        menu.m_layout[kPartTopLeft] = {0, 0, 2, 2};
        menu.m_activeColour = menuBorder;
        return skin;
    };
    ScopedFreedMemoryFill freedMemory;
    ASSERT_TRUE(freedMemory.Applied());
    std::unique_ptr<FrameDialog> dialog;
    const struct {
        const char* name;
        std::function<void()> inLoop;
        bool skinnedAfter;
        COLORREF menuCorner;  // the open menu keeps the look it opened with
    } rows[] = {
        {"another skin", [&] { EXPECT_NE(0, LoadTestSkin(*skinWithMenu(RGB(200, 0, 0)))); }, true, kMenuBorder},
        {"no skin", [] { EXPECT_EQ(1, UnloadSkin()); }, false, kMenuBorder},
        {"the dialog's end", [&] { DestroyWindow(dialog->Handle()); }, false, CLR_INVALID},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        StartTestEngine(*skinWithMenu(kMenuBorder));
        dialog = std::make_unique<FrameDialog>(kDialogFrame, kWidth, kHeight);
        g_inMenuLoop = row.inLoop;
        g_menuCorner = CLR_INVALID;
        const UINT_PTR timer = SetTimer(nullptr, 0, 1, &ActInMenuLoop);
        EXPECT_EQ(0, dialog->SendAt(WM_NCLBUTTONDOWN, {10, 10}));
        KillTimer(nullptr, timer);  // had the menu not shown, no later menu meets this row
        EXPECT_EQ(row.skinnedAfter, Skinned(dialog->Handle()) != nullptr);
        EXPECT_EQ(row.menuCorner, g_menuCorner);
        dialog.reset();
        ExitSkinEngine();
    }
    EXPECT_EQ(0, freedMemory.FreedMemoryUses());
}

TEST_F(FrameTest, FixedAndMaximizedFramesDoNotMoveNorOpenMenusOnTheCaption)
{
    Start();
    FrameDialog dialog(kSizableFrame | WS_MAXIMIZEBOX, kWidth, kHeight);
    // A right click on the caption leaves the system's caption menu shut (it would block this call).
    EXPECT_EQ(0, dialog.SendAt(WM_NCRBUTTONDOWN, {200, 15}));
    EXPECT_EQ(0, dialog.SendAt(WM_NCRBUTTONUP, {200, 15}));
    EXPECT_NE(dialog.Handle(), GetCapture());
    // A drag on the caption of a normal window starts the system's move.
    dialog.SendAt(WM_NCLBUTTONDOWN, {200, 15});
    EXPECT_EQ(std::vector<WPARAM>{SC_MOVE}, FrameDialog::SystemCommands());
    ShowWindow(dialog.Handle(), SW_MAXIMIZE);
    FrameDialog::SystemCommands().clear();
    dialog.SendAt(WM_NCLBUTTONDOWN, {200, 15});
    EXPECT_TRUE(FrameDialog::SystemCommands().empty());
}

TEST_F(FrameTest, RegionCutsWhatTheFrameImagesLeaveTransparentOnlyWhenTheSkinAsks)
{
    struct Point {
        POINT at;
        bool inside;
    };
    const std::vector<Point> corners = {{{0, 0}, false}, {{kWidth - 1, kCornerCut - 1}, false},
                                        {{kCornerCut, 0}, true}, {{kWidth - 1, kCornerCut}, true},
                                        {{kWidth - 1, kHeight - 1}, true}};
    std::vector<Point> noBottomLeft = corners;
    noBottomLeft.insert(noBottomLeft.end(), {{{0, kHeight - 1}, false}, {{9, kHeight - 12}, false},
                                             {{10, kHeight - 1}, true}, {{0, kHeight - 13}, true}});
    const struct {
        const char* name;
        bool useTransparent;
        bool bottomLeftTransparent;  // its slice is the transparent colour all over
        std::vector<Point> points;   // none: the window has no region
    } rows[] = {
        {"the skin asks for no cut", false, false, {}},
        {"transparent corners", true, false, corners},
        {"a part whose slice is transparent all over", true, true, noBottomLeft},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::unique_ptr<Skin> skin = MakeFrameSkin(row.useTransparent, {});
        if (row.bottomLeftTransparent)
            FrameOf(*skin).m_active[kPartBottomLeft] = TransparentSlice();
        StartTestEngine(*skin);
        FrameDialog dialog(kDialogFrame, kWidth, kHeight);
        CRegionObject region(CreateRectRgn(0, 0, 0, 0));
        ASSERT_EQ(!row.points.empty(), GetWindowRgn(dialog.Handle(), region.Get()) != ERROR);
        for (const Point& point : row.points)
            EXPECT_EQ(point.inside, PtInRegion(region.Get(), point.at.x, point.at.y) != FALSE)
                << point.at.x << ", " << point.at.y;
        ExitSkinEngine();
    }
}

TEST_F(FrameTest, PartsWithoutASliceShowTheFrameAndClientColoursWhateverTheirSpareByte)
{
    constexpr COLORREF kFrameFill = RGB(20, 140, 60);
    constexpr COLORREF kClientFill = RGB(200, 30, 90);
    std::unique_ptr<Skin> skin = MakeFrameSkin(false, {});
    FrameWnd& frame = FrameOf(*skin);
    frame.m_active[kPartLeft] = frame.m_active[kPartClient] = ImageSlice{};
    frame.m_activeColour = frame.m_inactiveColour = kFrameFill | 0xFF000000;
    frame.m_clientColour = kClientFill | 0xFF000000;
    StartTestEngine(*skin);
    FrameDialog dialog(kDialogFrame, kWidth, kHeight);
    RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(kFrameFill, dialog.PixelAt({0, kHeight / 2}));
    EXPECT_EQ(kClientFill, dialog.PixelAt({kWidth / 2, kHeight / 2}));
}

// The regions given to windows, and how often the program deleted one of them.
std::set<HRGN> g_windowRegions;
int g_windowRegionsDeleted = 0;
decltype(&DeleteObject) g_deleteObject = nullptr;
BOOL WINAPI RecordingDeleteObject(HGDIOBJ object)
{
    if (g_windowRegions.count(static_cast<HRGN>(object)))
        ++g_windowRegionsDeleted;
    return g_deleteObject(object);
}

int g_regionsSet = 0;
decltype(&SetWindowRgn) g_setWindowRgn = nullptr;
int WINAPI CountingSetWindowRgn(HWND hwnd, HRGN region, BOOL redraw)
{
    ++g_regionsSet;
    if (region)
        g_windowRegions.insert(region);
    return g_setWindowRgn(hwnd, region, redraw);
}

// A window owns the region it was given, and deletes it when it gets
// another or ends: whoever deleted it too could take an unrelated object
// that had been given the recycled handle with it.
TEST_F(FrameTest, TheEngineNeverDeletesARegionItGaveAWindow)
{
    ScopedImportPatch setRegion("user32.dll", "SetWindowRgn", reinterpret_cast<const void*>(&CountingSetWindowRgn));
    ScopedImportPatch deleteObject("gdi32.dll", "DeleteObject", reinterpret_cast<const void*>(&RecordingDeleteObject));
    ASSERT_TRUE(setRegion.Applied() && deleteObject.Applied());
    g_setWindowRgn = reinterpret_cast<decltype(&SetWindowRgn)>(reinterpret_cast<void*>(setRegion.Original()));
    g_deleteObject = reinterpret_cast<decltype(&DeleteObject)>(reinterpret_cast<void*>(deleteObject.Original()));
    for (bool destroyedFirst : {false, true}) {
        SCOPED_TRACE(destroyedFirst ? "the dialog ends while skinned" : "the engine stops while the dialog lives");
        g_windowRegions.clear();
        g_windowRegionsDeleted = 0;
        Start();
        auto dialog = std::make_unique<FrameDialog>(kSizableFrame, kWidth, kHeight);
        dialog->Resize(kWidth + 20, kHeight);
        const HWND hwnd = dialog->Handle();
        if (destroyedFirst)
            dialog.reset();
        ExitSkinEngine();
        CRegionObject region(CreateRectRgn(0, 0, 0, 0));
        if (!destroyedFirst) {
            EXPECT_EQ(ERROR, GetWindowRgn(hwnd, region.Get())) << "unskinned, the window is whole again";
        }
        EXPECT_GE(g_windowRegions.size(), 2u);
        EXPECT_EQ(0, g_windowRegionsDeleted);
    }
}

TEST_F(FrameTest, ResizingKeepsCornersStretchesMiddlesAndRebuildsTheRegionOncePerSize)
{
    Start();
    ScopedImportPatch patch("user32.dll", "SetWindowRgn", reinterpret_cast<const void*>(&CountingSetWindowRgn));
    ASSERT_TRUE(patch.Applied());
    g_setWindowRgn = reinterpret_cast<decltype(&SetWindowRgn)>(reinterpret_cast<void*>(patch.Original()));
    g_regionsSet = 0;
    FrameDialog dialog(kSizableFrame, kWidth, kHeight);
    const int afterShow = g_regionsSet;
    EXPECT_GE(afterShow, 1);
    const SIZE sizes[] = {{500, 350}, {500, 350}, {300, 200}, {300, 200}, {640, 180}};
    int expected = afterShow;
    SIZE previous{kWidth, kHeight};
    for (const SIZE& size : sizes) {
        dialog.Resize(size.cx, size.cy);
        expected += (size.cx != previous.cx || size.cy != previous.cy) ? 1 : 0;
        previous = size;
        EXPECT_EQ(expected, g_regionsSet) << size.cx << " x " << size.cy;
        const LONG w = size.cx;
        const LONG h = size.cy;
        const struct {
            POINT point;
            int part;
        } samples[] = {
            {{85, 29}, kPartTopLeft},           {{86, 15}, kPartTop},
            {{w - 104, 15}, kPartTop},          {{w - 103, 15}, kPartTopRight},
            {{0, h / 2}, kPartLeft},            {{w - 1, h / 2}, kPartRight},
            {{9, h - 1}, kPartBottomLeft},      {{10, h - 12}, kPartBottom},
            {{w - 11, h - 1}, kPartBottom},     {{w - 10, h - 12}, kPartBottomRight},
        };
        for (const auto& sample : samples)
            EXPECT_EQ(PartColour(sample.part), dialog.PixelAt(sample.point))
                << sample.point.x << ", " << sample.point.y << " at " << w << " x " << h;
    }
    // Painting again at the same size leaves the region alone.
    for (int i = 0; i < 5; ++i)
        RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(expected, g_regionsSet);
}

// The system caption's colours, which no skinned frame pixel may show.
bool IsSystemCaptionColour(COLORREF colour)
{
    for (int index : {COLOR_ACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION, COLOR_INACTIVECAPTION,
                      COLOR_GRADIENTINACTIVECAPTION, COLOR_CAPTIONTEXT, COLOR_ACTIVEBORDER})
        if (colour == GetSysColor(index))
            return true;
    return false;
}

HWND g_titled = nullptr;
int g_systemPixels = -1;
decltype(&SendMessageA) g_sendMessage = nullptr;
LRESULT WINAPI SnapshotBeforeFramePaint(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    // The frame asks for its own painting once the system has had its go at the new title.
    if (hwnd == g_titled && msg == WM_NCPAINT) {
        HDC dc = GetWindowDC(hwnd);
        CRegionObject shape(CreateRectRgn(0, 0, 0, 0));
        GetWindowRgn(hwnd, shape.Get());
        g_systemPixels = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < kWidth; x += 2)
                g_systemPixels += PtInRegion(shape.Get(), x, y) && IsSystemCaptionColour(GetPixel(dc, x, y)) ? 1 : 0;
        ReleaseDC(hwnd, dc);
    }
    return g_sendMessage(hwnd, msg, wp, lp);
}

TEST_F(FrameTest, NewTitleRepaintsTheCaptionWithoutTheSystemCaption)
{
    Start();
    FrameDialog dialog(kDialogFrame, kWidth, kHeight);
    SetActiveWindow(dialog.Handle());
    ScopedImportPatch patch("user32.dll", "SendMessageA", reinterpret_cast<const void*>(&SnapshotBeforeFramePaint));
    ASSERT_TRUE(patch.Applied());
    g_sendMessage = reinterpret_cast<decltype(&SendMessageA)>(reinterpret_cast<void*>(patch.Original()));
    g_titled = dialog.Handle();
    SetWindowTextA(dialog.Handle(), "A new title that is long enough");
    g_titled = nullptr;
    EXPECT_EQ(0, g_systemPixels);
    int textPixels = 0;
    for (int x = 86; x < kWidth - 103; ++x)
        for (int y = 8; y < 22; ++y)
            textPixels += dialog.PixelAt({x, y}) == kCaptionText ? 1 : 0;
    EXPECT_GT(textPixels, 20);
}

TEST_F(FrameTest, CaptionTextFollowsTheReadingOrderStyles)
{
    Start();
    for (DWORD exStyle : {DWORD(0), DWORD(WS_EX_RIGHT), DWORD(WS_EX_RIGHT | WS_EX_RTLREADING)}) {
        FrameDialog dialog(kDialogFrame, kWidth, kHeight, exStyle);
        int left = 0;
        int right = 0;
        for (int x = 86; x < kWidth - 103; ++x)
            for (int y = 5; y < 25; ++y)
                (x < 200 ? left : right) += dialog.PixelAt({x, y}) == kCaptionText ? 1 : 0;
        const bool rightAligned = (exStyle & WS_EX_RIGHT) != 0;
        EXPECT_EQ(rightAligned, right > 0 && left == 0) << "extended style " << exStyle;
        EXPECT_EQ(!rightAligned, left > 0 && right == 0) << "extended style " << exStyle;
    }
}

// A shown window that is no dialog, away from the test dialogs; destroyed with the object.
class PlainWindow {
public:
    PlainWindow()
        : m_hWnd(CreateWindowExA(0, "Static", "plain", WS_POPUP | WS_VISIBLE, 500, 400, 50, 50, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~PlainWindow() { DestroyWindow(m_hWnd); }
    PlainWindow(const PlainWindow&) = delete;
    PlainWindow& operator=(const PlainWindow&) = delete;
    HWND Handle() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

TEST_F(FrameTest, InactiveCaptionHasItsOwnLook)
{
    Start();
    FrameDialog dialog(kDialogFrame, kWidth, kHeight);
    PlainWindow other;
    SetForegroundWindow(other.Handle());
    EXPECT_EQ(kInactiveTop, dialog.PixelAt({kWidth - 110, 2}));
    EXPECT_EQ(PartColour(kPartLeft), dialog.PixelAt({0, 100}));  // no inactive slice: the active one
    SetForegroundWindow(dialog.Handle());
    EXPECT_EQ(PartColour(kPartTop), dialog.PixelAt({kWidth - 110, 2}));
}

TEST_F(FrameTest, ClientBackgroundComesFromTheClientPartAndReachesChildren)
{
    Start();
    FrameDialog dialog(kDialogFrame, kWidth, kHeight);
    RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(PartColour(kPartClient), dialog.PixelAt({200, 150}));
    HWND child = CreateWindowExA(0, "Static", "", WS_CHILD, 50, 60, 30, 20, dialog.Handle(), nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    PixelCanvas canvas(30, 20);
    canvas.Fill(RGB(1, 2, 3));
    EXPECT_EQ(1, SendMessageA(dialog.Handle(), 6037, reinterpret_cast<WPARAM>(canvas.Dc()), reinterpret_cast<LPARAM>(child)));
    EXPECT_EQ(30 * 20, canvas.CountColour(PartColour(kPartClient), 0, 0, 30, 20));
}

TEST_F(FrameTest, ANewSkinHasEveryWindowDrawnAgain)
{
    Start();
    FrameDialog dialog(kDialogFrame, kWidth, kHeight);
    PlainWindow plain;
    UpdateWindow(plain.Handle());
    EXPECT_FALSE(GetUpdateRect(plain.Handle(), nullptr, FALSE));
    EXPECT_NE(0, LoadTestSkin(*MakeFrameSkin(true, {})));
    EXPECT_TRUE(GetUpdateRect(plain.Handle(), nullptr, FALSE)) << "a window the engine does not skin";
}

TEST_F(FrameTest, TrackingSizesComeFromTheFrameAndTheWorkArea)
{
    Start();
    FrameDialog dialog(kSizableFrame, kWidth, kHeight);
    MINMAXINFO info{};
    info.ptMaxTrackSize = {5000, 5000};
    SendMessageA(dialog.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(86 + 103 + 2, info.ptMinTrackSize.x);
    EXPECT_EQ(30 + 12 + 2, info.ptMinTrackSize.y);
    EXPECT_EQ(work.right - work.left, info.ptMaxSize.x);
    EXPECT_EQ(work.bottom - work.top, info.ptMaxSize.y);
}

TEST_F(FrameTest, AltSpaceOpensTheSystemMenu)
{
    Start();
    FrameDialog dialog(kDialogFrame, kWidth, kHeight);
    MenuCloser closer(GetCurrentThreadId());
    EXPECT_EQ(1, SendMessageA(dialog.Handle(), SKINMSG_MENU_KEY, VK_SPACE, 0x20000000));
    closer.thread.join();
    closer.thread = std::thread([] {});
    EXPECT_TRUE(closer.seen);
}

TEST_F(FrameTest, RepaintsLeaveNoObjectsBehind)
{
    Start(true, {{4, kActionClose, 0, {240, 5, 260, 25}}});
    FrameDialog dialog(kSizableFrame, kWidth, kHeight);
    int round = 0;
    EXPECT_TRUE(LeavesNoGuiObjects(
        [&] {
            ++round;
            SendMessageA(dialog.Handle(), WM_NCACTIVATE, round % 2, 0);
            RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        },
        1000));
}

}  // namespace
