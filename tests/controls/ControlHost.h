// A visible top-level window that hosts one control under test.
#pragma once

#include "framework/Window.h"

#include <commctrl.h>

// Puts the cursor on the screen's bottom left corner, off every window of the
// controls' tests (the end-to-end suite keeps its program at the bottom right).
inline void MoveCursorAway() { ::SetCursorPos(0, ::GetSystemMetrics(SM_CYSCREEN) - 1); }

class ControlHost : public CWindowBase {
public:
    // One host for a whole test program: a visible top-level window costs
    // Wine a noticeable wait when it goes.
    static ControlHost& Shared()
    {
        static ControlHost host;
        return host;
    }

    ControlHost()
    {
        static const bool registered = [] {
            INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
            return ::InitCommonControlsEx(&init) != FALSE;
        }();
        (void)registered;
        // Topmost: a window that another suite shows meanwhile neither hides
        // the pixels read back nor takes the mouse.
        HWND hwnd = ::CreateWindowExA(WS_EX_TOPMOST, "STATIC", "host", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 20, 20, 400,
                                      300, nullptr, nullptr, nullptr, nullptr);
        SubclassWindow(hwnd);
    }
    ~ControlHost() override
    {
        HWND hwnd = m_hWnd;
        UnsubclassWindow();
        ::DestroyWindow(hwnd);
    }
    HWND Hwnd() const { return m_hWnd; }
    // Creates a child of `className` at (10, 10) with a client area of width x height.
    HWND CreateChild(const char* className, DWORD style, int width, int height, UINT id = 100, const char* text = "")
    {
        return ::CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, height, m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    }
};
