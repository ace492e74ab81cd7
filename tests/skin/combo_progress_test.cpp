// Skinned combo boxes and progress bars, painted into memory contexts with a
// skin whose every image part and colour is a colour of its own.
#include "SkinParts.h"
#include "TestSkins.h"

#include "controls/PercentProgressCtrl.h"
#include "skin/core/ControlObjects.h"
#include "skin/core/PlainObjects.h"
#include "skin/SkinEngine.h"
#include "support/GuiObjects.h"
#include "support/MessageSequence.h"
#include "support/PixelCanvas.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>

using namespace skin;

namespace {

enum Cell { kFrameCell, kThumbNormalCell, kThumbHoveredCell, kThumbPressedCell, kThumbDisabledCell, kTrackCell,
            kBarCell, kCellCount };
constexpr int kSide = 16;
COLORREF CellColour(int cell) { return RGB(20 + 30 * cell, 200 - 25 * cell, 90 + 20 * cell); }

constexpr COLORREF kBack = RGB(255, 255, 224), kItemText = RGB(0, 0, 255), kEditText = RGB(64, 0, 64),
                   kFocus = RGB(200, 0, 0), kFocusText = RGB(0, 255, 0), kDisabledBack = RGB(128, 128, 0),
                   kDisabledText = RGB(0, 0, 128), kProgressColour = RGB(255, 128, 0), kOwnerItem = RGB(1, 2, 3),
                   kBarBack = RGB(250, 240, 200);
enum { kRevealedId = 301, kBlocksId, kPlainId };

NineGridImage Grid(int cell) { return ::Grid("cells", {cell * kSide, 0, (cell + 1) * kSide, kSide}, 3); }

void FillBar(ProgressBar& bar, int style, bool withImage)
{
    bar.m_image = Grid(kTrackCell);
    if (withImage)
        bar.m_progressImage = Grid(kBarCell);
    bar.m_style = style;
    bar.m_textColour = kProgressColour;
    bar.m_backColour = kBarBack;
}

std::unique_ptr<Skin> MakeComboProgressSkin()
{
    auto skin = MakeSkin({kTypeListBox});
    // The cells side by side.
    AddPaintedImage(*skin, "cells", kSide * kCellCount, kSide, [](int x, int) { return CellColour(x / kSide); });
    auto& combo = AddObjectAs<ComboBox>(*skin, kTypeComboBox);
    combo.m_image = Grid(kFrameCell);
    combo.m_thumbs[kThumbNormal] = Grid(kThumbNormalCell);
    combo.m_thumbs[kThumbHovered] = Grid(kThumbHoveredCell);
    combo.m_thumbs[kThumbPressed] = Grid(kThumbPressedCell);
    combo.m_thumbs[kThumbDisabled] = Grid(kThumbDisabledCell);
    combo.m_font.textColour = kItemText;
    combo.m_backColour = kBack;
    combo.m_textColour = kEditText;
    combo.m_focusColour = kFocus;
    combo.m_focusTextColour = kFocusText;
    combo.m_disabledBackground = kDisabledBack;
    combo.m_disabledText = kDisabledText;
    FillBar(AddObjectAs<ProgressBar>(*skin, kTypeProgressBar), 0, true);
    SkinObject& dialog = *skin->FindObject(TEST_DIALOG_SKIN);
    FillBar(dynamic_cast<ProgressBar&>(*AddControlChild(dialog, kTypeProgressBar, "Revealed", kRevealedId)), 1, true);
    FillBar(dynamic_cast<ProgressBar&>(*AddControlChild(dialog, kTypeProgressBar, "Blocks", kBlocksId)), 2, true);
    FillBar(dynamic_cast<ProgressBar&>(*AddControlChild(dialog, kTypeProgressBar, "Plain", kPlainId)), 0, false);
    return skin;
}

class ComboProgressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartTestEngine(*MakeComboProgressSkin()));
        m_dialog = CreateWindowExA(WS_EX_TOPMOST, "#32770", "combos", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 40,
                                   320, 240, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(m_dialog);
        ExitSkinEngine();
    }
    // A control placed in the dialog, taken over by the engine once the
    // messages posted to it are handled.
    HWND Add(const char* className, DWORD style, SIZE size, int id = 100)
    {
        HWND control = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 10, 10, size.cx, size.cy,
                                       m_dialog, HMENU(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
        PumpMessages();
        return control;
    }

    HWND m_dialog = nullptr;
};

RECT ClientOf(HWND hwnd)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    return client;
}

// The client area as WM_PRINTCLIENT paints it.
// The combo box's text area and a point on its drop button.
RECT TextArea(HWND combo)
{
    const RECT c = ClientOf(combo);
    return {4, 4, c.right - GetSystemMetrics(SM_CYHSCROLL) - 2, c.bottom - 4};
}
POINT DropButtonPoint(HWND combo)
{
    const RECT c = ClientOf(combo);
    return {c.right - 5, c.bottom / 2};
}

struct ComboLook {
    const char* name;
    bool select, focus, disable;
    COLORREF field, text;
    int thumbCell;
};

TEST_F(ComboProgressTest, ComboBoxShowsFieldSelectionAndDropButtonInTheColoursOfItsState)
{
    const ComboLook looks[] = {
        {"no selection", false, false, false, kBack, CLR_NONE, kThumbNormalCell},
        {"selection", true, false, false, kBack, kItemText, kThumbNormalCell},
        {"focused", true, true, false, kFocus, kFocusText, kThumbNormalCell},
        {"disabled with the focus", true, true, true, kDisabledBack, kDisabledText, kThumbDisabledCell},
    };
    for (const ComboLook& look : looks) {
        SCOPED_TRACE(look.name);
        HWND combo = Add("ComboBox", CBS_DROPDOWNLIST, {120, 100});
        ASSERT_NE(nullptr, Skinned(combo));
        SendMessageA(combo, CB_ADDSTRING, 0, LPARAM("Stereo"));
        if (look.select)
            SendMessageA(combo, CB_SETCURSEL, 0, 0);
        if (look.focus)
            SetFocus(combo);
        ASSERT_EQ(look.focus, GetFocus() == combo);
        if (look.disable)  // the style alone: disabling through the system would move the focus
            SetWindowLongA(combo, GWL_STYLE, GetWindowLongA(combo, GWL_STYLE) | WS_DISABLED);
        const auto canvas = PixelCanvas::OfClient(combo);
        const RECT text = TextArea(combo);
        const POINT button = DropButtonPoint(combo);
        EXPECT_EQ(CellColour(kFrameCell), canvas->Pixel(0, 0));
        EXPECT_EQ(CellColour(look.thumbCell), canvas->Pixel(button.x, button.y));
        EXPECT_EQ(look.field, canvas->Pixel(text.right - 1, text.top));
        for (COLORREF colour : {kItemText, kFocusText, kDisabledText})
            EXPECT_EQ(colour == look.text, canvas->CountColour(colour, text) > 0) << std::hex << colour;
        if (!look.select) {
            EXPECT_EQ(canvas->CountColour(kBack, text), (text.right - text.left) * (text.bottom - text.top));
        }
        DestroyWindow(combo);
    }
}

TEST_F(ComboProgressTest, DropButtonFollowsTheMouseAndStaysPressedUntilRelease)
{
    HWND combo = Add("ComboBox", CBS_DROPDOWNLIST, {120, 100});
    const POINT button = DropButtonPoint(combo), field{8, 8};
    struct Step { UINT msg; POINT at; int thumbCell; } steps[] = {
        {WM_MOUSEMOVE, button, kThumbHoveredCell},
        {WM_MOUSEMOVE, field, kThumbNormalCell},
        {WM_LBUTTONDOWN, field, kThumbPressedCell},
        {WM_MOUSEMOVE, button, kThumbPressedCell},
        {WM_LBUTTONUP, field, kThumbNormalCell},
    };
    for (const Step& step : steps) {
        SendMessageA(combo, step.msg, step.msg == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(step.at.x, step.at.y));
        EXPECT_EQ(CellColour(step.thumbCell), PixelCanvas::OfClient(combo)->Pixel(button.x, button.y))
            << "message " << step.msg;
    }
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    ReleaseCapture();
}

TEST_F(ComboProgressTest, SelectionFromTheProgramIsOnScreenAtOnce)
{
    HWND combo = Add("ComboBox", CBS_DROPDOWNLIST, {120, 100});
    SendMessageA(combo, CB_ADDSTRING, 0, LPARAM("Stereo"));
    UpdateWindow(m_dialog);
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    const RECT client = ClientOf(combo);
    PixelCanvas screen(client.right, client.bottom);
    HDC dc = GetDC(combo);
    BitBlt(screen.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(combo, dc);
    EXPECT_GT(screen.CountColour(kItemText, TextArea(combo)), 0);
}

WNDPROC g_dialogProc = nullptr;
LRESULT CALLBACK OwnerDrawingDialog(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != WM_DRAWITEM)
        return CallWindowProcA(g_dialogProc, hwnd, msg, wp, lp);
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    CBrushObject brush(CreateSolidBrush(kOwnerItem));
    FillRect(item->hDC, &item->rcItem, brush.Get());
    return TRUE;
}

TEST_F(ComboProgressTest, OwnerDrawnFieldShowsInsideTheSkinnedFrame)
{
    g_dialogProc = WNDPROC(SetWindowLongPtrA(m_dialog, GWLP_WNDPROC, LONG_PTR(&OwnerDrawingDialog)));
    HWND combo = Add("ComboBox", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, {120, 100});
    ASSERT_NE(nullptr, Skinned(combo));
    SendMessageA(combo, CB_ADDSTRING, 0, 7);
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    const auto canvas = PixelCanvas::OfClient(combo);
    const RECT text = TextArea(combo);
    const POINT button = DropButtonPoint(combo);
    EXPECT_EQ(CellColour(kFrameCell), canvas->Pixel(0, 0));
    EXPECT_EQ(CellColour(kThumbNormalCell), canvas->Pixel(button.x, button.y));
    EXPECT_EQ(kOwnerItem, canvas->Pixel((text.left + text.right) / 2, (text.top + text.bottom) / 2));
}

TEST_F(ComboProgressTest, SimpleAndVariableOwnerDrawnComboBoxesKeepTheSystemLook)
{
    HWND simple = Add("ComboBox", CBS_SIMPLE, {120, 100});
    EXPECT_EQ(nullptr, Skinned(simple));
    SkinnedWindow* list = Skinned(FindWindowExA(simple, nullptr, "ComboLBox", nullptr));
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(kTypeListBox, list->Kind());
    EXPECT_EQ(nullptr, Skinned(Add("ComboBox", CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE, {120, 100}, 101)));
}

TEST_F(ComboProgressTest, EditPartTakesTheFieldColours)
{
    HWND combo = Add("ComboBox", CBS_DROPDOWN, {120, 100});
    HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
    PixelCanvas canvas(4, 4);
    for (bool disabled : {false, true}) {
        EnableWindow(combo, !disabled);
        EXPECT_NE(0, SendMessageA(combo, WM_CTLCOLOREDIT, WPARAM(canvas.Dc()), LPARAM(edit)));
        EXPECT_EQ(disabled ? kDisabledBack : kBack, GetBkColor(canvas.Dc()));
        EXPECT_EQ(disabled ? kDisabledText : kEditText, GetTextColor(canvas.Dc()));
    }
}

// The values the control had when the engine took it over, then the
// engine's own answers.
TEST_F(ComboProgressTest, ProgressMessagesAreAnsweredFromTheEnginesValues)
{
    HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, 0, 0, 100, 20, m_dialog, nullptr, nullptr, nullptr);
    SendMessageA(bar, PBM_SETRANGE32, 10, 100);
    SendMessageA(bar, PBM_SETPOS, 50, 0);
    SendMessageA(bar, PBM_SETSTEP, 5, 0);
    SendMessageA(bar, PBM_SETBKCOLOR, 0, RGB(1, 2, 3));  // the system would answer this colour next
    PumpMessages();
    struct Step { const char* what; UINT msg; WPARAM wp; LPARAM lp; LRESULT result; int position; } steps[] = {
        {"probed low limit", PBM_GETRANGE, TRUE, 0, 10, 50},
        {"probed step", PBM_STEPIT, 0, 0, 50, 55},
        {"set position", PBM_SETPOS, 80, 0, 55, 80},
        {"range below the position lowers it", PBM_SETRANGE32, 0, 50, MAKELONG(10, 100), 50},
        {"step at the maximum keeps it", PBM_STEPIT, 0, 0, 50, 50},
        {"set step", PBM_SETSTEP, 20, 0, 5, 50},
        {"negative delta goes below the minimum", PBM_DELTAPOS, WPARAM(-70), 0, 50, -20},
        {"position clamped", PBM_SETPOS, 999, 0, -20, 50},
        {"16-bit range", PBM_SETRANGE, 0, MAKELPARAM(10, 40), MAKELONG(0, 50), 40},
        {"colours are the skin's", PBM_SETBKCOLOR, 0, RGB(1, 2, 3), LRESULT(CLR_DEFAULT), 40},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(step.result, SendMessageA(bar, step.msg, step.wp, step.lp)) << step.what;
        EXPECT_EQ(step.position, SendMessageA(bar, PBM_GETPOS, 0, 0)) << step.what;
    }
}

struct BarLook {
    const char* name;
    int id;
    DWORD style;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    COLORREF fill;
    int filled;  // pixels of `fill` along the bar's middle line
};

TEST_F(ComboProgressTest, ProgressBarDrawsItsStyleOverTheFilledLength)
{
    const BarLook looks[] = {
        {"single image", 100, 0, PBM_SETPOS, 50, 0, CellColour(kBarCell), 50},
        {"zero-width range", 100, 0, PBM_SETRANGE32, 5, 5, CellColour(kBarCell), 0},
        {"below the minimum", 100, 0, PBM_DELTAPOS, WPARAM(-30), 0, CellColour(kBarCell), 0},
        {"revealed image", kRevealedId, 0, PBM_SETPOS, 30, 0, CellColour(kBarCell), 30},
        {"block wider than the filled length", kBlocksId, 0, PBM_SETPOS, 10, 0, CellColour(kBarCell), 0},
        {"whole blocks", kBlocksId, 0, PBM_SETPOS, 40, 0, CellColour(kBarCell), 32},
        {"no image", kPlainId, 0, PBM_SETPOS, 25, 0, kProgressColour, 25},
        {"vertical", 100, PBS_VERTICAL, PBM_SETPOS, 25, 0, CellColour(kBarCell), 25},
    };
    for (const BarLook& look : looks) {
        SCOPED_TRACE(look.name);
        const bool vertical = look.style & PBS_VERTICAL;
        HWND bar = Add(PROGRESS_CLASSA, look.style, vertical ? SIZE{20, 100} : SIZE{100, 20}, look.id);
        SendMessageA(bar, look.msg, look.wp, look.lp);
        const auto canvas = PixelCanvas::OfClient(bar);
        const RECT line = vertical ? RECT{10, 0, 11, 100} : RECT{0, 10, 100, 11};
        EXPECT_EQ(look.filled, canvas->CountColour(look.fill, line));
        EXPECT_EQ(100 - look.filled, canvas->CountColour(CellColour(kTrackCell), line));
        if (vertical) {
            EXPECT_EQ(CellColour(kBarCell), canvas->Pixel(10, 99)) << "grows from the bottom";
        }
        DestroyWindow(bar);
    }
}

TEST_F(ComboProgressTest, UnskinnedProgressBarShowsTheEnginesLastValues)
{
    HWND bar = Add(PROGRESS_CLASSA, 0, {100, 20});
    SendMessageA(bar, PBM_SETRANGE32, 0, 60);
    SendMessageA(bar, PBM_SETPOS, 42, 0);
    SendMessageA(bar, PBM_SETSTEP, 7, 0);
    ExitSkinEngine();
    EXPECT_EQ(nullptr, Skinned(bar));
    EXPECT_EQ(60, SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
    EXPECT_EQ(42, SendMessageA(bar, PBM_STEPIT, 0, 0));
    EXPECT_EQ(49, SendMessageA(bar, PBM_GETPOS, 0, 0));
}

// Our own bar subclasses the control after the engine, as the main dialog
// does: it wears the skin's bar and border and writes its percentage on top,
// in the skin's back colour over the filled part and its bar colour beyond.
TEST_F(ComboProgressTest, PercentProgressBarWearsTheSkinsBarWithItsPercentageOnTop)
{
    HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 100, 20,
                               m_dialog, HMENU(100), GetModuleHandleA(nullptr), nullptr);
    CPercentProgressCtrl percent;
    ASSERT_TRUE(percent.SubclassWindow(bar));
    PumpMessages();
    EXPECT_EQ(0, SendMessageA(bar, PBM_SETPOS, 50, 0));
    const auto canvas = PixelCanvas::OfClient(bar);
    const int width = ClientOf(bar).right;
    EXPECT_EQ(width / 2, canvas->CountColour(CellColour(kBarCell), {0, 0, width, 1}));
    const RECT caption{0, 0, width, ClientOf(bar).bottom};
    EXPECT_GT(canvas->CountColour(kProgressColour, caption), 0) << "the percentage over the empty part";
    EXPECT_GT(canvas->CountColour(kBarBack, caption), 0) << "the percentage over the filled part";
    UpdateWindow(m_dialog);
    SendMessageA(bar, WM_NCPAINT, 1, 0);
    HDC dc = GetWindowDC(bar);
    EXPECT_EQ(CellColour(kTrackCell), GetPixel(dc, 0, 0));
    ReleaseDC(bar, dc);
    ExitSkinEngine();
    EXPECT_EQ(50, SendMessageA(bar, PBM_GETPOS, 0, 0)) << "the engine's values went beneath our bar";
    DestroyWindow(bar);
}

TEST_F(ComboProgressTest, RepaintsLeaveNoGuiObjects)
{
    HWND combo = Add("ComboBox", CBS_DROPDOWNLIST, {120, 100});
    HWND bar = Add(PROGRESS_CLASSA, WS_BORDER, {100, 20}, 101);
    HWND vertical = Add(PROGRESS_CLASSA, PBS_VERTICAL, {20, 100}, kBlocksId);
    SendMessageA(combo, CB_ADDSTRING, 0, LPARAM("Stereo"));
    int position = 0;
    EXPECT_TRUE(LeavesNoGuiObjects([&] {
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
        SendMessageA(bar, PBM_SETPOS, WPARAM(++position % 100), 0);
        RedrawWindow(vertical, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        RedrawWindow(bar, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    }, 1000));
}

}  // namespace
