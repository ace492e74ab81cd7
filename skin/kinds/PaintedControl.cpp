#include "skin/kinds/PaintedControl.h"

namespace skin {

void DrawGridOrFill(HDC dc, const RECT& area, const NineGridImage& grid, const ImageResolver& images, COLORREF fill)
{
    if (DrawNineGridImage(dc, area, grid, images, fill))
        return;
    FillSolid(dc, area, fill);
}

bool SkinnedPaintedControl::Subclass(HWND hwnd)
{
    if (!SkinnedControl::Subclass(hwnd))
        return false;
    if (RepaintsParentWhenSubclassed())
        RepaintInParent();
    return true;
}

bool SkinnedPaintedControl::PaintOwnerBackground(HDC dc) const
{
    const HWND owner = OwnerWindow() ? OwnerWindow() : ::GetParent(m_hWnd);
    return owner && ::SendMessageA(owner, SKINMSG_PAINT_BACKGROUND, reinterpret_cast<WPARAM>(dc),
                                   reinterpret_cast<LPARAM>(m_hWnd)) != 0;
}

LRESULT SkinnedPaintedControl::CallHidden(UINT msg, WPARAM wp, LPARAM lp)
{
    const LONG style = Style();
    if (!(style & WS_VISIBLE))
        return CallKeptProc(msg, wp, lp);
    // Set directly: ShowWindow would repaint and tell the parent.
    ::SetWindowLongA(m_hWnd, GWL_STYLE, style & ~WS_VISIBLE);
    const LRESULT result = CallKeptProc(msg, wp, lp);
    if (::IsWindow(m_hWnd))
        ::SetWindowLongA(m_hWnd, GWL_STYLE, Style() | WS_VISIBLE);
    return result;
}

// A hidden window is painted whole when it is shown: drawing it earlier is
// wasted work, which counts while a dialog builds its controls unseen.
void SkinnedPaintedControl::Repaint(bool erase) const
{
    if (!::IsWindowVisible(m_hWnd))
        return;
    ::InvalidateRect(m_hWnd, nullptr, erase);
    ::UpdateWindow(m_hWnd);
}

void SkinnedPaintedControl::RepaintInParent() const
{
    const HWND parent = ::GetParent(m_hWnd);
    if (!parent || !::IsWindowVisible(parent))
        return;
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    ::InvalidateRect(parent, &rect, TRUE);
    ::UpdateWindow(parent);
}

std::string SkinnedPaintedControl::WindowText(int maxChars) const
{
    std::string text(static_cast<size_t>(maxChars) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(m_hWnd, &text[0], maxChars + 1)));
    return text;
}

RECT SkinnedPaintedControl::ClientRect() const
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    return client;
}

}  // namespace skin
