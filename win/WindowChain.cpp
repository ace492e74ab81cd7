#include "win/WindowChain.h"

void* CWindowChain::ObjectOf(HWND hwnd) const { return hwnd ? ::GetPropA(hwnd, m_objectProperty) : nullptr; }

bool CWindowChain::SetObject(HWND hwnd, void* object) const
{
    return ::SetPropA(hwnd, m_objectProperty, object) != FALSE;
}

void CWindowChain::ClearObject(HWND hwnd) const { ::RemovePropA(hwnd, m_objectProperty); }

bool CWindowChain::OnTop(HWND hwnd) const
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) == m_procedure;
}

WNDPROC CWindowChain::Below(HWND hwnd) const
{
    return reinterpret_cast<WNDPROC>(::GetPropA(hwnd, m_belowProperty));
}

bool CWindowChain::Insert(HWND hwnd) const
{
    if (Below(hwnd))
        return true;
    const LONG_PTR below = ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    if (!::SetPropA(hwnd, m_belowProperty, reinterpret_cast<HANDLE>(below)))
        return false;
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_procedure));
    return true;
}

void CWindowChain::Remove(HWND hwnd) const
{
    if (OnTop(hwnd))
        Forget(hwnd);
}

void CWindowChain::Forget(HWND hwnd) const
{
    const WNDPROC below = Below(hwnd);
    if (below && OnTop(hwnd))
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(below));
    ::RemovePropA(hwnd, m_belowProperty);
}

LRESULT CWindowChain::PassDown(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) const
{
    const WNDPROC below = Below(hwnd);
    if (!below)
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY)
        Forget(hwnd);
    return ::CallWindowProcA(below, hwnd, msg, wp, lp);
}
