#include "skin/engine/SkinnedWindow.h"

#include "skin/engine/EngineState.h"
#include "win/WindowChain.h"

#include <utility>

namespace skin {

namespace {


// Procedures handed out as handles rather than addresses lie this high.
constexpr UINT_PTR HANDLE_PROCEDURE_BASE = 0xFFFF0000u;

bool IsButtonLike(int kind)
{
    return kind == kTypeButton || kind == kTypeCheckBox || kind == kTypeRadio;
}

// The engine's place in the chain of a skinned window: the window's object
// in "OBJECT", the procedure below the engine's in "SKIN_KEPT_WNDPROC".
const CWindowChain& Chain()
{
    static const CWindowChain chain("OBJECT", "SKIN_KEPT_WNDPROC", &SkinCommonWindowProc);
    return chain;
}

}  // namespace

LRESULT CALLBACK SkinCommonWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (SkinnedWindow* object = SkinnedWindow::FromHandle(hwnd))
        return object->WindowProc(msg, wp, lp);
    return Chain().PassDown(hwnd, msg, wp, lp);
}

SkinnedWindow* SkinnedWindow::FromHandle(HWND hwnd)
{
    return static_cast<SkinnedWindow*>(Chain().ObjectOf(hwnd));
}

bool SkinnedWindow::AttachWindow(HWND hwnd)
{
    m_hWnd = hwnd;
    SkinnedWindow* owner = m_hOwner ? Engine().manager.Find(m_hOwner) : this;
    if (owner)
        Engine().manager.SkinDescendants(hwnd, *owner, m_pObject);
    if (!Chain().SetObject(hwnd, this)) {
        m_hWnd = nullptr;
        return false;
    }
    AdjustStyles();
    if (!Chain().Insert(hwnd)) {
        Chain().ClearObject(hwnd);
        m_hWnd = nullptr;
        return false;
    }
    m_pfnKeptProc = Chain().Below(hwnd);
    if (m_pObject && ::IsWindowVisible(hwnd))  // a hidden one is drawn whole when shown
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    ::SendMessageA(hwnd, WM_SYSCOLORCHANGE, 0, 0);
    // A window that ended on one of these messages took this object with it.
    return FromHandle(hwnd) == this;
}

void SkinnedWindow::AddExtendedStyles(LONG bits)
{
    const LONG exStyle = ::GetWindowLongA(m_hWnd, GWL_EXSTYLE);
    m_addedExStyles |= bits & ~exStyle;
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, exStyle | bits);
}

void SkinnedWindow::Unskin()
{
    for (HWND child : std::set<HWND>(m_children))
        Engine().manager.Unregister(child);
    m_children.clear();
    if (!m_hWnd)
        return;
    const HWND hwnd = std::exchange(m_hWnd, nullptr);
    m_pfnKeptProc = nullptr;
    if (!m_bDestroying)
        Chain().Remove(hwnd);
    Chain().ClearObject(hwnd);
    if (m_bDestroying)
        return;
    // Let go first: from here on the window's own procedures answer for its
    // frame, not the skin.
    if (std::exchange(m_bShaped, false))
        ::SetWindowRgn(hwnd, nullptr, TRUE);
    if (m_addedExStyles)
        ::SetWindowLongA(hwnd, GWL_EXSTYLE, ::GetWindowLongA(hwnd, GWL_EXSTYLE) & ~m_addedExStyles);
    m_addedExStyles = 0;
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
}

void SkinnedWindow::SetWindowRegion(CRegionObject region)
{
    if (!::SetWindowRgn(m_hWnd, region.Get(), TRUE))
        return;
    m_bShaped = static_cast<bool>(region);
    region.Release();
}

WNDPROC SkinnedWindow::EffectiveKeptProc() const
{
    // XP hands some button procedures out as handles that cannot be called
    // after the class procedure was replaced; the class procedure captured
    // at start stands in for them.
    const bool handle = reinterpret_cast<UINT_PTR>(m_pfnKeptProc) >= HANDLE_PROCEDURE_BASE;
    if (handle && IsButtonLike(m_nKind) && Engine().osFamily == kOsWindowsXp && Engine().xpButtonProc)
        return Engine().xpButtonProc;
    return m_pfnKeptProc;
}

LRESULT SkinnedWindow::CallKeptProc(UINT msg, WPARAM wp, LPARAM lp)
{
    return ::CallWindowProcA(EffectiveKeptProc(), m_hWnd, msg, wp, lp);
}

LRESULT SkinnedWindow::OnMenuKey(WPARAM key, LPARAM keyData)
{
    (void)key;
    (void)keyData;
    return 0;
}

void SkinnedWindow::OnShowWindow(WPARAM show, LPARAM status)
{
    (void)show;
    (void)status;
}

HBRUSH SkinnedWindow::EditBrush(HDC dc)
{
    (void)dc;
    return nullptr;
}

LRESULT SkinnedWindow::OnNcDestroy()
{
    const HWND hwnd = m_hWnd;
    const WNDPROC kept = EffectiveKeptProc();
    if (m_hOwner && ::IsWindow(m_hOwner))
        ::SendMessageA(m_hOwner, SKINMSG_CHILD_DESTROYED, reinterpret_cast<WPARAM>(hwnd), 0);
    m_bDestroying = true;
    Engine().manager.Unregister(hwnd);  // destroys this object
    Chain().Forget(hwnd);
    ::CallWindowProcA(kept, hwnd, WM_NCDESTROY, 0, 0);
    return 0;
}

HBRUSH SkinnedWindow::SkinnedEditBrush(HWND control, HDC dc)
{
    SkinnedWindow* edit = FromHandle(control);
    return (edit && edit->Kind() == kTypeEdit) ? edit->EditBrush(dc) : nullptr;
}

LRESULT SkinnedWindow::OnControlColourEdit(WPARAM wp, LPARAM lp)
{
    HBRUSH brush = SkinnedEditBrush(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp));
    return brush ? reinterpret_cast<LRESULT>(brush) : CallKeptProc(WM_CTLCOLOREDIT, wp, lp);
}

LRESULT SkinnedWindow::OnControlColourListBox(WPARAM wp, LPARAM lp)
{
    const auto list = reinterpret_cast<HWND>(lp);
    SkinnedWindow* object = FromHandle(list);
    if (object && object->Kind() == kTypeListBox && list != m_hWnd)
        return ::SendMessageA(list, WM_CTLCOLORLISTBOX, wp, lp);
    return CallKeptProc(WM_CTLCOLORLISTBOX, wp, lp);
}

LRESULT SkinnedWindow::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (!m_pfnKeptProc)
        return ::DefWindowProcA(m_hWnd, msg, wp, lp);
    switch (msg) {
    case WM_SHOWWINDOW: OnShowWindow(wp, lp); return CallKeptProc(msg, wp, lp);
    case WM_NCDESTROY: return OnNcDestroy();
    case WM_CTLCOLOREDIT: return OnControlColourEdit(wp, lp);
    case WM_CTLCOLORLISTBOX: return OnControlColourListBox(wp, lp);
    case SKINMSG_CHILD_DESTROYED: m_children.erase(reinterpret_cast<HWND>(wp)); return 0;
    case SKINMSG_MENU_KEY: return OnMenuKey(wp, lp);
    default: return CallKeptProc(msg, wp, lp);
    }
}

}  // namespace skin
