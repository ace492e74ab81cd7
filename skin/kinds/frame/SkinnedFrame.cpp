#include "skin/kinds/frame/SkinnedFrame.h"

#include "skin/core/Skin.h"
#include "skin/draw/OffscreenBuffer.h"
#include "skin/engine/EngineState.h"
#include "skin/engine/CurrentSkin.h"
#include "skin/kinds/frame/SystemMenu.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

namespace skin {

namespace {

// Hover timers of caption elements, one id each from here on.
constexpr UINT_PTR kFirstElementTimer = 0x5B10;
constexpr int kMaxTitleChars = 299;
// The system menu opens this far right of the cursor.
constexpr LONG kMenuOffset = 2;

const ImageSlice& SliceFor(const FrameObject& frame, int part, bool active)
{
    const ImageSlice& inactive = frame.m_inactive[part];
    return active || inactive.IsAbsent() ? frame.m_active[part] : inactive;
}

RECT Union(const RECT& a, const RECT& b)
{
    RECT both{};
    ::UnionRect(&both, &a, &b);
    return both;
}

bool SameSize(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }

}  // namespace

SkinnedFrame::~SkinnedFrame() = default;

bool SkinnedFrame::IsFramed() const { return m_pFrame && IsFramedStyle(m_style); }

bool SkinnedFrame::SkinsClient() const { return m_pFrameWnd && m_pFrameWnd->m_skinClient; }

void SkinnedFrame::Attach(SkinObject* object)
{
    KillElementTimers();
    SkinnedWindow::Attach(object);
    m_pFrame = ObjectAs<FrameObject>(object);
    m_pFrameWnd = ObjectAs<FrameWnd>(object);
    const Skin& skin = Engine().manager.CurrentSkin();
    m_transparent = TransparentColourOf(skin);
    m_useTransparent = CutsToTransparentColour(skin);
    m_elements.clear();
    m_captionFont.Reset();
    m_background.Drop();
    if (m_pFrame) {
        m_elements = MakeCaptionItems(*m_pFrame);
        for (size_t i = 0; i < m_elements.size(); ++i)
            m_elements[i]->SetTimerId(kFirstElementTimer + i);
        m_drawsCaptionText = !HasCaptionTextElement(*m_pFrame);
        std::copy(std::begin(m_pFrame->m_layout), std::end(m_pFrame->m_layout), m_layout.begin());
        LOGFONTA logFont{};
        std::memcpy(&logFont, &m_pFrame->m_captionFont, sizeof logFont);
        logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
        m_captionFont.Reset(::CreateFontIndirectA(&logFont));
        m_shapes = m_useTransparent ? ShapesOfFrame(*m_pFrame, CurrentSkinImages(), m_transparent) : FrameShapes{};
    }
    if (!m_hWnd)
        return;
    if (IsFramed())
        Refit();
    m_lastSize = {-1, -1};
    // Every window may show something of the skin (its colours, the
    // background behind a control): all of them are drawn again.
    ::InvalidateRect(nullptr, nullptr, TRUE);
    ::RedrawWindow(m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_ERASENOW | RDW_FRAME);
}

bool SkinnedFrame::Subclass(HWND hwnd)
{
    if (!AttachWindow(hwnd))
        return false;
    m_style = ::GetWindowLongA(hwnd, GWL_STYLE);
    if (IsFramed())
        Refit();
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    return true;
}

void SkinnedFrame::Unskin()
{
    const HWND hwnd = m_hWnd;
    const bool refit = hwnd && !IsDestroying() && IsFramed();
    RECT client{};
    if (hwnd) {
        KillElementTimers();
        for (const auto& element : m_elements)
            if (element->HoldsCapture() && ::GetCapture() == hwnd)
                ::ReleaseCapture();
        ::GetClientRect(hwnd, &client);
    }
    SkinnedWindow::Unskin();
    if (refit)
        FitSystemFrame(hwnd, client);
}

// A window given back keeps its client area inside the system's frame, so
// that its controls still fit it.
void SkinnedFrame::FitSystemFrame(HWND hwnd, RECT client)
{
    const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongA(hwnd, GWL_EXSTYLE);
    if (!::AdjustWindowRectEx(&client, static_cast<DWORD>(style), ::GetMenu(hwnd) != nullptr, static_cast<DWORD>(exStyle)))
        return;
    RECT window{};
    ::GetWindowRect(hwnd, &window);
    POINT origin{window.left, window.top};
    if (HWND parent = (style & WS_CHILD) ? ::GetParent(hwnd) : nullptr)
        ::ScreenToClient(parent, &origin);
    ::MoveWindow(hwnd, origin.x, origin.y, client.right - client.left, client.bottom - client.top, TRUE);
}

void SkinnedFrame::KillElementTimers()
{
    if (!m_hWnd)
        return;
    for (const auto& element : m_elements)
        ::KillTimer(m_hWnd, element->TimerId());
}

// Keeps the client area and gives the window the frame's border around it.
void SkinnedFrame::Refit()
{
    RECT window{};
    RECT client{};
    ::GetWindowRect(m_hWnd, &window);
    ::GetClientRect(m_hWnd, &client);
    POINT origin{window.left, window.top};
    if (HWND parent = (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(m_hWnd) : nullptr)
        ::ScreenToClient(parent, &origin);
    const SIZE size = FrameSizeForClient(m_layout, {client.right, client.bottom});
    ::MoveWindow(m_hWnd, origin.x, origin.y, size.cx, size.cy, FALSE);
}

SIZE SkinnedFrame::WindowSize() const
{
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    return {window.right - window.left, window.bottom - window.top};
}

POINT SkinnedFrame::WindowPoint(LPARAM screenPoint) const
{
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    return {GET_X_LPARAM(screenPoint) - window.left, GET_Y_LPARAM(screenPoint) - window.top};
}

void SkinnedFrame::PlaceElements(SIZE size)
{
    // Only a dialog frame knows where its elements go when it is sized.
    const SIZE design = m_pFrameWnd ? DesignSize(m_layout) : size;
    for (const auto& element : m_elements)
        element->Place(size, design);
}

LRESULT SkinnedFrame::CallWithoutStyle(LONG bits, UINT msg, WPARAM wp, LPARAM lp)
{
    const HWND hwnd = m_hWnd;
    const LONG taken = ::GetWindowLongA(hwnd, GWL_STYLE) & bits;
    if (taken)
        ::SetWindowLongA(hwnd, GWL_STYLE, ::GetWindowLongA(hwnd, GWL_STYLE) & ~taken);
    const LRESULT result = CallKeptProc(msg, wp, lp);
    // The call may have changed other bits of the style (or ended the window): give back only ours.
    if (taken && ::IsWindow(hwnd))
        ::SetWindowLongA(hwnd, GWL_STYLE, ::GetWindowLongA(hwnd, GWL_STYLE) | taken);
    return result;
}

void SkinnedFrame::RepaintFrame()
{
    if (m_hWnd && IsFramed())
        PaintFrame(nullptr, HasActiveCaption());
}

bool SkinnedFrame::HasActiveCaption() const
{
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    return ::GetWindowInfo(m_hWnd, &info) && info.dwWindowStatus == WS_ACTIVECAPTION;
}

void SkinnedFrame::OpenSystemMenu(const RECT& element)
{
    (void)element;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ShowSkinnedSystemMenu(m_hWnd, {cursor.x + kMenuOffset, cursor.y});
}

LRESULT SkinnedFrame::OnMenuKey(WPARAM key, LPARAM keyData)
{
    if (key != VK_SPACE || !IsFramed() || !(m_style & WS_SYSMENU))
        return SkinnedWindow::OnMenuKey(key, keyData);
    // Below the caption's left end, where the system menu button sits.
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    ShowSkinnedSystemMenu(m_hWnd, {window.left + m_layout[kPartLeft].right, window.top + m_layout[kPartTopLeft].bottom});
    return 1;
}

// ---- painting the frame

void SkinnedFrame::PaintFrame(HRGN update, bool active)
{
    const SIZE size = WindowSize();
    if (!SameSize(size, m_lastSize)) {
        m_background.Drop();
        m_lastSize = size;
        InstallRegion(size);
        ::SendMessageA(m_hWnd, WM_NCPAINT, 1, 0);
        ::UpdateWindow(m_hWnd);
        return;
    }
    // The shape is in place for the first show, which paints the frame anyway.
    if (!::IsWindowVisible(m_hWnd))
        return;
    const FrameParts parts = PartsForSize(m_layout, size);
    CClientDC windowDc(m_hWnd, true);
    COffscreenBuffer buffer(windowDc.Get(), {0, 0, size.cx, size.cy});
    if (!windowDc.Get() || !buffer)
        return;
    if (update) {
        CRegionObject clip(::CreateRectRgn(0, 0, 0, 0));
        ::CombineRgn(clip.Get(), update, nullptr, RGN_COPY);
        RECT window{};
        ::GetWindowRect(m_hWnd, &window);
        ::OffsetRgn(clip.Get(), -window.left, -window.top);
        ::ExtSelectClipRgn(windowDc.Get(), clip.Get(), RGN_AND);
        ::SelectClipRgn(buffer.Dc(), clip.Get());
    }
    if (PaintMinimized(buffer.Dc(), size, active)) {
        PaintCaption(buffer.Dc(), parts, active);
        buffer.CopyTo(windowDc.Get());
        return;
    }
    PaintParts(buffer.Dc(), parts, active);
    PaintCaption(buffer.Dc(), parts, active);
    const RECT strips[] = {
        Union(Union(parts[kPartTopLeft], parts[kPartTop]), parts[kPartTopRight]),
        parts[kPartLeft],
        parts[kPartRight],
        Union(Union(parts[kPartBottomLeft], parts[kPartBottom]), parts[kPartBottomRight]),
    };
    for (const RECT& strip : strips)
        ::BitBlt(windowDc.Get(), strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top,
                 buffer.Dc(), strip.left, strip.top, SRCCOPY);
}

void SkinnedFrame::InstallRegion(SIZE size)
{
    CRegionObject region;
    const NineGridImage& minimized = m_pFrame->m_minimizedActive;
    if (m_useTransparent && ::IsIconic(m_hWnd) && !minimized.IsAbsent()) {
        region.Reset(::CreateRectRgn(0, 0, size.cx, size.cy));
    } else if (m_useTransparent) {
        region = FrameRegion(*m_pFrame, m_layout, m_shapes, size);
    }
    // Caption texts leave the region as the parts made it.
    CRegionObject present(::CreateRectRgn(0, 0, 0, 0));
    if (region || ::GetWindowRgn(m_hWnd, present.Get()) != ERROR)
        SetWindowRegion(std::move(region));
}

bool SkinnedFrame::PaintMinimized(HDC dc, SIZE size, bool active)
{
    if (!::IsIconic(m_hWnd) || m_pFrame->m_minimizedActive.IsAbsent())
        return false;
    const NineGridImage& inactive = m_pFrame->m_minimizedInactive;
    const NineGridImage& image = !active && !inactive.IsAbsent() ? inactive : m_pFrame->m_minimizedActive;
    const RECT whole{0, 0, size.cx, size.cy};
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    FillSolid(dc, whole, face);
    DrawNineGridImage(dc, whole, image, CurrentSkinImages(), face);
    return true;
}

void SkinnedFrame::PaintParts(HDC dc, const FrameParts& parts, bool active)
{
    const COLORREF colour = Rgb(active ? m_pFrame->m_activeColour : m_pFrame->m_inactiveColour);
    std::vector<int> order;
    if (!::IsIconic(m_hWnd))
        order = {kPartLeft, kPartRight};
    for (int part : {kPartTopLeft, kPartTop, kPartTopRight, kPartBottomLeft, kPartBottom, kPartBottomRight})
        order.push_back(part);
    for (int part : order) {
        // Filled first: a slice copied into a larger part leaves the rest to the colour.
        FillSolid(dc, parts[part], colour);
        DrawImageSlice(dc, parts[part], SliceFor(*m_pFrame, part, active), CurrentSkinImages());
    }
}

void SkinnedFrame::PaintCaption(HDC dc, const FrameParts& parts, bool active)
{
    DrawCaptionText(dc, parts[kPartTop]);
    PlaceElements(WindowSize());
    const CaptionLook look{active, ::IsWindowEnabled(m_hWnd) != FALSE, CurrentSkinImages()};
    for (const auto& element : m_elements)
        if (element->IsShownFor(m_style))
            element->Draw(dc, look, *this);
}

void SkinnedFrame::DrawCaptionText(HDC dc, const RECT& area)
{
    if ((::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CAPTION) != WS_CAPTION || !m_drawsCaptionText)
        return;
    char title[kMaxTitleChars + 1] = {};
    ::GetWindowTextA(m_hWnd, title, sizeof title);
    const LONG exStyle = ::GetWindowLongA(m_hWnd, GWL_EXSTYLE);
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (exStyle & WS_EX_RTLREADING)
        format |= DT_RTLREADING;
    if (exStyle & WS_EX_RIGHT)
        format |= DT_RIGHT;
    CSavedDC saved(dc);
    CSelectObject font(dc, m_captionFont.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, Rgb(m_pFrame->m_captionFont.textColour));
    RECT place = area;
    ::DrawTextA(dc, title, -1, &place, format);
}

// ---- messages

LRESULT SkinnedFrame::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (!m_pFrame || !m_hWnd)
        return SkinnedWindow::WindowProc(msg, wp, lp);
    // Framed or not, the dialog shows the skin's caption text and client background.
    switch (msg) {
    case WM_SETTEXT: return OnSetText(wp, lp);
    case WM_ERASEBKGND:
        return SkinsClient() && m_background.Erase(m_hWnd, *m_pFrame, reinterpret_cast<HDC>(wp))
                   ? 1
                   : CallKeptProc(msg, wp, lp);
    case WM_CTLCOLORSTATIC: return OnControlColourStatic(wp, lp);
    case SKINMSG_PAINT_BACKGROUND:
        m_background.PaintBehind(m_hWnd, *m_pFrame, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
        return 1;
    default: return IsFramed() ? OnFrameMessage(msg, wp, lp) : OnUnframedMessage(msg, wp, lp);
    }
}

LRESULT SkinnedFrame::OnUnframedMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CTLCOLORDLG)
        return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    return SkinnedWindow::WindowProc(msg, wp, lp);
}

// The border and caption of a framed dialog are the engine's: it answers for
// the non-client area and the caption elements.
LRESULT SkinnedFrame::OnFrameMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_ENABLE:
    case WM_SETICON:
    case WM_INITMENU:
    case WM_INITMENUPOPUP: {
        const LRESULT result = CallWithoutStyle(WS_SYSMENU, msg, wp, lp);
        RepaintFrame();
        return result;
    }
    case WM_SETCURSOR: return CallWithoutStyle(WS_SYSMENU, msg, wp, lp);
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(wp, lp);
    // The caption has no context menu of the system's.
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP: return 0;
    case WM_NCCALCSIZE: return OnNcCalcSize(wp, lp);
    case WM_NCHITTEST: return OnNcHitTest(lp);
    case WM_NCPAINT: PaintFrame(wp > 1 ? reinterpret_cast<HRGN>(wp) : nullptr, HasActiveCaption()); return 0;
    case WM_NCACTIVATE: return OnNcActivate(wp, lp);
    case WM_NCMOUSEMOVE: return OnNcMouseMove(wp, lp);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP: return OnNcButton(msg, wp, lp);
    case WM_NCLBUTTONDBLCLK: return OnNcDoubleClick(wp, lp);
    case WM_TIMER:
        if (OnElementTimer(wp))
            return 0;
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (OnCapturedMouse(msg, lp))
            return 0;
        break;
    }
    return SkinnedWindow::WindowProc(msg, wp, lp);
}

LRESULT SkinnedFrame::OnNcCalcSize(WPARAM wp, LPARAM lp)
{
    RECT& proposed = wp ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : *reinterpret_cast<RECT*>(lp);
    proposed = ClientWithinFrame(m_layout, proposed);
    return 0;
}

LRESULT SkinnedFrame::OnNcHitTest(LPARAM lp)
{
    const POINT point = WindowPoint(lp);
    const SIZE size = WindowSize();
    PlaceElements(size);
    for (const auto& element : m_elements)
        if (element->IsShownFor(m_style) && element->Contains(point))
            return HTCAPTION;
    const LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
    return HitTestFrame(PartsForSize(m_layout, size), point, IsSizableStyle(style), ::IsZoomed(m_hWnd) != FALSE);
}

LRESULT SkinnedFrame::OnNcActivate(WPARAM wp, LPARAM lp)
{
    // With nothing but WS_POPUP (or WS_CHILD) left, the system draws no frame of its own.
    const LRESULT result = CallWithoutStyle(~static_cast<LONG>(WS_POPUP | WS_CHILD), WM_NCACTIVATE, wp, lp);
    // The state being entered, which the system may not report yet.
    PaintFrame(nullptr, wp != FALSE);
    return result;
}

LRESULT SkinnedFrame::OnNcMouseMove(WPARAM wp, LPARAM lp)
{
    const LRESULT result = CallWithoutStyle(WS_SYSMENU, WM_NCMOUSEMOVE, wp, lp);
    const POINT point = WindowPoint(lp);
    PlaceElements(WindowSize());
    for (const auto& element : m_elements)
        if (element->IsShownFor(m_style))
            element->OnMouseMove(point, *this);
    return result;
}

LRESULT SkinnedFrame::OnNcButton(UINT msg, WPARAM wp, LPARAM lp)
{
    const POINT point = WindowPoint(lp);
    PlaceElements(WindowSize());
    for (const auto& element : m_elements) {
        if (!element->IsShownFor(m_style))
            continue;
        // A button may open the system menu, whose loop can give the window
        // another skin or end it: once a button took the press, neither it
        // nor this frame is touched again.
        const bool button = element->IsButton();
        const bool taken = msg == WM_NCLBUTTONDOWN ? element->OnButtonDown(point, *this)
                                                   : element->OnButtonUp(point, *this);
        if (taken && button)
            return 0;
    }
    // A maximized frame stays where it is.
    if (::IsZoomed(m_hWnd))
        return 0;
    CallWithoutStyle(WS_SYSMENU, msg, wp, lp);
    return 0;
}

LRESULT SkinnedFrame::OnNcDoubleClick(WPARAM wp, LPARAM lp)
{
    const POINT point = WindowPoint(lp);
    PlaceElements(WindowSize());
    for (const auto& element : m_elements)
        if (element->IsShownFor(m_style) && element->IsButton() && element->OnDoubleClick(point, *this))
            return 0;
    if (!IsSizableStyle(::GetWindowLongA(m_hWnd, GWL_STYLE)))
        return 0;
    const bool locked = ::LockWindowUpdate(m_hWnd) != FALSE;
    CallKeptProc(WM_NCLBUTTONDBLCLK, wp, lp);
    if (locked)
        ::LockWindowUpdate(nullptr);
    ::SendMessageA(m_hWnd, WM_NCPAINT, 1, 0);
    return 0;
}

LRESULT SkinnedFrame::OnSetText(WPARAM wp, LPARAM lp)
{
    // Locked updates keep the system's caption off the screen; where locking
    // is not honoured, a window without WS_VISIBLE draws nothing either.
    const bool locked = ::LockWindowUpdate(m_hWnd) != FALSE;
    const LRESULT result = CallWithoutStyle(WS_VISIBLE, WM_SETTEXT, wp, lp);
    if (locked)
        ::LockWindowUpdate(nullptr);
    ::SendMessageA(m_hWnd, WM_NCPAINT, 1, 0);
    return result;
}

LRESULT SkinnedFrame::OnGetMinMaxInfo(WPARAM wp, LPARAM lp)
{
    auto* info = reinterpret_cast<MINMAXINFO*>(lp);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        info->ptMaxSize = {work.right - work.left, work.bottom - work.top};
        info->ptMaxPosition = {work.left - monitor.rcMonitor.left, work.top - monitor.rcMonitor.top};
    }
    const SIZE minimum = MinimumTrackSize(m_layout);
    info->ptMinTrackSize = {minimum.cx, minimum.cy};
    MINMAXINFO kept = *info;
    CallKeptProc(WM_GETMINMAXINFO, wp, reinterpret_cast<LPARAM>(&kept));
    info->ptMaxTrackSize = {std::min(info->ptMaxTrackSize.x, kept.ptMaxTrackSize.x),
                            std::min(info->ptMaxTrackSize.y, kept.ptMaxTrackSize.y)};
    info->ptMinTrackSize = {std::max(info->ptMinTrackSize.x, kept.ptMinTrackSize.x),
                            std::max(info->ptMinTrackSize.y, kept.ptMinTrackSize.y)};
    return 0;
}

LRESULT SkinnedFrame::OnControlColourStatic(WPARAM wp, LPARAM lp)
{
    const auto dc = reinterpret_cast<HDC>(wp);
    const SkinnedWindow* control = FromHandle(reinterpret_cast<HWND>(lp));
    const int kind = control ? control->Kind() : kTypeNone;
    if (kind == kTypeStatic || kind == kTypeLinkWnd) {
        ::SetBkMode(dc, TRANSPARENT);
        HBRUSH brush = SkinsClient() ? m_background.BrushFor(m_hWnd, *m_pFrame, dc, reinterpret_cast<HWND>(lp))
                                     : static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
        return reinterpret_cast<LRESULT>(brush);
    }
    if (kind == kTypeEdit)
        if (HBRUSH brush = SkinnedEditBrush(reinterpret_cast<HWND>(lp), dc))
            return reinterpret_cast<LRESULT>(brush);
    return CallKeptProc(WM_CTLCOLORSTATIC, wp, lp);
}

bool SkinnedFrame::OnCapturedMouse(UINT msg, LPARAM lp)
{
    for (const auto& element : m_elements) {
        if (!element->HoldsCapture())
            continue;
        if (msg == WM_CAPTURECHANGED) {
            element->OnCaptureLost(*this);
            return false;  // the window may want to know as well
        }
        // Client coordinates while the capture is held; the element wants window ones.
        POINT point{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ::ClientToScreen(m_hWnd, &point);
        const POINT inWindow = WindowPoint(MAKELPARAM(point.x, point.y));
        if (msg == WM_MOUSEMOVE)
            element->OnMouseMove(inWindow, *this);
        else
            element->OnButtonUp(inWindow, *this);
        return true;
    }
    return false;
}

bool SkinnedFrame::OnElementTimer(WPARAM id)
{
    for (const auto& element : m_elements) {
        if (element->TimerId() == id) {
            element->OnHoverTimer(*this);
            return true;
        }
    }
    return false;
}

}  // namespace skin
