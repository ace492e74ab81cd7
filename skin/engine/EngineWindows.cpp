#include "skin/engine/EngineWindows.h"

namespace skin {

const char* const POPUP_MENU_CLASS = "TessalinePopupMenuWnd";
const char* const TOOLTIP_CLASS = "TessalineTooltip32";

namespace {

const char* const THIS_PROPERTY = "this";

bool RegisterEngineClass(HINSTANCE instance, const char* name)
{
    WNDCLASSA wc{};
    wc.style = CS_SAVEBITS | CS_CLASSDC;
    wc.lpfnWndProc = &EngineWindow::StaticWindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    // A class that outlived the last stop (its tooltip window belonged to a
    // thread that had not let it go yet) is still ours.
    return ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

EngineWindow* EngineWindow::FromHandle(HWND hwnd)
{
    return static_cast<EngineWindow*>(::GetPropA(hwnd, THIS_PROPERTY));
}

LRESULT EngineWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return ::DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK EngineWindow::StaticWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
        ::SetPropA(hwnd, THIS_PROPERTY, cs->lpCreateParams);
    }
    EngineWindow* self = FromHandle(hwnd);
    if (msg == WM_NCDESTROY)
        ::RemovePropA(hwnd, THIS_PROPERTY);
    return self ? self->WindowProc(hwnd, msg, wp, lp) : ::DefWindowProcA(hwnd, msg, wp, lp);
}

bool SkinTooltip::Create(HINSTANCE instance)
{
    m_instance = instance;
    m_hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIP_CLASS, nullptr, WS_POPUP, 0, 0, 0, 0,
                               nullptr, nullptr, instance, this);
    return m_hWnd != nullptr;
}

SkinTooltip::~SkinTooltip()
{
    if (!m_hWnd)
        return;
    // Only its own thread can destroy a window: the tooltip of another thread
    // is asked to close when that thread next reads its messages.
    if (::GetWindowThreadProcessId(m_hWnd, nullptr) == ::GetCurrentThreadId()) {
        ::DestroyWindow(m_hWnd);
        return;
    }
    ::RemovePropA(m_hWnd, THIS_PROPERTY);  // the window outlives this object
    ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
}

bool EngineWindowClasses::Register(HINSTANCE instance)
{
    m_instance = instance;
    m_popupMenu = RegisterEngineClass(instance, POPUP_MENU_CLASS);
    m_tooltip = m_popupMenu && RegisterEngineClass(instance, TOOLTIP_CLASS);
    if (m_tooltip)
        return true;
    Unregister();
    return false;
}

void EngineWindowClasses::Unregister()
{
    if (m_tooltip)
        ::UnregisterClassA(TOOLTIP_CLASS, m_instance);
    if (m_popupMenu)
        ::UnregisterClassA(POPUP_MENU_CLASS, m_instance);
    m_tooltip = m_popupMenu = false;
}

}  // namespace skin
