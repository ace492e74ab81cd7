// The rules behind skinned labels and group boxes, apart from their windows.
#pragma once

#include "skin/core/SkinRecords.h"
#include "skin/engine/SkinnedWindow.h"

#include <windows.h>

#include <memory>

namespace skin {

// DrawText flags of a label's text, from its style.
UINT StaticTextFormat(LONG style, LONG exStyle);

struct GroupBoxLayout {
    RECT caption;
    RECT frame;
};

// The caption and frame rectangles of a group box whose caption text
// measures `text` (the letter "A" for an empty caption).
GroupBoxLayout LayoutGroupBox(const RECT& client, SIZE text, const NineGridImage& captionImage, LONG style);

// Labels and link windows are drawn alike and wear Static objects.
std::unique_ptr<SkinnedWindow> CreateSkinnedLabel(int kind);

}  // namespace skin
