#include "skin/kinds/ButtonFamily.h"

#include "skin/kinds/ButtonLooks.h"

#include <windowsx.h>

namespace skin {

namespace {

constexpr int STATE_WORD = 0;  // window word of the system button's state
constexpr UINT CHECK_BITS = 3;

}  // namespace

LRESULT SkinnedButtonFamily::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (!Object())
        return SkinnedPaintedControl::WindowProc(msg, wp, lp);
    switch (msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_SETFOCUS: Repaint(); return 0;
    case WM_KILLFOCUS:
        // A press that the focus leaves ends without a click, by mouse or by the space bar.
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        m_bPressed = false;
        Repaint();
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse from a press.
        EndPress();
        break;
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_UPDATEUISTATE:
    case BM_SETSTATE:
    case BM_SETSTYLE: {
        const LRESULT result = CallHidden(msg, wp, lp);
        Repaint();
        return result;
    }
    case BM_GETCHECK: return ::GetWindowLongA(m_hWnd, STATE_WORD) & CHECK_BITS;
    case BM_SETCHECK:
        WriteCheck(static_cast<UINT>(wp));
        // Tab stops at the checked radio button of a group only, as with the system's.
        if (Kind() == kTypeRadio)
            ::SetWindowLongA(m_hWnd, GWL_STYLE, wp ? Style() | WS_TABSTOP : Style() & ~WS_TABSTOP);
        Repaint();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnButtonDown(); return 0;
    case WM_MOUSEMOVE: OnMouseMove(wp, lp); return 0;
    case WM_MOUSELEAVE: m_bHovered = false; Repaint(); return 0;
    case WM_LBUTTONUP: OnButtonUp(lp); return 0;
    case WM_KEYDOWN:
        if (wp != VK_SPACE)
            break;
        m_bPressed = true;
        Repaint();
        return 0;
    case WM_KEYUP:
        // A key-up without its key-down (space held while the focus came) clicks nothing.
        if (wp != VK_SPACE || !m_bPressed)
            break;
        m_bPressed = false;
        Click();
        return 0;
    case WM_CHAR:
    case WM_DEADCHAR:
        if (::GetCapture() == m_hWnd) {
            ::ReleaseCapture();
            EndPress();
        }
        break;
    case WM_SIZE: return OnSize(wp, lp);
    case WM_STYLECHANGED: {
        const LRESULT result = CallKeptProc(msg, wp, lp);
        Repaint();
        return result;
    }
    }
    return SkinnedPaintedControl::WindowProc(msg, wp, lp);
}

void SkinnedButtonFamily::Paint(HDC given)
{
    PaintBuffered(m_hWnd, given, [this](HDC dc) { Draw(dc); });
}

void SkinnedButtonFamily::EndPress()
{
    if (!m_bPressed)
        return;
    m_bPressed = false;
    Repaint();
}

void SkinnedButtonFamily::OnMouseMove(WPARAM wp, LPARAM lp)
{
    if (!m_bHovered && PointInside(lp)) {
        m_bHovered = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&track);
        Repaint();
    }
    if ((wp & MK_LBUTTON) && ::GetCapture() == m_hWnd) {
        m_bPressed = PointInside(lp);
        Repaint();
    }
}

void SkinnedButtonFamily::OnButtonDown()
{
    if (!HasFocus())
        ::SetFocus(m_hWnd);
    ::SetCapture(m_hWnd);
    m_bPressed = true;
    Repaint();
}

void SkinnedButtonFamily::OnButtonUp(LPARAM lp)
{
    if (::GetCapture() != m_hWnd)
        return;
    ::ReleaseCapture();
    m_bPressed = false;
    if (PointInside(lp))
        Click();
    else
        Repaint();
}

// Completes the click and tells the parent, as the system button would.
void SkinnedButtonFamily::Click()
{
    PerformClick();
    Repaint();
    const int id = ::GetDlgCtrlID(m_hWnd);
    ::PostMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
}

bool SkinnedButtonFamily::PointInside(LPARAM lp) const
{
    const RECT client = ClientRect();
    const POINT point{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    return ::PtInRect(&client, point) != FALSE;
}

void SkinnedButtonFamily::WriteCheck(UINT check)
{
    // Only the check bits: the focus and pushed bits stay the system's.
    const LONG state = ::GetWindowLongA(m_hWnd, STATE_WORD);
    ::SetWindowLongA(m_hWnd, STATE_WORD, (state & ~LONG(CHECK_BITS)) | LONG(check & CHECK_BITS));
}

void SkinnedButtonFamily::DrawText(HDC dc, const RECT& area, const TextEffect& effect, bool pushButton,
                                   int maxChars)
{
    const std::string text = WindowText(maxChars);
    if (text.empty())
        return;
    CSelectObject font(dc, WindowFont());
    const UINT format = ButtonTextFormat(Style(), ::GetWindowLongA(m_hWnd, GWL_EXSTYLE));
    RECT measured{0, 0, area.right - area.left, area.bottom - area.top};
    ::DrawTextA(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    const RECT place = PlaceContent(area, {measured.right, measured.bottom}, Style(), pushButton);
    DrawEffectText(dc, text.c_str(), place, format, effect);
}

}  // namespace skin
