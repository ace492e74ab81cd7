// The scroll-bar functions answered from the layer's state, for the windows
// that carry skinned scroll bars; every other window gets the system's answer.
#include "skin/scrollbar/ScrollBarWindow.h"

#include "skin/scrollbar/SkinnedScrollBars.h"

#include <algorithm>
#include <vector>

namespace skin {

namespace {

void ShowBar(ScrollBarWindow& window, int bar, bool show)
{
    BarState& state = window.Bar(bar);
    if (state.shown == show)
        return;
    state.shown = show;
    if (!window.keepsStylesOff) {
        const LONG bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
        const LONG style = ::GetWindowLongA(window.hwnd, GWL_STYLE);
        window.SetStyleQuietly(show ? style | bit : style & ~bit);
    }
    window.RecalculateFrame();
}

bool ValidRange(int minimum, int maximum)
{
    return minimum <= maximum && static_cast<unsigned>(maximum) - static_cast<unsigned>(minimum) < 0x80000000u;
}

int SetInfo(ScrollBarWindow& window, int bar, const SCROLLINFO& info, BOOL redraw)
{
    BarState& state = window.Bar(bar);
    ScrollRange& range = state.range;
    bool paramsChanged = false;
    if ((info.fMask & SIF_RANGE) && ValidRange(info.nMin, info.nMax)) {
        paramsChanged |= range.minimum != info.nMin || range.maximum != info.nMax;
        range.minimum = info.nMin;
        range.maximum = info.nMax;
    }
    if (info.fMask & SIF_PAGE) {
        paramsChanged |= range.page != info.nPage;
        range.page = info.nPage;
    }
    range.page = std::min<unsigned>(range.page, static_cast<unsigned>(range.maximum - range.minimum) + 1);
    if (info.fMask & SIF_POS)
        range.position = info.nPos;
    range.position = range.Clamp(range.position);
    if (!window.dragging)
        state.trackPosition = range.position;

    if (info.fMask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) {
        if (!range.Scrolls()) {
            if (info.fMask & SIF_DISABLENOSCROLL)
                state.disabledArrows = ESB_DISABLE_BOTH;
            else if (paramsChanged)
                ShowBar(window, bar, false);
        } else if (info.fMask != SIF_PAGE) {
            state.disabledArrows = ESB_ENABLE_BOTH;
            if (paramsChanged)
                ShowBar(window, bar, true);
        }
    }
    if (redraw)
        window.RedrawBar(bar);
    return range.position;
}

template <typename Function>
Function System(InterceptedFunction function)
{
    return SystemFunction<Function>(function);
}

class LayerRouting : public ScrollBarRouting {
public:
    BOOL EnableScrollBar(HWND hwnd, UINT bars, UINT arrows) override
    {
        ScrollBarWindow* window = ScrollBarWindow::Of(hwnd);
        const std::vector<int> which = BarsOf(static_cast<int>(bars));
        if (!window || which.empty())
            return System<decltype(&::EnableScrollBar)>(InterceptedFunction::kEnableScrollBar)(hwnd, bars, arrows);
        bool changed = false;
        for (int bar : which) {
            BarState& state = window->Bar(bar);
            if (state.disabledArrows == (arrows & ESB_DISABLE_BOTH))
                continue;
            state.disabledArrows = arrows & ESB_DISABLE_BOTH;
            window->RedrawBar(bar);
            changed = true;
        }
        return changed;
    }

    BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) override
    {
        ScrollBarWindow* window = ScrollBarWindow::Of(hwnd);
        if (!window || !IsWindowBar(bar) || !info)
            return System<decltype(&::GetScrollInfo)>(InterceptedFunction::kGetScrollInfo)(hwnd, bar, info);
        const BarState& state = window->Bar(bar);
        if (info->fMask & SIF_RANGE) {
            info->nMin = state.range.minimum;
            info->nMax = state.range.maximum;
        }
        if (info->fMask & SIF_PAGE)
            info->nPage = state.range.page;
        if (info->fMask & SIF_POS)
            info->nPos = state.range.position;
        if (info->fMask & SIF_TRACKPOS)
            info->nTrackPos = state.trackPosition;
        return (info->fMask & SIF_ALL) != 0;
    }

    int GetScrollPos(HWND hwnd, int bar) override
    {
        ScrollBarWindow* window = ScrollBarWindow::Of(hwnd);
        if (!window || !IsWindowBar(bar))
            return System<decltype(&::GetScrollPos)>(InterceptedFunction::kGetScrollPos)(hwnd, bar);
        return window->Bar(bar).range.position;
    }

    BOOL GetScrollRange(HWND hwnd, int bar, int* minimum, int* maximum) override
    {
        ScrollBarWindow* window = ScrollBarWindow::Of(hwnd);
        if (!window || !IsWindowBar(bar) || !minimum || !maximum)
            return System<decltype(&::GetScrollRange)>(InterceptedFunction::kGetScrollRange)(hwnd, bar, minimum,
                                                                                           maximum);
        *minimum = window->Bar(bar).range.minimum;
        *maximum = window->Bar(bar).range.maximum;
        return TRUE;
    }

    int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) override
    {
        ScrollBarWindow* window = ScrollBarWindow::Of(hwnd);
        if (!window || !IsWindowBar(bar) || !info)
            return System<decltype(&::SetScrollInfo)>(InterceptedFunction::kSetScrollInfo)(hwnd, bar, info, redraw);
        return SetInfo(*window, bar, *info, redraw);
    }

    int SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw) override
    {
        ScrollBarWindow* window = ScrollBarWindow::Of(hwnd);
        if (!window || !IsWindowBar(bar))
            return System<decltype(&::SetScrollPos)>(InterceptedFunction::kSetScrollPos)(hwnd, bar, position, redraw);
        const int previous = window->Bar(bar).range.position;
        SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, position, 0};
        SetInfo(*window, bar, info, redraw);
        return previous;
    }

    BOOL SetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw) override
    {
        ScrollBarWindow* window = ScrollBarWindow::Of(hwnd);
        if (!window || !IsWindowBar(bar))
            return System<decltype(&::SetScrollRange)>(InterceptedFunction::kSetScrollRange)(hwnd, bar, minimum,
                                                                                           maximum, redraw);
        SCROLLINFO info{sizeof info, SIF_RANGE, minimum, maximum, 0, 0, 0};
        SetInfo(*window, bar, info, redraw);
        return TRUE;
    }

    BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) override
    {
        ScrollBarWindow* window = ScrollBarWindow::Of(hwnd);
        const std::vector<int> which = BarsOf(bar);
        if (!window || which.empty())
            return System<decltype(&::ShowScrollBar)>(InterceptedFunction::kShowScrollBar)(hwnd, bar, show);
        for (int each : which)
            ShowBar(*window, each, show != FALSE);
        return TRUE;
    }
};

}  // namespace

bool GetSkinnedScrollBarInfo(HWND hwnd, int bar, SCROLLBARINFO& info)
{
    ScrollBarWindow* window = ScrollBarWindow::Of(hwnd);
    if (!window || !IsWindowBar(bar))
        return false;
    RECT rect = window->BarRect(bar);
    RECT frame{};
    ::GetWindowRect(hwnd, &frame);
    ::OffsetRect(&rect, frame.left, frame.top);
    const BarLayout layout = window->Layout(bar);
    info.rcScrollBar = rect;
    info.dxyLineButton = layout.arrow;
    info.xyThumbTop = layout.thumbStart;
    info.xyThumbBottom = layout.thumbStart + layout.thumbLength;
    info.rgstate[0] = (window->Bar(bar).reserved ? 0 : STATE_SYSTEM_INVISIBLE) |
                      (window->Bar(bar).Disabled() ? STATE_SYSTEM_UNAVAILABLE : 0);
    return true;
}

bool SkinnedScrollTrackPosition(HWND hwnd, int bar, int& position)
{
    ScrollBarWindow* window = ScrollBarWindow::Of(hwnd);
    if (!window || !window->dragging || !Tracking().Tracks(hwnd, bar))
        return false;
    position = window->Bar(bar).trackPosition;
    return true;
}

ScrollBarRouting& SkinnedScrollBarRouting()
{
    static LayerRouting routing;
    return routing;
}

}  // namespace skin
