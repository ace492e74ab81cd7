// The system menu of a skinned frame, opened from its caption button or
// with Alt+Space.
#pragma once

#include <windows.h>

namespace skin {

// A popup copy of the window's system menu whose items are enabled for the
// window's present state; the caller destroys it.
HMENU CopySystemMenu(HWND hwnd);

// Shows the copied system menu at `screenPoint` for `hwnd` and posts
// WM_SYSCOMMAND with the item chosen; returns when the menu has closed.
void ShowSkinnedSystemMenu(HWND hwnd, POINT screenPoint);

}  // namespace skin
