#include "skin/kinds/ScrollingControl.h"

#include "skin/core/ControlObjects.h"
#include "skin/core/Skin.h"
#include "skin/engine/EngineState.h"
#include "skin/engine/CurrentSkin.h"
#include "skin/engine/SkinObjectQueries.h"
#include "skin/scrollbar/SkinnedScrollBars.h"

namespace skin {

bool SkinnedScrollingControl::Subclass(HWND hwnd)
{
    if (!SkinnedControl::Subclass(hwnd))
        return false;
    MakeBrushes();
    ::PostMessageA(hwnd, SKINMSG_SKIN_SCROLLBARS, 0, 0);
    ApplyColours();
    return true;
}

void SkinnedScrollingControl::Attach(SkinObject* object)
{
    SkinnedControl::Attach(object);
    MakeBrushes();
    if (Handle())
        ApplyColours();
}

void SkinnedScrollingControl::Unskin()
{
    if (m_hWnd && !IsDestroying()) {
        RemoveSkinnedScrollBars(m_hWnd);
        m_scrollBarsSkinned = false;
        RestoreColours();
    }
    SkinnedControl::Unskin();
}

bool SkinnedScrollingControl::GivesFont(const SkinObject& object) const
{
    return FontRecordOf(object) != nullptr;
}

const ClientEdgeControl* SkinnedScrollingControl::EdgeObject() const
{
    return ObjectAs<ClientEdgeControl>(Object());
}

COLORREF SkinnedScrollingControl::BackColour() const
{
    return EdgeObject() ? Rgb(EdgeObject()->m_backColour) : ::GetSysColor(COLOR_WINDOW);
}

COLORREF SkinnedScrollingControl::DisabledColour() const
{
    return EdgeObject() ? Rgb(EdgeObject()->m_thirdColour) : ::GetSysColor(COLOR_BTNFACE);
}

COLORREF SkinnedScrollingControl::TextColour() const
{
    return EdgeObject() ? Rgb(EdgeObject()->m_textColour) : ::GetSysColor(COLOR_WINDOWTEXT);
}

void SkinnedScrollingControl::MakeBrushes()
{
    const ClientEdgeControl* object = EdgeObject();
    m_backBrush.Reset(object ? ::CreateSolidBrush(BackColour()) : nullptr);
    m_disabledBrush.Reset(object ? ::CreateSolidBrush(DisabledColour()) : nullptr);
}

HBRUSH SkinnedScrollingControl::ColourControl(HDC dc, bool disabled)
{
    const ClientEdgeControl* object = EdgeObject();
    if (!object)
        return nullptr;
    ::SetBkColor(dc, disabled ? DisabledColour() : BackColour());
    ::SetTextColor(dc, TextColour());
    return disabled ? m_disabledBrush.Get() : m_backBrush.Get();
}

void SkinnedScrollingControl::SkinScrollBars()
{
    if (m_scrollBarsSkinned)
        return;
    const Skin& skin = Engine().manager.CurrentSkin();
    if (!skin.DefaultObject(kTypeScrollBar) || !InstallSkinnedScrollBars(m_hWnd))
        return;
    SetSkinnedScrollBarHotTracked(m_hWnd, SB_BOTH, true);
    SizeSkinnedScrollBarsFromSkin(m_hWnd, skin);
    m_scrollBarsSkinned = true;
}

SIZE SkinnedScrollingControl::BorderSize() const
{
    const LONG exStyle = ::GetWindowLongA(m_hWnd, GWL_EXSTYLE);
    SIZE border{0, 0};
    if (exStyle & WS_EX_CLIENTEDGE)
        border = {::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE)};
    if (exStyle & WS_EX_DLGMODALFRAME) {
        border.cx += ::GetSystemMetrics(SM_CXDLGFRAME);
        border.cy += ::GetSystemMetrics(SM_CXDLGFRAME);
    }
    if (exStyle & WS_EX_STATICEDGE) {
        ++border.cx;
        ++border.cy;
    }
    return border;
}

// The window's own painting stays inside the border (scroll bars and the
// like); the skin's "BORDER" image takes the border.
LRESULT SkinnedScrollingControl::OnNcPaint(WPARAM wp, LPARAM lp)
{
    const ClientEdgeControl* object = EdgeObject();
    if (!object || object->m_image.IsAbsent())
        return CallKeptProc(WM_NCPAINT, wp, lp);
    const SIZE border = BorderSize();
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    RECT inner = window;
    ::InflateRect(&inner, -border.cx, -border.cy);
    CRegionObject update(::CreateRectRgnIndirect(&inner));
    if (wp > 1)
        ::CombineRgn(update.Get(), update.Get(), reinterpret_cast<HRGN>(wp), RGN_AND);
    CallKeptProc(WM_NCPAINT, reinterpret_cast<WPARAM>(update.Get()), lp);
    if (border.cx <= 0 && border.cy <= 0)
        return 0;
    if (HDC dc = ::GetWindowDC(m_hWnd)) {
        const RECT whole{0, 0, window.right - window.left, window.bottom - window.top};
        ::ExcludeClipRect(dc, border.cx, border.cy, whole.right - border.cx, whole.bottom - border.cy);
        DrawNineGridImage(dc, whole, object->m_image, CurrentSkinImages());
        ::ReleaseDC(m_hWnd, dc);
    }
    return 0;
}

LRESULT SkinnedScrollingControl::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (!m_hWnd)
        return SkinnedControl::WindowProc(msg, wp, lp);
    switch (msg) {
    case SKINMSG_SKIN_SCROLLBARS: SkinScrollBars(); return 0;
    case WM_NCPAINT: return OnNcPaint(wp, lp);
    default: return SkinnedControl::WindowProc(msg, wp, lp);
    }
}

}  // namespace skin
