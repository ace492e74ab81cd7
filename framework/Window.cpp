#include "framework/Window.h"

namespace {

// The window property that holds a window's object, set once at subclassing.
const char* const OBJECT_PROPERTY = "VodrixWindowObject";

// The child window a reflectable message comes from, or null.
HWND ReflectionSource(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lp);  // null for menus and accelerators
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(lp)->hwndFrom;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lp);
    default:
        (void)wp;
        return nullptr;
    }
}

}  // namespace

CWindowBase::~CWindowBase()
{
    UnsubclassWindow();
}

CWindowBase* CWindowBase::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<CWindowBase*>(::GetPropA(hwnd, OBJECT_PROPERTY)) : nullptr;
}

bool CWindowBase::SubclassWindow(HWND hwnd)
{
    if (m_hWnd || !::IsWindow(hwnd) || FromHandle(hwnd))
        return false;
    if (!::SetPropA(hwnd, OBJECT_PROPERTY, this))
        return false;
    m_hWnd = hwnd;
    PreSubclassWindow();
    m_pfnPrevProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowBase::StaticWindowProc)));
    return true;
}

bool CWindowBase::SubclassDlgItem(UINT id, HWND hwndParent)
{
    return SubclassWindow(::GetDlgItem(hwndParent, static_cast<int>(id)));
}

void CWindowBase::UnsubclassWindow()
{
    if (!m_hWnd)
        return;
    // Another subclass may sit on top of ours; then ours stays in its chain
    // and simply passes everything on once the object is gone.
    auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC));
    if (current == &CWindowBase::StaticWindowProc)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrevProc));
    Detach();
}

void CWindowBase::Detach()
{
    ::RemovePropA(m_hWnd, OBJECT_PROPERTY);
    m_hWnd = nullptr;
}

bool CWindowBase::Create(const char* className, const char* text, DWORD style, const RECT& rect, HWND hwndParent,
                         UINT id, DWORD exStyle)
{
    CREATESTRUCTA cs{};
    cs.lpszClass = className;
    cs.lpszName = text;
    cs.style = static_cast<LONG>(style);
    cs.dwExStyle = exStyle;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = hwndParent;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    cs.hInstance = ::GetModuleHandleA(nullptr);
    PreCreateWindow(cs);
    HWND hwnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, nullptr);
    if (!hwnd)
        return false;
    if (SubclassWindow(hwnd))
        return true;
    ::DestroyWindow(hwnd);
    return false;
}

void CWindowBase::DestroyWindow()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);  // WM_NCDESTROY detaches the object
}

std::string CWindowBase::GetWindowText() const
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(m_hWnd)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(m_hWnd, &text[0], static_cast<int>(text.size()))));
    return text;
}

void CWindowBase::ModifyStyle(DWORD remove, DWORD add)
{
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>((GetStyle() & ~remove) | add));
}

bool CWindowBase::PreTranslateMessage(MSG* msg)
{
    (void)msg;
    return false;
}

LRESULT CWindowBase::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg >= WM_REFLECT && msg < WM_REFLECT + WM_USER)
        return 0;  // unhandled reflection: the parent handles the original
    return DefaultProc(msg, wp, lp);
}

LRESULT CWindowBase::DefaultProc(UINT msg, WPARAM wp, LPARAM lp)
{
    return ::CallWindowProcA(m_pfnPrevProc, m_hWnd, msg, wp, lp);
}

bool CWindowBase::ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    HWND child = ReflectionSource(msg, wp, lp);
    if (!FromHandle(child))
        return false;
    result = ::SendMessageA(child, WM_REFLECT + msg, wp, lp);
    return result != 0;
}

// Every subclassed window's messages arrive here: reflectable notifications
// go to the child's object first, then the window's own object dispatches.
LRESULT CALLBACK CWindowBase::StaticWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    CWindowBase* self = FromHandle(hwnd);
    if (!self)
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    LRESULT result = 0;
    if (ReflectToChild(msg, wp, lp, result))
        return result;
    if (msg != WM_NCDESTROY)
        return self->WindowProc(msg, wp, lp);

    WNDPROC previous = self->m_pfnPrevProc;
    result = self->WindowProc(msg, wp, lp);
    if (self->m_hWnd == hwnd) {
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        self->Detach();
        self->PostNcDestroy();
    }
    return result;
}
