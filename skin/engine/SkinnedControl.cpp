#include "skin/engine/SkinnedControl.h"

#include "skin/engine/EngineState.h"
#include "skin/engine/SkinObjectQueries.h"

namespace skin {

bool SkinnedControl::Subclass(HWND hwnd)
{
    if (Refuses(hwnd))
        return false;
    const int id = ::GetDlgCtrlID(hwnd);
    if (::SendMessageA(::GetParent(hwnd), SKINMSG_QUERY_SKIP, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(hwnd)))
        return false;

    SkinnedWindow* ancestor = Engine().manager.FindSkinnedAncestor(OwnerWindow());
    SkinObject* own = (ancestor && ancestor->Object()) ? FindChildForControl(*ancestor->Object(), LookupKind(), id)
                                                        : nullptr;
    if (own) {
        SkinnedWindow::Attach(own);
        const bool subclassed = AttachWindow(hwnd);
        if (GivesFont(*own))
            GiveSkinFont(!AutoPlace(*own));
        if (AutoPlace(*own))
            MoveToPlacement();
        return subclassed;
    }
    if (!AttachWindow(hwnd))
        return false;
    if (Object() && GivesFont(*Object()))
        GiveSkinFont(true);
    return true;
}

bool SkinnedControl::GivesFont(const SkinObject& object) const
{
    return AutoSkinFont(object);
}

void SkinnedControl::Attach(SkinObject* object)
{
    const bool subclassed = Handle() != nullptr;
    if (subclassed)
        GiveOwnFontBack();
    SkinnedWindow::Attach(object);
    if (subclassed && object && GivesFont(*object))
        GiveSkinFont(true);
}

HFONT SkinnedControl::SkinFont(bool make) const
{
    return Object() ? Engine().manager.FontOf(*Object(), make) : nullptr;
}

void SkinnedControl::GiveSkinFont(bool redraw)
{
    HFONT font = SkinFont();
    if (!TakesSkinFont() || !font)
        return;
    ::PostMessageA(m_hWnd, SKINMSG_FONT_CHANGED, 0, 0);
    ::PostMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

// The skin's font goes with its skin: a control still using it gets its own back.
void SkinnedControl::GiveOwnFontBack()
{
    HFONT skinFont = SkinFont(false);
    if (!m_bOwnFontKept || !skinFont)
        return;
    if (reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)) == skinFont)
        ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hOwnFont), TRUE);
    m_bOwnFontKept = false;
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
    if (!m_bOwnFontKept) {
        m_hOwnFont = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
        m_bOwnFontKept = true;
    }
    return 0;
}

}  // namespace skin
