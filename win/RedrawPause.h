// Holds back the drawing of a window and its children while many of them
// change at once, then has the whole window drawn once, when its thread is
// next idle, instead of each child drawing itself at every change. A hidden
// window draws nothing anyway and is left alone: turning its drawing back on
// would mark it visible.
#pragma once

#include <windows.h>

class CRedrawPause {
public:
    explicit CRedrawPause(HWND hwnd);
    ~CRedrawPause();
    CRedrawPause(const CRedrawPause&) = delete;
    CRedrawPause& operator=(const CRedrawPause&) = delete;

private:
    HWND m_hWnd;     // borrowed
    bool m_bPaused;  // the window was visible and its drawing is held back
};
