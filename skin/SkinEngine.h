// The skin engine's interface to the application: start it per thread, load
// a skin file or let go of it, name the object every dialog wears, stop it. Between these
// calls the engine works by itself through per-thread hooks.
#pragma once

#include <windows.h>

// What the calling thread's last engine operation ended with (4 to 8 are
// the skin file's own reasons).
enum : int {
    SKIN_STATUS_OK = 0,
    SKIN_STATUS_CLASS_NOT_REGISTERED = 1,
    SKIN_STATUS_CALLWNDPROC_HOOK_FAILED = 2,
    SKIN_STATUS_KEYBOARD_HOOK_FAILED = 3,
    SKIN_STATUS_FILE_NOT_OPENED = 4,
    SKIN_STATUS_BODY_UNREADABLE = 5,
    SKIN_STATUS_HEADER_SHORT = 6,
    SKIN_STATUS_HEADER_REFUSED = 7,
    SKIN_STATUS_TOO_LARGE = 8,       // more than a skin may hold (skin/FORMAT.md)
    SKIN_STATUS_NOTHING_TO_DRAW = 9, // none of the objects the engine draws with
    SKIN_STATUS_OUT_OF_MEMORY = 10,
    SKIN_STATUS_XP_PROBE_FAILED = 17,
    SKIN_STATUS_NOT_INITIALISED = 19,
};

// Hooks the calling thread; the first thread also starts the engine for the
// process. `appTitle` is accepted and not used. 1 on success, 0 on failure.
int InitSkinEngine(HINSTANCE instance, const char* appTitle);
// Reads a skin file and makes it current, re-skinning every skinned window.
// Nonzero on success; 0 leaves the current skin and every window unchanged.
// A skin that holds none of the objects the engine draws with is refused.
//
// No operation lets an exception out: one whose memory runs out returns 0
// (or nothing) with status 10.
int LoadSkinFile(const char* path);
// Returns every window to the system's look and empties the current skin;
// the hooks stay, and a later LoadSkinFile skins the thread's dialogs again.
// 1; 0 with status 19 when the engine is not initialised.
int UnloadSkin();
// Names the skin object that dialogs created from now on wear (at most 50
// characters are kept; an empty name switches dialog skinning off).
int SetDialogSkin(const char* name);
int ClearDialogSkin();
// Unhooks the calling thread; the last hooked thread tears the engine down.
void ExitSkinEngine();

// The status the calling thread's last operation left (0 when it made none).
int GetSkinStatus();

// What a status means, in words a notice can show; never null.
const char* SkinStatusText(int status);

// Whether the engine draws `window` from the current skin. The program's own
// controls ask it to draw over the skin's look instead of a look of their own.
bool IsSkinDrawn(HWND window);

// The colours the current skin gives text on `window`'s background (its
// labels' text, enabled and disabled), for the program's own controls that
// write straight onto a skinned dialog. False, leaving both untouched, when
// the engine does not draw `window` or the skin has no labels; a skin that
// names no disabled colour gives the system's grey text for it.
bool GetSkinTextColours(HWND window, COLORREF& enabled, COLORREF& disabled);

// Paints the background the skin gives `window`'s parent dialog behind
// `window`, into `dc` at the window's client origin, for the program's own
// controls that draw their text over it. False, painting nothing, when the
// parent wears no skin.
bool PaintSkinBackground(HWND window, HDC dc);
