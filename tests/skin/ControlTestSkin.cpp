#include "ControlTestSkin.h"

#include "SkinParts.h"
#include "TestSkins.h"

#include "skin/core/ControlObjects.h"
#include "skin/core/FrameObjects.h"
#include "skin/core/PlainObjects.h"
#include "skin/SkinEngine.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace skin;

namespace controltest {

COLORREF CellColour(int cell)
{
    return RGB(16 + 7 * cell, 100 + (cell % 2) * 50, 240 - 7 * cell);
}

namespace {

COLORREF CellPixel(int cell, int x, int y)
{
    const bool corner = (x == 0 || x == kCellSide - 1) && (y == 0 || y == kCellSide - 1);
    if (cell == kRoundedCell)
        return corner ? RGB(255, 0, 255) : CellColour(kButtonCell);
    return CellColour(cell);
}

SkinRect CellRect(int cell) { return {cell * kCellSide, 0, (cell + 1) * kCellSide, kCellSide}; }

NineGridImage Grid(int cell) { return ::Grid("cells", CellRect(cell), kMargin); }

ImageSlice Slice(int cell) { return ::Slice("cells", CellRect(cell), kSliceCopy); }

template <typename T>
T& AddChild(SkinObject& parent, int type, const char* name, int id)
{
    return dynamic_cast<T&>(*AddControlChild(parent, type, name, static_cast<uint32_t>(id)));
}

void FillButton(Button& button, std::initializer_list<int> states)
{
    for (int state : states) {
        button.m_states[state].image = Grid(kButtonCell + state);
        button.m_states[state].effect = DefaultTextEffect(0);
    }
}

void FillCheck(CheckControl& check, bool withGrayedSelected)
{
    for (int state = 0; state < kCheckStateCount; ++state) {
        if (state == kCheckGrayedSelected && !withGrayedSelected)
            continue;
        check.m_states[state].background = Grid(kCheckBackCell + state);
        check.m_states[state].box = Slice(kCheckBoxCell + state);
    }
}

void FillSlider(Slider& slider, bool glass)
{
    slider.m_transparent = glass;
    slider.m_image = Grid(kSliderBackCell);
    slider.m_channel = Grid(kChannelCell);
    slider.m_thumbHorizontal = Grid(kThumbHorizontalCell);
    if (!glass)
        slider.m_thumbVertical = Grid(kThumbVerticalCell);
}

}  // namespace

std::unique_ptr<Skin> MakeControlSkin()
{
    auto skin = MakeSkin({});
    // All cells side by side.
    AddPaintedImage(*skin, "cells", kCellSide * kCellCount, kCellSide,
                    [](int x, int y) { return CellPixel(x / kCellSide, x % kCellSide, y); });

    auto& application = AddObjectAs<Application>(*skin, kTypeApplication);
    application.m_thirdColour = kSkinTransparent;
    auto& dialog = dynamic_cast<FrameWnd&>(*skin->FindObject(TEST_DIALOG_SKIN));
    dialog.m_active[kPartClient] = Slice(kDialogCell);
    dialog.m_active[kPartClient].mode = kSliceTile;

    FillButton(AddObjectAs<Button>(*skin, kTypeButton), {kButtonNormal, kButtonPressed, kButtonDefault, kButtonFocused,
                                                 kButtonHighlighted, kButtonDisabled});
    FillButton(AddChild<Button>(dialog, kTypeButton, "SparseButton", kSparseButtonId),
               {kButtonNormal, kButtonPressed, kButtonFocused});
    AddChild<Button>(dialog, kTypeButton, "RoundButton", kRoundButtonId).m_states[kButtonNormal].image =
        Grid(kRoundedCell);
    FillCheck(AddObjectAs<CheckControl>(*skin, kTypeCheckBox), true);
    FillCheck(AddChild<CheckControl>(dialog, kTypeCheckBox, "SparseCheck", kSparseCheckId), false);
    FillCheck(AddObjectAs<CheckControl>(*skin, kTypeRadio), true);
    FillCheck(AddChild<CheckControl>(dialog, kTypeRadio, "SparseRadio", kSparseRadioId), false);

    auto& label = AddObjectAs<Static>(*skin, kTypeStatic);
    label.m_backColour = kLabelBack;
    label.m_effect = DefaultTextEffect(kLabelText);
    label.m_disabledEffect = DefaultTextEffect(kDisabledLabelText);
    auto& group = AddObjectAs<GroupBox>(*skin, kTypeGroupBox);
    group.m_image = Grid(kFrameCell);
    group.m_captionColour = kCaptionColour;
    group.m_effect = DefaultTextEffect(0);
    FillSlider(AddObjectAs<Slider>(*skin, kTypeSlider), false);
    FillSlider(AddChild<Slider>(dialog, kTypeSlider, "GlassSlider", kGlassSliderId), true);
    return skin;
}

ControlSkinEngine::ControlSkinEngine(uint8_t minor)
{
    EXPECT_EQ(1, InitSkinEngine(GetModuleHandleA(nullptr), "test"));
    TempSkinFile file("controls");
    file.WriteBytes(MakeControlSkin()->WriteBytes(minor));
    EXPECT_NE(0, LoadSkinFile(file.Path()));
    EXPECT_EQ(1, SetDialogSkin(TEST_DIALOG_SKIN));
}

ControlSkinEngine::~ControlSkinEngine() { ExitSkinEngine(); }

ControlDialog::ControlDialog() : TestDialog("controls", WS_POPUP | WS_CAPTION, {10, 10, 430, 310})
{
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

std::vector<HWND> ControlDialog::AddOneOfEachKind()
{
    return {Add("Button", BS_PUSHBUTTON, {10, 10, 100, 34}, 100, "Stop"),
            Add("Button", BS_AUTOCHECKBOX, {10, 40, 100, 60}, 101, "Check"),
            Add("Button", BS_AUTORADIOBUTTON, {10, 70, 100, 90}, 102, "Radio"),
            Add("Static", SS_LEFT, {110, 10, 200, 30}, 103, "Label"),
            Add("Button", BS_GROUPBOX, {110, 40, 300, 120}, 104, "Group"),
            Add(TRACKBAR_CLASSA, 0, {10, 130, 200, 160}, 105),
            Add(TRACKBAR_CLASSA, TBS_VERT, {210, 130, 240, 260}, kGlassSliderId)};
}

}  // namespace controltest
