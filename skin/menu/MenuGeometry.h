// Where a skinned popup menu goes and how big it is: pure arithmetic on
// rectangles, so that every rule can be checked without a window.
#pragma once

#include "skin/core/FrameObjects.h"
#include "skin/draw/FrameGeometry.h"

#include <windows.h>

namespace skin {

// What the size of a menu is made from.
struct MenuMeasures {
    int textHeight;   // of "TEST" in the item font
    int imageHeight;  // of the item images; 0 without
    int widestText;   // the widest item text, a tab counted as four spaces
    int itemCount;
};

// The height every item of the menu gets.
int MenuItemHeight(const MenuMeasures& measures, const NineGridImage& activeImage);
// The window size: the items, the frame's border parts and the margins of
// the highlight image, and room for a check mark and a submenu arrow.
SIZE MenuWindowSize(const MenuMeasures& measures, const FrameLayout& layout, const NineGridImage& activeImage);
// The items' area within a window of `size`: inside the border parts.
RECT MenuItemArea(const FrameLayout& layout, SIZE size);

// The window at `at` as the TPM_* alignment flags place it.
RECT AlignMenu(SIZE size, POINT at, UINT flags);
// Moved inside `work`; a menu wider or taller than `work` takes its whole
// width or height.
RECT KeepInWorkArea(RECT menu, const RECT& work);
// A submenu at the right edge of `item`, level with its top; moved up when
// it would reach below `work`, and to the left of `parent` when it would
// reach past its right edge.
RECT PlaceSubmenu(const RECT& item, const RECT& parent, SIZE size, const RECT& work);

}  // namespace skin
