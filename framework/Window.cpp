#include "framework/Window.h"

#include "win/WindowChain.h"

namespace {

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

// Our place in a window's chain: the object, while one is attached, and the
// procedure below ours, which stays while ours is in the chain.
const CWindowChain& CWindowBase::Chain()
{
    static const CWindowChain chain("VodrixWindowLink", "VodrixWindowBelow", &CWindowBase::StaticWindowProc);
    return chain;
}

CWindowBase::~CWindowBase()
{
    UnsubclassWindow();
}

CWindowBase* CWindowBase::FromHandle(HWND hwnd)
{
    return static_cast<CWindowBase*>(Chain().ObjectOf(hwnd));
}

// A window whose chain still holds our procedure from an earlier object takes
// the new object at that place: one procedure of ours per window.
bool CWindowBase::SubclassWindow(HWND hwnd)
{
    if (m_hWnd || !::IsWindow(hwnd) || FromHandle(hwnd) || !Chain().SetObject(hwnd, this))
        return false;
    m_hWnd = hwnd;
    m_pfnPrevProc = Chain().Below(hwnd);
    PreSubclassWindow();
    if (!m_pfnPrevProc) {
        if (!Chain().Insert(hwnd)) {
            Chain().ClearObject(hwnd);
            m_hWnd = nullptr;
            return false;
        }
        m_pfnPrevProc = Chain().Below(hwnd);
    }
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
    Chain().ClearObject(m_hWnd);
    Chain().Remove(m_hWnd);
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
// Without an object, ours only passes messages to the procedure below it.
LRESULT CALLBACK CWindowBase::StaticWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    const WNDPROC below = Chain().Below(hwnd);
    if (!below)
        return ::DefWindowProcA(hwnd, msg, wp, lp);  // the place is gone: nothing is known below
    if (msg == WM_NCDESTROY)
        return OnNcDestroy(hwnd, below, wp, lp);
    CWindowBase* self = FromHandle(hwnd);
    if (!self)
        return ::CallWindowProcA(below, hwnd, msg, wp, lp);
    LRESULT result = 0;
    if (ReflectToChild(msg, wp, lp, result))
        return result;
    return self->WindowProc(msg, wp, lp);
}

// The window's last message: everything below ours sees it, then the object
// lets go and our place in the chain is released.
LRESULT CWindowBase::OnNcDestroy(HWND hwnd, WNDPROC below, WPARAM wp, LPARAM lp)
{
    CWindowBase* self = FromHandle(hwnd);
    const LRESULT result = self ? self->WindowProc(WM_NCDESTROY, wp, lp)
                                : ::CallWindowProcA(below, hwnd, WM_NCDESTROY, wp, lp);
    Chain().ClearObject(hwnd);  // the object may have let go already
    Chain().Forget(hwnd);
    if (self && self->m_hWnd == hwnd) {
        self->m_hWnd = nullptr;
        self->PostNcDestroy();
    }
    return result;
}
