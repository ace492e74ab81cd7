// The geometry of a skinned frame: where its nine parts lie for a window of
// any size, what the client area leaves to them, what a point on the frame
// means to the system, and where caption elements go when the frame is sized.
#pragma once

#include "skin/core/FrameObjects.h"

#include <windows.h>

#include <array>

namespace skin {

using FrameLayout = std::array<SkinRect, kFramePartCount>;
using FrameParts = std::array<RECT, kFramePartCount>;

// A window is framed when it has a dialog frame or a modal frame; others
// (child dialogs) only get the client background.
bool IsFramedStyle(LONG style);
// Sizable from its border: a thick frame, and not both frame styles at once.
bool IsSizableStyle(LONG style);

// The part rectangles, in window coordinates, for a window of `size`. The
// corners keep their design size, the middle parts take up the rest; all
// three bottom parts take their height from the bottom-left one.
FrameParts PartsForSize(const FrameLayout& layout, SIZE size);

// The client rectangle within `window`, as WM_NCCALCSIZE makes it.
RECT ClientWithinFrame(const FrameLayout& layout, const RECT& window);
// The window size that gives a client area of `client`.
SIZE FrameSizeForClient(const FrameLayout& layout, SIZE client);

// The system's answer for a point (window coordinates) on the frame itself,
// caption elements aside.
LRESULT HitTestFrame(const FrameParts& parts, POINT point, bool sizable, bool maximized);

// The design frame's size: the bottom-right corner of its last part.
SIZE DesignSize(const FrameLayout& layout);
// A caption element's rectangle on a window of `size`: its placement moved
// with the edges its anchor code names.
RECT PlaceByAnchor(const SkinRect& placement, int32_t anchor, SIZE size, SIZE design);

// The smallest size to which the frame can be tracked.
SIZE MinimumTrackSize(const FrameLayout& layout);

}  // namespace skin
