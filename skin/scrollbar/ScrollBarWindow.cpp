#include "skin/scrollbar/ScrollBarWindow.h"

#include "skin/engine/Interception.h"

#include <initializer_list>

namespace skin {

namespace {

constexpr LONG kBarStyles = WS_HSCROLL | WS_VSCROLL;

LONG StyleBit(int bar) { return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL; }

// The arrows the system's EnableScrollBar disabled.
UINT SystemDisabledArrows(HWND hwnd, int bar)
{
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!::GetScrollBarInfo(hwnd, bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, &info))
        return 0;
    return ((info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) ? ESB_DISABLE_LTUP : 0) |
           ((info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE) ? ESB_DISABLE_RTDN : 0);
}

bool SameState(const SCROLLINFO& a, const SCROLLINFO& b)
{
    return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

// A list box that keeps its bar shown, disabled, when everything fits.
bool KeepsBarsWhenNotNeeded(HWND hwnd)
{
    char className[16] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    return lstrcmpiA(className, "ListBox") == 0 && (::GetWindowLongA(hwnd, GWL_STYLE) & LBS_DISABLENOSCROLL);
}

}  // namespace

bool SystemScrollInfo(HWND hwnd, int bar, SCROLLINFO& info)
{
    info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    if (SystemFunction<decltype(&::GetScrollInfo)>(InterceptedFunction::kGetScrollInfo)(hwnd, bar, &info))
        return true;
    info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    return false;
}

ScrollBarWindow* ScrollBarWindow::Of(HWND hwnd)
{
    return static_cast<ScrollBarWindow*>(ScrollBarChain().ObjectOf(hwnd));
}

RECT ScrollBarWindow::Inner() const
{
    RECT window{};
    ::GetWindowRect(hwnd, &window);
    return {borders.left, borders.top, window.right - window.left - borders.right,
            window.bottom - window.top - borders.bottom};
}

RECT ScrollBarWindow::BarRect(int bar) const
{
    const BarState& horizontal = bars[0];
    const BarState& vertical = bars[1];
    const RECT inner = Inner();
    RECT rect{};
    if (bar == SB_HORZ && horizontal.reserved) {
        rect = {inner.left, inner.bottom - horizontal.width, inner.right, inner.bottom};
        if (vertical.reserved && leftScrollBar)
            rect.left += vertical.width;
        else if (vertical.reserved)
            rect.right -= vertical.width;
    } else if (bar == SB_VERT && vertical.reserved) {
        rect = leftScrollBar ? RECT{inner.left, inner.top, inner.left + vertical.width, inner.bottom}
                             : RECT{inner.right - vertical.width, inner.top, inner.right, inner.bottom};
        if (horizontal.reserved)
            rect.bottom -= horizontal.width;
    }
    return rect;
}

RECT ScrollBarWindow::CornerRect() const
{
    if (!bars[0].reserved || !bars[1].reserved)
        return {};
    const RECT horizontal = BarRect(SB_HORZ);
    const RECT vertical = BarRect(SB_VERT);
    return {vertical.left, horizontal.top, vertical.right, horizontal.bottom};
}

BarLayout ScrollBarWindow::Layout(int bar) const
{
    const RECT rect = BarRect(bar);
    const BarState& state = bars[bar == SB_VERT ? 1 : 0];
    const int length = bar == SB_VERT ? rect.bottom - rect.top : rect.right - rect.left;
    const bool enabled = !state.Disabled() && ::IsWindowEnabled(hwnd);
    const BarLayout layout = LayOutBar(state.range, length, state.arrowLength, state.minimumThumb, enabled);
    const MouseTracking& tracking = Tracking();
    if (dragging && tracking.Tracks(hwnd, bar) && layout.HasThumb())
        return WithThumbAt(layout, tracking.dragThumb);
    return layout;
}

int ScrollBarWindow::AlongBar(int bar, POINT point) const
{
    const RECT rect = BarRect(bar);
    return bar == SB_VERT ? point.y - rect.top : point.x - rect.left;
}

ScrollPart ScrollBarWindow::PartAt(int bar, POINT point) const
{
    const RECT rect = BarRect(bar);
    if (!::PtInRect(&rect, point))
        return kPartNone;
    return skin::PartAt(Layout(bar), AlongBar(bar, point));
}

LRESULT ScrollBarWindow::CallKept(UINT msg, WPARAM wp, LPARAM lp)
{
    return ::CallWindowProcA(keptProc, hwnd, msg, wp, lp);
}

void ScrollBarWindow::SetStyleQuietly(LONG style)
{
    const bool was = changingStyle;
    changingStyle = true;
    ::SetWindowLongA(hwnd, GWL_STYLE, style);
    changingStyle = was;
}

LRESULT ScrollBarWindow::CallKeptWithoutBars(UINT msg, WPARAM wp, LPARAM lp)
{
    const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
    if (!(style & kBarStyles))
        return CallKept(msg, wp, lp);
    SetStyleQuietly(style & ~kBarStyles);
    const bool wasLent = stylesLent;
    stylesLent = true;
    const LRESULT result = CallKept(msg, wp, lp);
    stylesLent = wasLent;
    // The window may be gone, or may have changed its style meanwhile.
    if (::IsWindow(hwnd))
        SetStyleQuietly(::GetWindowLongA(hwnd, GWL_STYLE) | (style & kBarStyles));
    return result;
}

void ScrollBarWindow::RecalculateFrame()
{
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void ScrollBarWindow::RedrawBar(int bar)
{
    if (!Bar(bar).reserved || !::IsWindowVisible(hwnd))
        return;
    if (HDC dc = ::GetWindowDC(hwnd)) {
        PaintBar(*this, dc, bar);
        ::ReleaseDC(hwnd, dc);
    }
}

void ScrollBarWindow::RedrawAll()
{
    RedrawBar(SB_HORZ);
    RedrawBar(SB_VERT);
}

bool ScrollBarWindow::FollowStyleBits()
{
    const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
    if (!keepsStylesOff) {
        if (stylesLent)
            return false;
        bool changed = false;
        for (int bar : {SB_HORZ, SB_VERT}) {
            const bool shown = (style & StyleBit(bar)) != 0;
            changed |= Bar(bar).shown != shown;
            Bar(bar).shown = shown;
        }
        return changed;
    }
    if (!(style & kBarStyles))
        return false;
    for (int bar : {SB_HORZ, SB_VERT})
        if (style & StyleBit(bar))
            Bar(bar).shown = true;
    SetStyleQuietly(style & ~kBarStyles);
    return true;
}

// True when the bar's room in the frame must change.
bool ScrollBarWindow::AdoptBar(int bar)
{
    BarState& state = Bar(bar);
    // A bar the window never gave a state has none to take; asking the
    // system more would make it one.
    SCROLLINFO now{};
    if (!SystemScrollInfo(hwnd, bar, now))
        return false;
    const UINT disabledArrows = SystemDisabledArrows(hwnd, bar);
    if (disabledArrows != state.systemDisabledArrows) {
        state.systemDisabledArrows = state.disabledArrows = disabledArrows;
        RedrawBar(bar);
    }
    if (SameState(now, state.system))
        return false;
    const bool rangeChanged =
        now.nMin != state.system.nMin || now.nMax != state.system.nMax || now.nPage != state.system.nPage;
    state.system = now;
    state.range = {now.nMin, now.nMax, now.nPage, now.nPos};
    if (!(dragging && Tracking().Tracks(hwnd, bar)))
        state.trackPosition = now.nPos;
    // The system hides a bar whose range came to fit the page, and shows it
    // again when it no longer does; with the style bits off it cannot.
    const bool wanted = state.range.Scrolls() || KeepsBarsWhenNotNeeded(hwnd);
    if (keepsStylesOff && rangeChanged && wanted != state.shown) {
        state.shown = wanted;
        return true;
    }
    RedrawBar(bar);
    return false;
}

void ScrollBarWindow::AdoptSystemState()
{
    if (adopting)
        return;
    adopting = true;
    bool frameChanged = FollowStyleBits();
    for (int bar : {SB_HORZ, SB_VERT})
        frameChanged |= AdoptBar(bar);
    if (frameChanged)
        RecalculateFrame();
    adopting = false;
}

std::vector<int> BarsOf(int bar)
{
    if (bar == SB_BOTH)
        return {SB_HORZ, SB_VERT};
    if (bar == SB_HORZ || bar == SB_VERT)
        return {bar};
    return {};
}

bool IsWindowBar(int bar) { return bar == SB_HORZ || bar == SB_VERT; }

POINT ToWindow(HWND hwnd, POINT screenPoint)
{
    RECT window{};
    ::GetWindowRect(hwnd, &window);
    return {screenPoint.x - window.left, screenPoint.y - window.top};
}

}  // namespace skin
