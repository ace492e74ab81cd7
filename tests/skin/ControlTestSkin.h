// A skin for the control tests whose every state block, background, frame
// and thumb is a solid cell of a colour of its own, so that a pixel tells
// which one was drawn; and dialogs that wear it.
#pragma once

#include "TestSkins.h"
#include "skin/core/Skin.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace controltest {

enum Cell : int {
    kDialogCell,
    kButtonCell,  // six push-button states in ButtonState order
    kCheckBackCell = kButtonCell + 6,  // seven check backgrounds in CheckState order
    kCheckBoxCell = kCheckBackCell + 7,  // seven boxes
    kFrameCell = kCheckBoxCell + 7,
    kSliderBackCell,
    kChannelCell,
    kThumbHorizontalCell,
    kThumbVerticalCell,
    kRoundedCell,  // the NORMAL button colour with magenta corners
    kCellCount
};
constexpr int kCellSide = 16;
constexpr int kMargin = 3;

COLORREF CellColour(int cell);
constexpr COLORREF kCaptionColour = RGB(250, 200, 0);
constexpr COLORREF kLabelBack = RGB(240, 240, 120);
constexpr COLORREF kLabelText = RGB(0, 0, 200);
constexpr COLORREF kDisabledLabelText = RGB(0, 150, 0);
constexpr COLORREF kSkinTransparent = RGB(0, 255, 255);  // not magenta, on purpose

// Control identifiers whose objects lack some images.
constexpr int kSparseButtonId = 201;  // no DEFAULT, HIGHLIGHTED, DISABLED
constexpr int kRoundButtonId = 202;   // NORMAL has magenta corners
constexpr int kSparseCheckId = 211;   // no GRAYEDSELECTED
constexpr int kSparseRadioId = 221;   // no GRAYEDSELECTED
constexpr int kGlassSliderId = 231;   // TRANSPARENT, no THUMB.VERTICAL

std::unique_ptr<skin::Skin> MakeControlSkin();

// The engine started on the test's thread with the control skin written at
// `minor`; stopped with the object.
class ControlSkinEngine {
public:
    explicit ControlSkinEngine(uint8_t minor = 16);
    ~ControlSkinEngine();
    ControlSkinEngine(const ControlSkinEngine&) = delete;
    ControlSkinEngine& operator=(const ControlSkinEngine&) = delete;
};

// A shown dialog that wears the skin; its controls go where they are told.
class ControlDialog : public TestDialog {
public:
    ControlDialog();
    // A push button, check box, radio button, label, group box and a slider either way.
    std::vector<HWND> AddOneOfEachKind();
};

}  // namespace controltest
