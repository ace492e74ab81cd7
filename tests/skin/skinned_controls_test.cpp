// Push buttons, check boxes, radio buttons, labels, group boxes and sliders
// drawn by the engine: each state shows its own cell of the test skin, the
// automatic styles click as the system's do, and repainting leaks nothing.
#include "ControlTestSkin.h"
#include "TestSkins.h"

#include "controls/LinkLabel.h"
#include "skin/core/ControlObjects.h"
#include "skin/SkinEngine.h"
#include "skin/kinds/ButtonLooks.h"
#include "skin/kinds/StaticLooks.h"
#include "support/GuiObjects.h"
#include "support/PixelCanvas.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace skin;
using namespace controltest;

namespace {

const RECT BUTTON_RECT{10, 10, 130, 34};

COLORREF ButtonColour(int state) { return CellColour(kButtonCell + state); }
COLORREF BackColour(int state) { return CellColour(kCheckBackCell + state); }
COLORREF BoxColour(int state) { return CellColour(kCheckBoxCell + state); }

// The colour at a client point of a control painted into memory.
COLORREF PrintedPixel(HWND hwnd, int x, int y) { return PixelCanvas::OfClient(hwnd)->Pixel(x, y); }

// A press that ends without a click: the focus moves on while the space bar
// is held, or another window takes the mouse while the button is held.
enum class LostPress { kNone, kFocusLeftTheSpaceBar, kCaptureTakenFromTheMouse };

struct ControlState {
    bool disabled, pushed, hovered, checked, isDefault, focused;
    LostPress lostPress = LostPress::kNone;
};

void LosePress(HWND hwnd, LostPress how)
{
    if (how == LostPress::kFocusLeftTheSpaceBar) {
        SetFocus(hwnd);
        SendMessageA(hwnd, WM_KEYDOWN, VK_SPACE, 0);
        SetFocus(nullptr);
    } else if (how == LostPress::kCaptureTakenFromTheMouse) {
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SetCapture(GetParent(hwnd));
        ReleaseCapture();
    }
}

void Apply(HWND hwnd, const ControlState& state)
{
    LosePress(hwnd, state.lostPress);
    if (state.checked)
        SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    if (state.focused)
        SetFocus(hwnd);
    if (state.pushed)
        SendMessageA(hwnd, BM_SETSTATE, TRUE, 0);
    if (state.hovered)
        SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    if (state.disabled)
        EnableWindow(hwnd, FALSE);
}

class SkinnedControlsTest : public ::testing::Test {
protected:
    ControlSkinEngine engine;
    ControlDialog dialog;
};

struct PushRow {
    const char* name;
    int id;
    ControlState state;
    int expected;
};

const PushRow PUSH_ROWS[] = {
    {"disabled", 100, {true, false, false, false, false, false}, kButtonDisabled},
    {"disabled, no DISABLED image", kSparseButtonId, {true, false, false, false, false, false}, kButtonNormal},
    {"pushed", 100, {false, true, true, true, true, true}, kButtonPressed},
    {"hovered", 100, {false, false, true, true, true, true}, kButtonHighlighted},
    {"hovered, no HIGHLIGHTED image", kSparseButtonId, {false, false, true, false, false, false}, kButtonNormal},
    {"checked", 100, {false, false, false, true, true, true}, kButtonPressed},
    {"default, focused", 100, {false, false, false, false, true, true}, kButtonFocused},
    {"default", 100, {false, false, false, false, true, false}, kButtonDefault},
    {"default, no DEFAULT image", kSparseButtonId, {false, false, false, false, true, false}, kButtonNormal},
    {"focused", 100, {false, false, false, false, false, true}, kButtonFocused},
    {"plain", 100, {false, false, false, false, false, false}, kButtonNormal},
    {"space bar held, then the focus left", 100,
     {false, false, false, false, false, false, LostPress::kFocusLeftTheSpaceBar}, kButtonNormal},
    {"mouse held, then the capture taken", 100,
     {false, false, false, false, false, false, LostPress::kCaptureTakenFromTheMouse}, kButtonFocused},
};

TEST_F(SkinnedControlsTest, PushButtonsShowTheImageOfTheirStateRowByRow)
{
    for (const PushRow& row : PUSH_ROWS) {
        HWND button = dialog.Add("Button", row.state.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, BUTTON_RECT, row.id);
        Apply(button, row.state);
        EXPECT_EQ(ButtonColour(row.expected), PrintedPixel(button, 60, 12)) << row.name;
        DestroyWindow(button);
    }
}

TEST_F(SkinnedControlsTest, HighlightedOnlyWhileTheMouseIsOver)
{
    HWND button = dialog.Add("Button", BS_PUSHBUTTON, BUTTON_RECT);
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(ButtonColour(kButtonHighlighted), PrintedPixel(button, 60, 12));
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ButtonColour(kButtonNormal), PrintedPixel(button, 60, 12));
}

struct CheckRow {
    const char* name;
    bool radio;
    int id;
    ControlState state;
    int background;
    int box;
};

const CheckRow CHECK_ROWS[] = {
    {"pushed", false, 100, {false, true, false, false, false, false}, kCheckSelected, kCheckSelected},
    {"focused, checked", false, 100, {false, false, false, true, false, true}, kCheckHighlightedSelected,
     kCheckHighlightedSelected},
    {"focused", false, 100, {false, false, false, false, false, true}, kCheckHighlightedNormal,
     kCheckHighlightedNormal},
    {"checked", false, 100, {false, false, false, true, false, false}, kCheckSelected, kCheckSelected},
    {"plain", false, 100, {false, false, false, false, false, false}, kCheckNormal, kCheckNormal},
    {"space bar held, then the focus left", false, 100,
     {false, false, false, false, false, false, LostPress::kFocusLeftTheSpaceBar}, kCheckNormal, kCheckNormal},
    {"hovered, checked", false, 100, {false, false, true, true, false, false}, kCheckHighlightedSelected,
     kCheckHighlightedSelected},
    {"hovered", false, 100, {false, false, true, false, false, false}, kCheckHighlightedNormal,
     kCheckHighlightedNormal},
    {"disabled, checked", false, 100, {true, false, false, true, false, false}, kCheckGrayedSelected,
     kCheckGrayedSelected},
    {"disabled", false, 100, {true, false, false, false, false, false}, kCheckGrayedNormal, kCheckGrayedNormal},
    {"disabled, checked, no GRAYEDSELECTED", false, kSparseCheckId, {true, false, false, true, false, false},
     kCheckDisabled, kCheckDisabled},
    {"radio pushed", true, 100, {false, true, false, false, false, false}, kCheckSelected, kCheckSelected},
    {"radio focused, checked", true, 100, {false, false, false, true, false, true}, kCheckHighlightedSelected,
     kCheckHighlightedSelected},
    {"radio hovered", true, 100, {false, false, true, false, false, false}, kCheckHighlightedNormal,
     kCheckHighlightedNormal},
    {"radio checked", true, 100, {false, false, false, true, false, false}, kCheckSelected, kCheckSelected},
    {"radio plain", true, 100, {false, false, false, false, false, false}, kCheckNormal, kCheckNormal},
    {"radio disabled, checked", true, 100, {true, false, false, true, false, false}, kCheckGrayedSelected,
     kCheckGrayedSelected},
    {"radio disabled", true, 100, {true, false, false, false, false, false}, kCheckGrayedNormal,
     kCheckGrayedNormal},
    {"radio disabled, checked, no GRAYEDSELECTED", true, kSparseRadioId, {true, false, false, true, false, false},
     kCheckSelected, kCheckSelected},
};

TEST_F(SkinnedControlsTest, CheckBoxesAndRadioButtonsShowTheirStateTablesRowByRow)
{
    for (const CheckRow& row : CHECK_ROWS) {
        HWND control = dialog.Add("Button", row.radio ? BS_RADIOBUTTON : BS_CHECKBOX, BUTTON_RECT, row.id);
        Apply(control, row.state);
        // The box sits at the content's left edge, centred in the 18 rows inside the margins.
        EXPECT_EQ(BackColour(row.background), PrintedPixel(control, 1, 1)) << row.name;
        EXPECT_EQ(BoxColour(row.box), PrintedPixel(control, kMargin + 8, 12)) << row.name;
        DestroyWindow(control);
    }
}

TEST_F(SkinnedControlsTest, AMagentaCorneredNormalImageRoundsTheButtonWhateverTheTransparentColour)
{
    HWND button = dialog.Add("Button", BS_PUSHBUTTON, BUTTON_RECT, kRoundButtonId);
    CRegionObject region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(ERROR, GetWindowRgn(button, region.Get()));
    const int right = BUTTON_RECT.right - BUTTON_RECT.left - 1;
    const int bottom = BUTTON_RECT.bottom - BUTTON_RECT.top - 1;
    for (POINT corner : {POINT{0, 0}, POINT{right, 0}, POINT{0, bottom}, POINT{right, bottom}})
        EXPECT_FALSE(PtInRegion(region.Get(), corner.x, corner.y)) << corner.x << "," << corner.y;
    EXPECT_TRUE(PtInRegion(region.Get(), 1, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 60, 12));
}

TEST(ButtonShapeTest, EveryDepthGivesTheSameShape)
{
    ControlSkinEngine engine;
    const ImageResolver images = [](const std::string&) { return nullptr; };
    // Without the image everything is button face: a magenta face leaves nothing.
    for (int depth : {8, 16, 24, 32}) {
        CRegionObject full(PushButtonShape(NineGridImage{}, images, {30, 20}, depth, RGB(10, 20, 30)));
        CRegionObject none(PushButtonShape(NineGridImage{}, images, {30, 20}, depth, RGB(255, 0, 255)));
        CRegionObject expected(CreateRectRgn(0, 0, 30, 20));
        ASSERT_TRUE(full && none) << depth;
        EXPECT_TRUE(EqualRgn(full.Get(), expected.Get())) << depth;
        RECT box{};
        EXPECT_EQ(NULLREGION, GetRgnBox(none.Get(), &box)) << depth;
    }
}

TEST_F(SkinnedControlsTest, ClickingAnAutoRadioInTheMiddleOfAGroupUnchecksOnlyItsGroup)
{
    HWND radios[5];
    for (int i = 0; i < 5; ++i) {
        const DWORD group = (i == 0 || i == 3) ? WS_GROUP : 0;
        radios[i] = dialog.Add("Button", BS_AUTORADIOBUTTON | group, {10, 10 + 25 * i, 130, 30 + 25 * i}, 300 + i);
    }
    SendMessageA(radios[0], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(radios[3], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(radios[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(radios[1], WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    const LRESULT expected[5] = {BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(expected[i], SendMessageA(radios[i], BM_GETCHECK, 0, 0)) << i;
    MSG command{};
    ASSERT_TRUE(PeekMessageA(&command, dialog.Handle(), WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(MAKEWPARAM(301, BN_CLICKED), command.wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(radios[1]), command.lParam);
}

TEST_F(SkinnedControlsTest, TheSpaceBarCyclesTheAutomaticCheckBoxes)
{
    struct Row {
        DWORD style;
        LRESULT after[3];
    } const rows[] = {{BS_AUTOCHECKBOX, {BST_CHECKED, BST_UNCHECKED, BST_CHECKED}},
                      {BS_AUTO3STATE, {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}},
                      {BS_CHECKBOX, {BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED}}};
    for (const Row& row : rows) {
        HWND box = dialog.Add("Button", row.style, BUTTON_RECT);
        SendMessageA(box, WM_KEYUP, VK_SPACE, 0);
        EXPECT_EQ(BST_UNCHECKED, SendMessageA(box, BM_GETCHECK, 0, 0)) << "a key-up alone clicks nothing";
        for (LRESULT expected : row.after) {
            SendMessageA(box, WM_KEYDOWN, VK_SPACE, 0);
            SendMessageA(box, WM_KEYUP, VK_SPACE, 0);
            EXPECT_EQ(expected, SendMessageA(box, BM_GETCHECK, 0, 0)) << row.style;
        }
        DestroyWindow(box);
    }
}

TEST_F(SkinnedControlsTest, OwnerDrawnAndSimpleStaticsAndOwnerDrawnButtonsAreLeftAlone)
{
    EXPECT_EQ(nullptr, Skinned(dialog.Add("Static", SS_OWNERDRAW, BUTTON_RECT)));
    EXPECT_EQ(nullptr, Skinned(dialog.Add("Static", SS_SIMPLE, BUTTON_RECT)));
    EXPECT_EQ(nullptr, Skinned(dialog.Add("Button", BS_OWNERDRAW, BUTTON_RECT)));
    EXPECT_NE(nullptr, Skinned(dialog.Add("Static", SS_LEFT, BUTTON_RECT)));
}

int CountOnLabel(HWND label, COLORREF colour) { return PixelCanvas::OfClient(label)->CountColour(colour); }

TEST(SkinnedLabelTest, ADisabledLabelOfASkinOlderThan116HasAZeroTextEffect)
{
    for (uint8_t minor : {15, 16}) {
        ControlSkinEngine engine(minor);
        ControlDialog dialog;
        HWND label = dialog.Add("Static", SS_LEFT, {10, 10, 200, 40}, 100, "HHHH MMMM");
        EXPECT_GT(CountOnLabel(label, kLabelText), 0) << "enabled, 1." << int(minor);
        EnableWindow(label, FALSE);
        const COLORREF expected = minor < 16 ? RGB(0, 0, 0) : kDisabledLabelText;
        EXPECT_GT(CountOnLabel(label, expected), 0) << "disabled, 1." << int(minor);
        EXPECT_EQ(0, CountOnLabel(label, kLabelText)) << "disabled, 1." << int(minor);
    }
}

int LetterAHeight(HWND hwnd)
{
    HDC dc = GetDC(hwnd);
    CSelectObject font(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, "A", 1, &size);
    ReleaseDC(hwnd, dc);
    return size.cy;
}

TEST_F(SkinnedControlsTest, AnEmptyCaptionDrawsNoCaptionButTheFrameStartsHalfwayDownAnA)
{
    HWND box = dialog.Add("Button", BS_GROUPBOX, {10, 10, 210, 110});
    PixelCanvas canvas(200, 100);
    canvas.PrintClient(box);
    const int top = LetterAHeight(box) / 2;
    EXPECT_EQ(0, canvas.CountColour(kCaptionColour, 0, 0, 200, 100));
    EXPECT_EQ(CellColour(kFrameCell), canvas.Pixel(100, top));
    EXPECT_NE(CellColour(kFrameCell), canvas.Pixel(100, top - 1));
    EXPECT_NE(CellColour(kFrameCell), canvas.Pixel(100, 50)) << "the frame has no centre";
}

TEST_F(SkinnedControlsTest, ShorteningAGroupBoxCaptionClearsTheOldCaptionInTheParent)
{
    HWND box = dialog.Add("Button", BS_GROUPBOX, {10, 10, 310, 110}, 100, "A rather long caption of the box");
    UpdateWindow(dialog.Handle());
    const POINT tail{10 + 4 + 150, 10 + 1};  // in the dialog: late in the long caption, above the frame line
    ASSERT_EQ(kCaptionColour, ClientPixel(dialog.Handle(), tail.x, tail.y));
    SetWindowTextA(box, "Ab");
    EXPECT_EQ(CellColour(kDialogCell), ClientPixel(dialog.Handle(), tail.x, tail.y));
    EXPECT_EQ(kCaptionColour, ClientPixel(dialog.Handle(), 10 + 5, tail.y)) << "the short caption is drawn";
}

TEST(GroupBoxLayoutTest, CaptionPlacesByAlignmentAndStaysInsideTheBox)
{
    NineGridImage captionImage{};
    captionImage.marginLeft = captionImage.marginRight = 3;
    captionImage.marginTop = 1;
    const RECT client{0, 0, 100, 50};
    struct Row {
        LONG style;
        LONG textWidth;
        LONG left, right;
    } const rows[] = {{BS_LEFT, 20, 4, 30},   {0, 300, 4, 98},          {BS_RIGHT, 20, 70, 96},
                      {BS_RIGHT, 300, 2, 96}, {BS_CENTER, 20, 37, 63}};
    for (const Row& row : rows) {
        const GroupBoxLayout layout = LayoutGroupBox(client, {row.textWidth, 13}, captionImage, row.style);
        EXPECT_EQ(row.left, layout.caption.left) << row.style << " " << row.textWidth;
        EXPECT_EQ(row.right, layout.caption.right) << row.style << " " << row.textWidth;
        EXPECT_EQ(14, layout.caption.bottom);
        EXPECT_EQ(7, layout.frame.top);
    }
}

struct SliderRow {
    const char* name;
    DWORD style;
    int id;
    COLORREF background;
    COLORREF thumb;
};

TEST_F(SkinnedControlsTest, SliderThumbAndChannelAreDrawnWhereTheControlReportsThem)
{
    const SliderRow rows[] = {
        {"horizontal", 0, 100, CellColour(kSliderBackCell), CellColour(kThumbHorizontalCell)},
        {"horizontal, transparent", 0, kGlassSliderId, CellColour(kDialogCell), CellColour(kThumbHorizontalCell)},
        {"vertical", TBS_VERT, 100, CellColour(kSliderBackCell), CellColour(kThumbVerticalCell)},
        {"vertical, transparent, turned thumb", TBS_VERT, kGlassSliderId, CellColour(kDialogCell),
         CellColour(kThumbHorizontalCell)},
    };
    for (const SliderRow& row : rows) {
        const RECT place = row.style & TBS_VERT ? RECT{10, 10, 50, 210} : RECT{10, 10, 210, 50};
        HWND slider = dialog.Add(TRACKBAR_CLASSA, row.style, place, row.id);
        SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
        SendMessageA(slider, TBM_SETPOS, TRUE, 0);
        RECT thumb{}, channel{};
        SendMessageA(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        SendMessageA(slider, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        PixelCanvas canvas(place.right - place.left, place.bottom - place.top);
        canvas.PrintClient(slider);
        EXPECT_EQ(row.thumb, canvas.Pixel((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2)) << row.name;
        // Far from the thumb, which sits at the start.
        const POINT inChannel = row.style & TBS_VERT
                                    ? POINT{(channel.left + channel.right) / 2, channel.bottom - kMargin - 2}
                                    : POINT{channel.right - kMargin - 2, (channel.top + channel.bottom) / 2};
        EXPECT_EQ(CellColour(kChannelCell), canvas.Pixel(inChannel.x, inChannel.y)) << row.name;
        const POINT outside = row.style & TBS_VERT ? POINT{1, 190} : POINT{190, 1};
        EXPECT_EQ(row.background, canvas.Pixel(outside.x, outside.y)) << row.name;
        DestroyWindow(slider);
    }
}

TEST(SkinnedSliderTest, TickMarksAreOffWhileSkinnedAndBackAfterwards)
{
    HWND slider = nullptr;
    {
        ControlSkinEngine engine;
        ControlDialog dialog;
        slider = dialog.Add(TRACKBAR_CLASSA, TBS_AUTOTICKS, {10, 10, 210, 50});
        EXPECT_TRUE(GetWindowLongA(slider, GWL_STYLE) & TBS_NOTICKS);
        ExitSkinEngine();
        EXPECT_FALSE(GetWindowLongA(slider, GWL_STYLE) & TBS_NOTICKS);
    }
}

TEST_F(SkinnedControlsTest, AThousandRepaintsOfEachKindLeaveNoObjects)
{
    const std::vector<HWND> controls = dialog.AddOneOfEachKind();
    EXPECT_TRUE(LeavesNoGuiObjects(
        [&] {
            for (HWND control : controls)
                RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        },
        1000));
}

}  // namespace

namespace {

// The program's link labels sit on skinned dialogs: the dialog shows behind
// them and they keep their own colours.
TEST_F(SkinnedControlsTest, LinkLabelsShowTheDialogBehindTheirLinkColouredText)
{
    HWND hwnd = dialog.Add("Static", SS_NOTIFY, {10, 10, 200, 30}, 1097, "Check Update");
    CLinkLabel label;
    ASSERT_TRUE(label.SubclassWindow(hwnd));
    const auto canvas = PixelCanvas::OfClient(hwnd);
    EXPECT_EQ(CellColour(kDialogCell), canvas->Pixel(canvas->Width() - 1, canvas->Height() - 1));
    EXPECT_GT(canvas->CountColour(RGB(0, 0, 238)), 0);
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    canvas->PrintClient(hwnd);
    EXPECT_GT(canvas->CountColour(RGB(255, 0, 0)), 0) << "hovered";
    label.DestroyWindow();
}

}  // namespace
