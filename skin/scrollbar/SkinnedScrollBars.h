// Skinned scroll bars: a layer installed on top of a window's procedure that
// takes the window's scroll bars into its own hands. It reserves their space
// in the non-client area, draws them from the skin's ScrollBar object, tracks
// the mouse on them and sends WM_HSCROLL and WM_VSCROLL as the system's bars
// do. Its state lives in the window property "CoolSBSubclassPtr", where the
// intercepted scroll-bar functions find it.
#pragma once

#include "skin/engine/EngineMessages.h"
#include "skin/engine/Interception.h"

#include <windows.h>

namespace skin {

class Skin;

// Size arguments the size setting accepts: -8 to 256 but not 0; negative
// ones stand for the system's size.
constexpr int kMinimumBarSize = -8;
constexpr int kMaximumBarSize = 256;
constexpr int kDefaultThumbLength = -1;

// Gives `hwnd` skinned scroll bars; false when it has them already or the
// state could not be set.
bool InstallSkinnedScrollBars(HWND hwnd);
bool HasSkinnedScrollBars(HWND hwnd);
// Gives the window's bars back to the system, with the ranges and positions
// they have now; nothing for a window without skinned bars.
void RemoveSkinnedScrollBars(HWND hwnd);

// `bar` is SB_HORZ, SB_VERT or SB_BOTH. Out-of-range sizes are ignored.
void SetSkinnedScrollBarSize(HWND hwnd, int bar, int arrowLength, int barWidth);
void SetSkinnedScrollBarMinThumb(HWND hwnd, int bar, int length);
void SetSkinnedScrollBarHotTracked(HWND hwnd, int bar, bool hotTracked);
// Sizes both bars from the skin's default ScrollBar object; false when the skin has none.
bool SizeSkinnedScrollBarsFromSkin(HWND hwnd, const Skin& skin);
// Does the same for every window of the process that has skinned scroll bars.
void ResizeAllSkinnedScrollBars(const Skin& skin);

// Where a bar and its thumb are, in screen coordinates, as GetScrollBarInfo
// tells of the system's bars. False without skinned bars.
bool GetSkinnedScrollBarInfo(HWND hwnd, int bar, SCROLLBARINFO& info);
// The position the thumb stands for while it is dragged; false otherwise.
bool SkinnedScrollTrackPosition(HWND hwnd, int bar, int& position);

// The scroll-bar functions answered from the layer's state.
ScrollBarRouting& SkinnedScrollBarRouting();

}  // namespace skin
