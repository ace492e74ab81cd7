#include "controls/PercentProgressCtrl.h"

#include "win/GdiScope.h"
#include "skin/SkinEngine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

// The colours of a bar drawn beneath, asked with the messages later systems
// define for it; the skin answers them with its bar's colours.
constexpr UINT PBM_GETBKCOLOUR = WM_USER + 14;
constexpr UINT PBM_GETBARCOLOUR = WM_USER + 15;

}  // namespace

LRESULT CPercentProgressCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case PBM_SETRANGE: return OnSetRange(LOWORD(lp), HIWORD(lp));
    case PBM_SETRANGE32: return OnSetRange(static_cast<int>(wp), static_cast<int>(lp));
    case PBM_GETRANGE: return OnGetRange(static_cast<BOOL>(wp), reinterpret_cast<PBRANGE*>(lp));
    case PBM_SETPOS: return OnSetPos(static_cast<int>(wp));
    case PBM_GETPOS: return m_nPos;
    case PBM_DELTAPOS: return SendMessage(PBM_SETPOS, static_cast<WPARAM>(m_nPos + static_cast<int>(wp)));
    case PBM_SETSTEP: return OnSetStep(static_cast<int>(wp));
    case PBM_STEPIT: return SendMessage(PBM_SETPOS, static_cast<WPARAM>(m_nPos + m_nStep));
    case PBM_SETBARCOLOR: return ReplaceColour(m_crBar, static_cast<COLORREF>(lp));
    case PBM_SETBKCOLOR: return ReplaceColour(m_crBackground, static_cast<COLORREF>(lp));
    case UWM_PROGRESS_TEXTCOLOUR: return ReplaceColour(m_crText, static_cast<COLORREF>(lp));
    case UWM_PROGRESS_SHOWTEXT: return OnShowText(static_cast<BOOL>(wp));
    case UWM_PROGRESS_TIPTEXT: return OnSetTipText(reinterpret_cast<const char*>(lp));
    case WM_DESTROY: return OnDestroy();
    case WM_SETTEXT: return OnSetText(wp, reinterpret_cast<const char*>(lp));
    case WM_GETTEXT: return OnGetText(wp, reinterpret_cast<char*>(lp));
    case WM_SIZE: return OnSize(wp, lp);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return OnPaint(nullptr);
    case WM_PRINTCLIENT: return OnPaint(reinterpret_cast<HDC>(wp));
    default: return CProgressWnd::WindowProc(msg, wp, lp);
    }
}

bool CPercentProgressCtrl::PreTranslateMessage(MSG* msg)
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(msg);
    return false;
}

LRESULT CPercentProgressCtrl::OnSetTipText(const char* text)
{
    const bool shown = text && *text;
    if (!m_toolTip.GetSafeHwnd() && (!shown || !m_toolTip.CreateCovering(m_hWnd, "")))
        return 0;
    m_toolTip.UpdateTipText(m_hWnd, 1, shown ? text : "");
    m_toolTip.Activate(shown);
    return 0;
}

LRESULT CPercentProgressCtrl::OnDestroy()
{
    m_toolTip.DestroyWindow();
    return DefaultProc(WM_DESTROY, 0, 0);
}

LRESULT CPercentProgressCtrl::OnSetRange(int lower, int upper)
{
    m_nLower = lower;
    m_nUpper = upper;
    return m_nUpper;
}

LRESULT CPercentProgressCtrl::OnGetRange(BOOL lowerWanted, PBRANGE* range) const
{
    if (range) {
        range->iLow = m_nLower;
        range->iHigh = m_nUpper;
    }
    return lowerWanted ? m_nLower : m_nUpper;
}

LRESULT CPercentProgressCtrl::OnSetPos(int position)
{
    const int previous = m_nPos;
    m_nPos = position;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const auto filledWidth = static_cast<int>((client.right - client.left) * FilledFraction());
    // Reports arrive far more often than the bar moves a pixel: repaint only then.
    if (filledWidth != m_nLastFilledWidth) {
        m_nLastFilledWidth = filledWidth;
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return previous;
}

LRESULT CPercentProgressCtrl::OnSetStep(int step)
{
    const int previous = m_nStep;
    m_nStep = step;
    return previous;
}

LRESULT CPercentProgressCtrl::ReplaceColour(COLORREF& field, COLORREF colour)
{
    Invalidate();
    return static_cast<LRESULT>(std::exchange(field, colour));
}

LRESULT CPercentProgressCtrl::OnShowText(BOOL show)
{
    if ((show != FALSE) != (m_bShowCaption != FALSE))
        Invalidate();
    m_bShowCaption = show;
    return 0;
}

LRESULT CPercentProgressCtrl::OnSetText(WPARAM wp, const char* text)
{
    const LRESULT result = DefaultProc(WM_SETTEXT, wp, reinterpret_cast<LPARAM>(text));
    const char* newCaption = text ? text : "";
    if (m_strCaption != newCaption) {
        m_strCaption = newCaption;
        Invalidate();
    }
    return result;
}

LRESULT CPercentProgressCtrl::OnGetText(size_t size, char* buffer) const
{
    if (!buffer || size == 0)
        return 0;
    const size_t copied = std::min(size - 1, m_strCaption.size());
    std::memcpy(buffer, m_strCaption.data(), copied);
    buffer[copied] = '\0';
    return static_cast<LRESULT>(copied);
}

LRESULT CPercentProgressCtrl::OnSize(WPARAM wp, LPARAM lp)
{
    const LRESULT result = DefaultProc(WM_SIZE, wp, lp);
    m_nLastFilledWidth = -1;
    return result;
}

LRESULT CPercentProgressCtrl::OnPaint(HDC given)
{
    // Before painting begins: a skin that repaints on new values paints
    // through this control, and the paint below then finds nothing to do.
    const bool skinned = m_nLower < m_nUpper && WearsSkin();
    if (skinned)
        PassValuesBeneath();
    CPaintDC paint(m_hWnd, given);
    if (m_nLower >= m_nUpper)
        return 0;  // nothing to show; the paint request is still completed
    RECT client, area;
    ::GetClientRect(m_hWnd, &client);
    RECT clip;
    if (::GetClipBox(paint.Get(), &clip) == ERROR || !::IntersectRect(&area, &clip, &client))
        return 0;

    // Drawn off-screen and copied in one transfer, so that the bar does not flicker.
    CMemoryDC memory(paint.Get());
    CBitmapObject bitmap(::CreateCompatibleBitmap(paint.Get(), area.right - area.left, area.bottom - area.top));
    if (!memory || !bitmap)
        return 0;
    {
        CSelectObject selectBitmap(memory.Get(), bitmap.Get());
        ::SetViewportOrgEx(memory.Get(), -area.left, -area.top, nullptr);
        DrawBar(memory.Get(), client, FilledFraction(), skinned);
        ::SetViewportOrgEx(memory.Get(), 0, 0, nullptr);
        ::BitBlt(paint.Get(), area.left, area.top, area.right - area.left, area.bottom - area.top, memory.Get(), 0,
                 0, SRCCOPY);
    }
    return 0;
}

bool CPercentProgressCtrl::WearsSkin() const
{
    return IsSkinDrawn(m_hWnd);
}

// Only what changed goes beneath, clamped as the skin keeps it: a skin that
// repaints on every new value then repaints once.
void CPercentProgressCtrl::PassValuesBeneath()
{
    PBRANGE range{};
    DefaultProc(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    if (range.iLow != m_nLower || range.iHigh != m_nUpper)
        DefaultProc(PBM_SETRANGE32, static_cast<WPARAM>(m_nLower), m_nUpper);
    const int position = std::clamp(m_nPos, m_nLower, m_nUpper);
    if (DefaultProc(PBM_GETPOS, 0, 0) != position)
        DefaultProc(PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

COLORREF CPercentProgressCtrl::ColourBeneath(UINT msg, COLORREF fallback)
{
    const auto colour = static_cast<COLORREF>(DefaultProc(msg, 0, 0));
    return colour == CLR_DEFAULT ? fallback : colour;
}

void CPercentProgressCtrl::DrawBar(HDC dc, const RECT& client, double fraction, bool skinned)
{
    auto font = reinterpret_cast<HFONT>(::SendMessageA(GetParent(), WM_GETFONT, 0, 0));
    CSelectObject selectFont(dc, font);

    RECT filled = client, empty = client;
    const bool vertical = (GetStyle() & PBS_VERTICAL) != 0;
    if (vertical) {
        filled.top = client.bottom - static_cast<LONG>((client.bottom - client.top) * fraction);
        empty.bottom = filled.top;
    } else {
        filled.right = client.left + static_cast<LONG>((client.right - client.left) * fraction);
        empty.left = filled.right;
    }
    COLORREF bar = BarColour(), background = BackgroundColour();
    if (skinned) {
        DefaultProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        bar = ColourBeneath(PBM_GETBARCOLOUR, bar);
        background = ColourBeneath(PBM_GETBKCOLOUR, background);
    } else {
        CBrushObject barBrush(::CreateSolidBrush(bar));
        CBrushObject backgroundBrush(::CreateSolidBrush(background));
        ::FillRect(dc, &filled, barBrush.Get());
        ::FillRect(dc, &empty, backgroundBrush.Get());
    }

    if (!m_bShowCaption || vertical)
        return;
    const std::string caption = CaptionText(fraction);
    ::SetBkMode(dc, TRANSPARENT);
    DrawCaptionPart(dc, client, filled, background, caption);
    DrawCaptionPart(dc, client, empty, bar, caption);
}

void CPercentProgressCtrl::DrawCaptionPart(HDC dc, const RECT& client, const RECT& part, COLORREF defaultColour,
                                           const std::string& caption) const
{
    CSavedDC saved(dc);
    ::IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
    ::SetTextColor(dc, m_crText == CLR_DEFAULT ? defaultColour : m_crText);
    RECT textRect = client;
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

double CPercentProgressCtrl::FilledFraction() const
{
    if (m_nLower >= m_nUpper)
        return 0.0;
    return static_cast<double>(m_nPos - m_nLower) / (static_cast<double>(m_nUpper) - m_nLower);
}

std::string CPercentProgressCtrl::CaptionText(double fraction) const
{
    if (!m_strCaption.empty())
        return m_strCaption;
    char text[32];
    std::snprintf(text, sizeof text, "%d%%", static_cast<int>(fraction * 100.0));
    return text;
}

COLORREF CPercentProgressCtrl::BarColour() const
{
    return m_crBar == CLR_DEFAULT ? ::GetSysColor(COLOR_HIGHLIGHT) : m_crBar;
}

COLORREF CPercentProgressCtrl::BackgroundColour() const
{
    return m_crBackground == CLR_DEFAULT ? ::GetSysColor(COLOR_WINDOW) : m_crBackground;
}
