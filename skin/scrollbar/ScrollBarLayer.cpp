// Installation, the window procedure and the scroll-bar functions of the layer.
#include "skin/scrollbar/SkinnedScrollBars.h"

#include "skin/core/ControlObjects.h"
#include "skin/core/Skin.h"
#include "skin/scrollbar/ScrollBarWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace skin {

namespace {

constexpr int kDefaultMinimumThumb = 8;

// The windows with skinned scroll bars, for a new skin's sizes.
std::mutex g_listLock;
std::set<HWND> g_windows;

void List(HWND hwnd)
{
    std::lock_guard<std::mutex> guard(g_listLock);
    g_windows.insert(hwnd);
}

void Unlist(HWND hwnd)
{
    std::lock_guard<std::mutex> guard(g_listLock);
    g_windows.erase(hwnd);
}

std::vector<HWND> ListedWindows()
{
    std::lock_guard<std::mutex> guard(g_listLock);
    for (auto it = g_windows.begin(); it != g_windows.end();)
        it = ::IsWindow(*it) ? std::next(it) : g_windows.erase(it);
    return {g_windows.begin(), g_windows.end()};
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

int SystemBarWidth(int bar) { return ::GetSystemMetrics(bar == SB_VERT ? SM_CXVSCROLL : SM_CYHSCROLL); }
int SystemArrowLength(int bar) { return ::GetSystemMetrics(bar == SB_VERT ? SM_CYVSCROLL : SM_CXHSCROLL); }

bool AcceptedSize(int size) { return size != 0 && size >= kMinimumBarSize && size <= kMaximumBarSize; }

// ---- the window's messages

LRESULT OnNcCalcSize(ScrollBarWindow& window, WPARAM wp, LPARAM lp)
{
    window.FollowStyleBits();
    RECT* rect = wp ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : reinterpret_cast<RECT*>(lp);
    const RECT outer = *rect;
    const LRESULT result = window.CallKeptWithoutBars(WM_NCCALCSIZE, wp, lp);
    window.borders = {rect->left - outer.left, rect->top - outer.top, outer.right - rect->right,
                      outer.bottom - rect->bottom};

    BarState& horizontal = window.Bar(SB_HORZ);
    horizontal.reserved = horizontal.shown && rect->bottom - rect->top > horizontal.width;
    if (horizontal.reserved)
        rect->bottom -= horizontal.width;
    BarState& vertical = window.Bar(SB_VERT);
    vertical.reserved = vertical.shown && rect->right - rect->left >= vertical.width;
    if (vertical.reserved && window.leftScrollBar)
        rect->left += vertical.width;
    else if (vertical.reserved)
        rect->right -= vertical.width;
    return result;
}

LRESULT OnNcHitTest(ScrollBarWindow& window, LPARAM lp)
{
    const POINT point = ToWindow(window.hwnd, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    for (int bar : {SB_HORZ, SB_VERT}) {
        const RECT rect = window.BarRect(bar);
        if (::PtInRect(&rect, point))
            return bar == SB_VERT ? HTVSCROLL : HTHSCROLL;
    }
    return window.CallKept(WM_NCHITTEST, 0, lp);
}

// The window's own non-client painting goes first: some controls fill all of
// it inside their border (a themed list view does), bars included.
void OnNcPaint(ScrollBarWindow& window, WPARAM wp, LPARAM lp)
{
    window.CallKeptWithoutBars(WM_NCPAINT, wp, lp);
    HDC dc = ::IsWindow(window.hwnd) ? ::GetWindowDC(window.hwnd) : nullptr;
    if (!dc)
        return;
    for (int bar : {SB_HORZ, SB_VERT})
        if (window.Bar(bar).reserved)
            PaintBar(window, dc, bar);
    if (window.Bar(SB_HORZ).reserved && window.Bar(SB_VERT).reserved)
        PaintCorner(window, dc);
    ::ReleaseDC(window.hwnd, dc);
}

bool IsBarHit(WPARAM hitTest) { return hitTest == HTHSCROLL || hitTest == HTVSCROLL; }

LRESULT OnNcDestroy(ScrollBarWindow* window, WPARAM wp, LPARAM lp)
{
    const HWND hwnd = window->hwnd;
    const WNDPROC kept = window->keptProc;
    ForgetTracking(hwnd);
    ::KillTimer(hwnd, kRepeatTimer);
    ::KillTimer(hwnd, kHotTimer);
    ::RemovePropA(hwnd, kSkinnedScrollBarProperty);
    Unlist(hwnd);
    delete window;
    return ::CallWindowProcA(kept, hwnd, WM_NCDESTROY, wp, lp);
}

// The layer's own handling; false passes the message on.
bool HandleLayerMessage(ScrollBarWindow& window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    result = 0;
    switch (msg) {
    case WM_NCCALCSIZE: result = OnNcCalcSize(window, wp, lp); return true;
    case WM_NCHITTEST: result = OnNcHitTest(window, lp); return true;
    case WM_NCPAINT: OnNcPaint(window, wp, lp); return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: return OnBarButtonDown(window, static_cast<int>(wp), {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_NCMBUTTONDBLCLK: return IsBarHit(wp);
    case WM_NCMOUSEMOVE: OnNcMouseMove(window, static_cast<int>(wp)); return false;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: return OnTrackedMouse(window, msg, lp);
    case WM_CAPTURECHANGED:
        if (Tracking().window == window.hwnd)
            EndTracking(window, true);
        return false;
    case WM_TIMER: return OnBarTimer(window, wp);
    case WM_STYLECHANGING:
    case WM_STYLECHANGED: return window.changingStyle;
    case SKINMSG_REFRESH_SCROLLBARS: window.AdoptSystemState(); return true;
    default: return false;
    }
}

LRESULT CALLBACK ScrollBarLayerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    ScrollBarWindow* window = ScrollBarWindow::Of(hwnd);
    if (!window)
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY)
        return OnNcDestroy(window, wp, lp);
    LRESULT result = 0;
    if (HandleLayerMessage(*window, msg, wp, lp, result))
        return result;
    result = window->CallKept(msg, wp, lp);
    if (msg == WM_ENABLE)
        window->RedrawAll();
    // Whatever the message made the control change through the system's own
    // functions shows in the skinned bars at once.
    if (ScrollBarWindow* still = ScrollBarWindow::Of(hwnd))
        still->AdoptSystemState();
    return result;
}

// ---- the scroll-bar functions

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

int ResolvedSize(int size, int systemSize) { return size > 0 ? size : systemSize; }

}  // namespace

POINT ToWindow(HWND hwnd, POINT screenPoint)
{
    RECT window{};
    ::GetWindowRect(hwnd, &window);
    return {screenPoint.x - window.left, screenPoint.y - window.top};
}

bool InstallSkinnedScrollBars(HWND hwnd)
{
    if (!::IsWindow(hwnd) || HasSkinnedScrollBars(hwnd))
        return false;
    auto window = std::make_unique<ScrollBarWindow>();
    window->hwnd = hwnd;
    const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
    for (int bar : {SB_HORZ, SB_VERT}) {
        BarState& state = window->Bar(bar);
        SystemScrollInfo(hwnd, bar, state.system);
        state.range = {state.system.nMin, state.system.nMax, state.system.nPage, state.system.nPos};
        state.trackPosition = state.range.position;
        state.shown = (style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
        state.width = SystemBarWidth(bar);
        state.arrowLength = SystemArrowLength(bar);
        state.minimumThumb = kDefaultMinimumThumb;
    }
    window->leftScrollBar = (::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    window->keepsStylesOff = InstalledInterception() != InterceptionMethod::kCodePatching;
    if (!::SetPropA(hwnd, kSkinnedScrollBarProperty, window.get()))
        return false;
    ScrollBarWindow* installed = window.release();
    installed->keptProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ScrollBarLayerProc)));
    List(hwnd);
    if (installed->keepsStylesOff)
        installed->SetStyleQuietly(style & ~(WS_HSCROLL | WS_VSCROLL));
    installed->RecalculateFrame();
    return true;
}

bool HasSkinnedScrollBars(HWND hwnd) { return ScrollBarWindow::Of(hwnd) != nullptr; }

void SetSkinnedScrollBarSize(HWND hwnd, int bar, int arrowLength, int barWidth)
{
    ScrollBarWindow* window = ScrollBarWindow::Of(hwnd);
    if (!window || !AcceptedSize(arrowLength) || !AcceptedSize(barWidth))
        return;
    for (int each : BarsOf(bar)) {
        window->Bar(each).arrowLength = ResolvedSize(arrowLength, SystemArrowLength(each));
        window->Bar(each).width = ResolvedSize(barWidth, SystemBarWidth(each));
    }
    window->RecalculateFrame();
}

void SetSkinnedScrollBarMinThumb(HWND hwnd, int bar, int length)
{
    ScrollBarWindow* window = ScrollBarWindow::Of(hwnd);
    if (!window || (length <= 0 && length != kDefaultThumbLength))
        return;
    for (int each : BarsOf(bar))
        window->Bar(each).minimumThumb = length == kDefaultThumbLength ? kDefaultMinimumThumb : length;
    window->RedrawAll();
}

void SetSkinnedScrollBarHotTracked(HWND hwnd, int bar, bool hotTracked)
{
    if (ScrollBarWindow* window = ScrollBarWindow::Of(hwnd))
        for (int each : BarsOf(bar))
            window->Bar(each).hotTracked = hotTracked;
}

bool SizeSkinnedScrollBarsFromSkin(HWND hwnd, const Skin& skin)
{
    const auto* object = dynamic_cast<const ScrollBar*>(skin.DefaultObject(kTypeScrollBar));
    if (!object)
        return false;
    const int size = object->m_states[kScrollNormal].arrow1.source.Width();
    SetSkinnedScrollBarSize(hwnd, SB_BOTH, size, size);
    SetSkinnedScrollBarMinThumb(hwnd, SB_BOTH, object->m_states[kScrollNormal].thumb.source.Width());
    return true;
}

void ResizeAllSkinnedScrollBars(const Skin& skin)
{
    for (HWND hwnd : ListedWindows())
        SizeSkinnedScrollBarsFromSkin(hwnd, skin);
}

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
