// The mouse on skinned scroll bars: arrows and track with their repeat,
// thumb dragging, and hot tracking.
#include "skin/scrollbar/ScrollBarWindow.h"

#include <windowsx.h>

namespace skin {

namespace {

// While the thumb is dragged within this distance of the bar (along it, and
// across it) it follows the pointer; further away it goes back.
constexpr int kDragSlackAlong = 48;
constexpr int kDragSlackAcross = 24;

void SendScroll(HWND hwnd, int bar, int code, int position = 0)
{
    ::SendMessageA(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position), 0);
}

POINT CursorInWindow(HWND hwnd)
{
    POINT point{};
    ::GetCursorPos(&point);
    return ToWindow(hwnd, point);
}

bool IgnoresClick(const BarState& state, ScrollPart part)
{
    switch (part) {
    case kPartArrow1: return (state.disabledArrows & ESB_DISABLE_LTUP) != 0;
    case kPartArrow2: return (state.disabledArrows & ESB_DISABLE_RTDN) != 0;
    case kPartNone: return true;
    default: return state.Disabled();
    }
}

void StartDrag(ScrollBarWindow& window, int bar, POINT point)
{
    MouseTracking& tracking = Tracking();
    BarState& state = window.Bar(bar);
    const BarLayout layout = window.Layout(bar);
    tracking.grabOffset = window.AlongBar(bar, point) - layout.thumbStart;
    tracking.dragStartThumb = tracking.dragThumb = layout.thumbStart;
    tracking.startPosition = tracking.lastSentPosition = state.range.position;
    state.trackPosition = state.range.position;
    window.dragging = true;
    window.RedrawBar(bar);
}

void DragTo(ScrollBarWindow& window, POINT point)
{
    MouseTracking& tracking = Tracking();
    const int bar = tracking.bar;
    BarState& state = window.Bar(bar);
    RECT area = window.BarRect(bar);
    if (bar == SB_VERT)
        ::InflateRect(&area, kDragSlackAcross, kDragSlackAlong);
    else
        ::InflateRect(&area, kDragSlackAlong, kDragSlackAcross);
    const BarLayout layout = window.Layout(bar);
    int position = tracking.startPosition;
    tracking.dragThumb = tracking.dragStartThumb;
    if (::PtInRect(&area, point)) {
        tracking.dragThumb = WithThumbAt(layout, window.AlongBar(bar, point) - tracking.grabOffset).thumbStart;
        position = PositionForThumb(state.range, layout, tracking.dragThumb - layout.TrackStart());
    }
    state.trackPosition = position;
    window.RedrawBar(bar);
    if (position != tracking.lastSentPosition) {
        tracking.lastSentPosition = position;
        SendScroll(window.hwnd, bar, SB_THUMBTRACK, position);
    }
}

void ClearHot()
{
    MouseTracking& tracking = Tracking();
    const HWND previous = tracking.hotWindow;
    tracking.hotWindow = nullptr;
    tracking.hotPart = kPartNone;
    if (!previous)
        return;
    ::KillTimer(previous, kHotTimer);
    if (ScrollBarWindow* window = ScrollBarWindow::Of(previous))
        window->RedrawBar(tracking.hotBar);
}

void UpdateHotPart(ScrollBarWindow& window)
{
    MouseTracking& tracking = Tracking();
    const ScrollPart part = window.PartAt(tracking.hotBar, CursorInWindow(window.hwnd));
    if (part == tracking.hotPart)
        return;
    tracking.hotPart = part;
    window.RedrawBar(tracking.hotBar);
}

void OnHotTimer(ScrollBarWindow& window)
{
    MouseTracking& tracking = Tracking();
    if (tracking.hotWindow != window.hwnd) {
        ::KillTimer(window.hwnd, kHotTimer);
        return;
    }
    const RECT rect = window.BarRect(tracking.hotBar);
    const POINT cursor = CursorInWindow(window.hwnd);
    if (!::PtInRect(&rect, cursor)) {
        ClearHot();
        return;
    }
    if (!window.dragging)
        UpdateHotPart(window);
}

void OnRepeatTimer(ScrollBarWindow& window)
{
    MouseTracking& tracking = Tracking();
    if (tracking.window != window.hwnd || tracking.pressed == kPartNone || tracking.pressed == kPartThumb) {
        ::KillTimer(window.hwnd, kRepeatTimer);
        return;
    }
    if (tracking.firstRepeat) {
        tracking.firstRepeat = false;
        ::SetTimer(window.hwnd, kRepeatTimer, kRepeatDelay, nullptr);
    }
    if (window.PartAt(tracking.bar, tracking.lastPoint) == tracking.pressed)
        SendScroll(window.hwnd, tracking.bar, tracking.pressed);
}

}  // namespace

MouseTracking& Tracking()
{
    static MouseTracking tracking;
    return tracking;
}

bool OnBarButtonDown(ScrollBarWindow& window, int hitTest, POINT screenPoint)
{
    if (hitTest != HTHSCROLL && hitTest != HTVSCROLL)
        return false;
    const int bar = hitTest == HTVSCROLL ? SB_VERT : SB_HORZ;
    const POINT point = ToWindow(window.hwnd, screenPoint);
    const ScrollPart part = window.PartAt(bar, point);
    if (IgnoresClick(window.Bar(bar), part) || !::IsWindowEnabled(window.hwnd) || Tracking().window)
        return true;

    MouseTracking& tracking = Tracking();
    tracking.window = window.hwnd;
    tracking.bar = bar;
    tracking.pressed = part;
    tracking.overPressed = true;
    tracking.lastPoint = point;
    ::SetCapture(window.hwnd);
    if (part == kPartThumb) {
        StartDrag(window, bar, point);
        return true;
    }
    tracking.firstRepeat = true;
    SendScroll(window.hwnd, bar, part);
    window.RedrawBar(bar);
    ::SetTimer(window.hwnd, kRepeatTimer, kFirstRepeatDelay, nullptr);
    return true;
}

bool OnTrackedMouse(ScrollBarWindow& window, UINT msg, LPARAM lp)
{
    MouseTracking& tracking = Tracking();
    if (tracking.window != window.hwnd)
        return false;
    if (msg == WM_LBUTTONUP) {
        EndTracking(window, true);
        return true;
    }
    POINT point{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    ::ClientToScreen(window.hwnd, &point);
    point = ToWindow(window.hwnd, point);
    tracking.lastPoint = point;
    if (window.dragging) {
        DragTo(window, point);
        return true;
    }
    const bool over = window.PartAt(tracking.bar, point) == tracking.pressed;
    if (over != tracking.overPressed) {
        tracking.overPressed = over;
        window.RedrawBar(tracking.bar);
    }
    return true;
}

void EndTracking(ScrollBarWindow& window, bool notify)
{
    MouseTracking& tracking = Tracking();
    if (tracking.window != window.hwnd)
        return;
    const HWND hwnd = window.hwnd;
    const int bar = tracking.bar;
    const bool dragged = window.dragging;
    const int position = tracking.lastSentPosition;
    // Over before the capture goes, so that the capture's end finds nothing to end.
    tracking.window = nullptr;
    tracking.pressed = kPartNone;
    window.dragging = false;
    ::KillTimer(hwnd, kRepeatTimer);
    if (::GetCapture() == hwnd)
        ::ReleaseCapture();
    if (notify && dragged)
        SendScroll(hwnd, bar, SB_THUMBPOSITION, position);
    if (notify)
        SendScroll(hwnd, bar, SB_ENDSCROLL);
    if (ScrollBarWindow* still = ScrollBarWindow::Of(hwnd)) {
        still->Bar(bar).trackPosition = still->Bar(bar).range.position;
        still->RedrawBar(bar);
    }
}

bool OnBarTimer(ScrollBarWindow& window, UINT_PTR timer)
{
    if (timer == kRepeatTimer)
        OnRepeatTimer(window);
    else if (timer == kHotTimer)
        OnHotTimer(window);
    else
        return false;
    return true;
}

void OnNcMouseMove(ScrollBarWindow& window, int hitTest)
{
    if (hitTest != HTHSCROLL && hitTest != HTVSCROLL)
        return;
    const int bar = hitTest == HTVSCROLL ? SB_VERT : SB_HORZ;
    if (!window.Bar(bar).hotTracked)
        return;
    MouseTracking& tracking = Tracking();
    if (!tracking.IsHot(window.hwnd, bar)) {
        ClearHot();
        tracking.hotWindow = window.hwnd;
        tracking.hotBar = bar;
        ::SetTimer(window.hwnd, kHotTimer, kHotTrackDelay, nullptr);
        window.RedrawBar(bar);
    }
    if (!window.dragging)
        UpdateHotPart(window);
}

void ForgetTracking(HWND hwnd)
{
    MouseTracking& tracking = Tracking();
    if (tracking.window == hwnd)
        tracking.window = nullptr;
    if (tracking.hotWindow == hwnd)
        tracking.hotWindow = nullptr;
}

}  // namespace skin
