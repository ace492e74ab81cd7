#include "win/RedrawPause.h"

CRedrawPause::CRedrawPause(HWND hwnd)
    : m_hWnd(hwnd), m_bPaused((::GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0)
{
    if (m_bPaused)
        ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
}

CRedrawPause::~CRedrawPause()
{
    if (!m_bPaused)
        return;
    ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}
