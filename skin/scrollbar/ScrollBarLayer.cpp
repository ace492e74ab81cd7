// Installation, the window procedure and the sizes of the layer.
#include "skin/scrollbar/SkinnedScrollBars.h"

#include "skin/core/ControlObjects.h"
#include "skin/draw/SkinLook.h"
#include "skin/scrollbar/ScrollBarWindow.h"

#include <windowsx.h>

#include <memory>
#include <vector>

namespace skin {

namespace {

constexpr int kDefaultMinimumThumb = 8;

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
    ScrollBarChain().ClearObject(hwnd);
    ScrollBarChain().Forget(hwnd);
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
        return ScrollBarChain().PassDown(hwnd, msg, wp, lp);
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

int ResolvedSize(int size, int systemSize) { return size > 0 ? size : systemSize; }

BOOL CALLBACK CollectSkinnedScrollBars(HWND hwnd, LPARAM found)
{
    if (ScrollBarWindow::Of(hwnd))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectFromTopLevel(HWND hwnd, LPARAM found)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process != ::GetCurrentProcessId())
        return TRUE;
    CollectSkinnedScrollBars(hwnd, found);
    ::EnumChildWindows(hwnd, &CollectSkinnedScrollBars, found);
    return TRUE;
}

// The windows of this process that carry skinned scroll bars: the layer's
// place in their chains marks them, so no list of its own is kept.
std::vector<HWND> WindowsWithSkinnedScrollBars()
{
    std::vector<HWND> found;
    ::EnumWindows(&CollectFromTopLevel, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

// The layer's state in kSkinnedScrollBarProperty, where the intercepted
// functions look for it, and the procedure below the layer's.
const CWindowChain& ScrollBarChain()
{
    static const CWindowChain chain(kSkinnedScrollBarProperty, "SKIN_SCROLLBAR_WNDPROC", &ScrollBarLayerProc);
    return chain;
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
    if (!ScrollBarChain().SetObject(hwnd, window.get()))
        return false;
    if (!ScrollBarChain().Insert(hwnd)) {
        ScrollBarChain().ClearObject(hwnd);
        return false;
    }
    ScrollBarWindow* installed = window.release();
    installed->keptProc = ScrollBarChain().Below(hwnd);
    if (installed->keepsStylesOff)
        installed->SetStyleQuietly(style & ~(WS_HSCROLL | WS_VSCROLL));
    installed->RecalculateFrame();
    return true;
}

bool HasSkinnedScrollBars(HWND hwnd) { return ScrollBarWindow::Of(hwnd) != nullptr; }

void RemoveSkinnedScrollBars(HWND hwnd)
{
    std::unique_ptr<ScrollBarWindow> window(ScrollBarWindow::Of(hwnd));
    if (!window)
        return;
    if (Tracking().window == hwnd && ::GetCapture() == hwnd)
        ::ReleaseCapture();
    ForgetTracking(hwnd);
    ::KillTimer(hwnd, kRepeatTimer);
    ::KillTimer(hwnd, kHotTimer);
    // From here the scroll-bar functions reach the system for this window.
    ScrollBarChain().ClearObject(hwnd);
    ScrollBarChain().Remove(hwnd);
    LONG style = ::GetWindowLongA(hwnd, GWL_STYLE) & ~(WS_HSCROLL | WS_VSCROLL);
    for (int bar : {SB_HORZ, SB_VERT}) {
        const BarState& state = window->Bar(bar);
        if (state.shown)
            style |= bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    }
    ::SetWindowLongA(hwnd, GWL_STYLE, style);
    for (int bar : {SB_HORZ, SB_VERT}) {
        const ScrollRange& range = window->Bar(bar).range;
        SCROLLINFO info{sizeof info, SIF_ALL, range.minimum, range.maximum, range.page, range.position, 0};
        ::SetScrollInfo(hwnd, bar, &info, FALSE);
    }
    window->RecalculateFrame();
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

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
    const auto* object = DefaultObjectAs<ScrollBar>(skin, kTypeScrollBar);
    if (!object)
        return false;
    const int size = object->m_states[kScrollNormal].arrow1.source.Width();
    SetSkinnedScrollBarSize(hwnd, SB_BOTH, size, size);
    SetSkinnedScrollBarMinThumb(hwnd, SB_BOTH, object->m_states[kScrollNormal].thumb.source.Width());
    return true;
}

void ResizeAllSkinnedScrollBars(const Skin& skin)
{
    for (HWND hwnd : WindowsWithSkinnedScrollBars())
        SizeSkinnedScrollBarsFromSkin(hwnd, skin);
}

}  // namespace skin
