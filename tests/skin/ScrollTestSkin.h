// A skin for the scrolling controls' tests: every image is a solid cell of a
// colour of its own, so that a pixel tells which part and state was drawn.
#pragma once

#include "skin/core/Skin.h"

#include <windows.h>

#include <memory>

// Cells of the scroll-bar image: a row per state (normal, pressed,
// highlighted, disabled), a column per part.
enum ScrollCell : int { kCellArrow1, kCellArrow2, kCellTrack, kCellThumb, kCellGripper, kCellBorder };

COLORREF CellColour(int state, int cell);

constexpr COLORREF kFieldBack = RGB(250, 240, 200);
constexpr COLORREF kFieldDisabled = RGB(200, 220, 250);
constexpr COLORREF kFieldText = RGB(90, 20, 60);

struct ScrollSkinParts {
    bool scrollBar = true;  // a ScrollBar object
    bool border = true;     // "BORDER" images on the field objects
    int arrowWidth = 16;    // the bars' size follows the width of the arrow images
    skin::Colour spareByte = 0;  // the top byte the field colours carry, as some skins have it
};

// The dialog object, Edit, ListBox and ListView objects and, as asked, the
// ScrollBar object; bars 16 pixels wide.
std::unique_ptr<skin::Skin> MakeScrollSkin(ScrollSkinParts parts = {});

constexpr int kBarSize = 16;
