// The two per-thread hooks through which the engine sees the windows a
// hooked thread creates and the keys it reads.
#pragma once

#include <windows.h>

namespace skin {

// Skins dialogs and controls at their WM_CREATE.
LRESULT CALLBACK CallWndProcHook(int code, WPARAM wp, LPARAM lp);
// Gives skinned menu bars their keys and keeps Alt alone from opening the system menu.
LRESULT CALLBACK KeyboardHook(int code, WPARAM wp, LPARAM lp);

}  // namespace skin
