#include "skin/engine/SkinnedControl.h"

#include "skin/engine/EngineState.h"
#include "skin/engine/SkinObjectQueries.h"

namespace skin {

namespace {

HFONT FontOfWindow(HWND hwnd) { return reinterpret_cast<HFONT>(::SendMessageA(hwnd, WM_GETFONT, 0, 0)); }

}  // namespace

bool SkinnedControl::Subclass(HWND hwnd)
{
    if (Refuses(hwnd))
        return false;
    const int id = ::GetDlgCtrlID(hwnd);
    if (::SendMessageA(::GetParent(hwnd), SKINMSG_QUERY_SKIP, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(hwnd)))
        return false;

    SkinnedWindow* ancestor = Engine().manager.FindSkinnedAncestor(OwnerWindow());
    SkinObject* own = (ancestor && ancestor->Object()) ? FindChildForControl(*ancestor->Object(), ObjectKind(), id)
                                                        : nullptr;
    if (own)
        SkinnedWindow::Attach(own);
    KeepOwnFont(hwnd);  // before any font of a skin can reach the control
    if (!AttachWindow(hwnd))
        return false;
    const bool placed = own && AutoPlace(*own);
    if (Object() && GivesFont(*Object()))
        GiveSkinFont(!placed);
    if (placed)
        MoveToPlacement();
    return true;
}

bool SkinnedControl::GivesFont(const SkinObject& object) const
{
    return AutoSkinFont(object);
}

void SkinnedControl::Attach(SkinObject* object)
{
    SkinnedWindow::Attach(object);
    if (!Handle())
        return;
    if (object && GivesFont(*object))
        GiveSkinFont(true);
    else
        GiveOwnFontBack();
}

HFONT SkinnedControl::SkinFont() const
{
    return Object() ? Engine().manager.FontOf(*Object()) : nullptr;
}

void SkinnedControl::GiveSkinFont(bool redraw)
{
    if (TakesSkinFont())
        ::PostMessageA(m_hWnd, SKINMSG_FONT_CHANGED, redraw, 0);
}

void SkinnedControl::TakeSkinFont(bool redraw)
{
    if (!TakesSkinFont() || !Object() || !GivesFont(*Object()))
        return;
    if (HFONT font = SkinFont()) {
        KeepOwnFont(m_hWnd);
        ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
}

void SkinnedControl::KeepOwnFont(HWND hwnd)
{
    HFONT font = FontOfWindow(hwnd);
    if (!Engine().manager.IsSkinFont(font))
        m_hOwnFont = font;
}

// The skin's font is the skin's look: a control let go of gets its own back.
void SkinnedControl::GiveOwnFontBack()
{
    if (Engine().manager.IsSkinFont(FontOfWindow(m_hWnd)))
        ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hOwnFont), TRUE);
}

void SkinnedControl::MoveToPlacement()
{
    const SkinRect& place = Placement(*Object());
    ::SetWindowPos(m_hWnd, nullptr, place.left, place.top, place.Width(), place.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void SkinnedControl::Unskin()
{
    if (m_hWnd && !IsDestroying())
        GiveOwnFontBack();
    SkinnedWindow::Unskin();
}

LRESULT SkinnedControl::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != SKINMSG_FONT_CHANGED)
        return SkinnedWindow::WindowProc(msg, wp, lp);
    TakeSkinFont(wp != 0);
    return 0;
}

}  // namespace skin
