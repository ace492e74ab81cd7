// The layer's state: one ScrollBarWindow per window with skinned scroll bars,
// and the mouse tracking shared by all of them (one mouse at a time).
#pragma once

#include "skin/scrollbar/ScrollBarLayout.h"
#include "win/WindowChain.h"

#include <windows.h>

#include <vector>

namespace skin {

class ScrollBar;

struct BarState {
    ScrollRange range;
    int trackPosition = 0;
    bool shown = false;         // the window wants the bar
    UINT disabledArrows = 0;    // ESB_DISABLE_LTUP, ESB_DISABLE_RTDN
    bool reserved = false;      // it has room in the non-client area
    int arrowLength = 0;
    int width = 0;              // across the bar
    int minimumThumb = 0;
    bool hotTracked = false;
    SCROLLINFO system = {};     // the system's own state, as last taken over
    UINT systemDisabledArrows = 0;

    bool Disabled() const { return (disabledArrows & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH; }
};

class ScrollBarWindow {
public:
    static ScrollBarWindow* Of(HWND hwnd);

    HWND hwnd = nullptr;
    WNDPROC keptProc = nullptr;
    BarState bars[2];           // SB_HORZ, SB_VERT
    bool leftScrollBar = false;
    RECT borders = {};          // what the window's own procedure leaves on each side
    bool changingStyle = false; // a style change of the layer's own is under way
    bool dragging = false;
    // Where the system's own scroll-bar functions are not redirected for every
    // caller, the layer keeps WS_HSCROLL and WS_VSCROLL off the window, or the
    // system would draw its bars over the skinned ones at each change.
    bool keepsStylesOff = false;
    bool stylesLent = false;    // the bits are off only while the window's own procedure runs
    bool adopting = false;

    BarState& Bar(int bar) { return bars[bar == SB_VERT ? 1 : 0]; }

    // In window coordinates; empty when the bar has no room.
    RECT BarRect(int bar) const;
    RECT CornerRect() const;
    // The bar's layout, with the thumb where a drag holds it.
    BarLayout Layout(int bar) const;
    // The part of a bar under a point in window coordinates.
    ScrollPart PartAt(int bar, POINT point) const;
    // Offset of a point along a bar.
    int AlongBar(int bar, POINT point) const;

    LRESULT CallKept(UINT msg, WPARAM wp, LPARAM lp);
    // The window's own procedure called with WS_HSCROLL and WS_VSCROLL off.
    LRESULT CallKeptWithoutBars(UINT msg, WPARAM wp, LPARAM lp);
    // Changes the window style under the in-progress flag.
    void SetStyleQuietly(LONG style);
    void RecalculateFrame();
    void RedrawBar(int bar);
    void RedrawAll();

    // Takes over what the system's own functions changed.
    void AdoptSystemState();
    // The system shows and hides bars through the window's style bits: a bar
    // is shown while its bit is set (where the bits are kept off, a bit the
    // system set makes the bar shown and goes again). True when the room the
    // bars take may have changed.
    bool FollowStyleBits();

private:
    RECT Inner() const;
    bool AdoptBar(int bar);
};

// The bar and part the mouse is busy with.
struct MouseTracking {
    HWND window = nullptr;
    int bar = SB_HORZ;
    ScrollPart pressed = kPartNone;
    bool overPressed = false;   // the cursor is over the pressed part
    bool firstRepeat = false;   // the repeat timer still runs its first, longer delay
    POINT lastPoint = {};       // the pointer as the captured mouse last told, in window coordinates
    int dragThumb = 0;          // where the dragged thumb is drawn
    int dragStartThumb = 0;
    int grabOffset = 0;         // from the thumb's start to the pointer
    int startPosition = 0;
    int lastSentPosition = 0;

    HWND hotWindow = nullptr;
    int hotBar = SB_HORZ;
    ScrollPart hotPart = kPartNone;

    bool Tracks(HWND hwnd, int whichBar) const { return window == hwnd && bar == whichBar; }
    bool IsHot(HWND hwnd, int whichBar) const { return hotWindow == hwnd && hotBar == whichBar; }
};

MouseTracking& Tracking();

// The system's own state of a window's bar, whatever the interception does;
// false (and a zero state) when the window has none.
bool SystemScrollInfo(HWND hwnd, int bar, SCROLLINFO& info);

// Timers the layer sets on the windows it serves.
enum : UINT_PTR { kRepeatTimer = 0x5C01, kHotTimer = 0x5C02 };
constexpr UINT kFirstRepeatDelay = 300;
constexpr UINT kRepeatDelay = 55;
constexpr UINT kHotTrackDelay = 20;

// Drawing (ScrollBarPaint.cpp).
void PaintBar(ScrollBarWindow& window, HDC dc, int bar);
void PaintCorner(ScrollBarWindow& window, HDC dc);
const ScrollBar* CurrentScrollBarObject();

// The mouse (ScrollBarMouse.cpp); each returns true when it handled the message.
bool OnBarButtonDown(ScrollBarWindow& window, int hitTest, POINT screenPoint);
bool OnTrackedMouse(ScrollBarWindow& window, UINT msg, LPARAM lp);
bool OnBarTimer(ScrollBarWindow& window, UINT_PTR timer);
void OnNcMouseMove(ScrollBarWindow& window, int hitTest);
void EndTracking(ScrollBarWindow& window, bool notify);
void ForgetTracking(HWND hwnd);

POINT ToWindow(HWND hwnd, POINT screenPoint);

// The layer's place in the chain of the windows it serves (ScrollBarLayer.cpp).
const CWindowChain& ScrollBarChain();

// The bars an argument of the scroll-bar functions names (SB_BOTH both); none for others.
std::vector<int> BarsOf(int bar);
bool IsWindowBar(int bar);

}  // namespace skin
