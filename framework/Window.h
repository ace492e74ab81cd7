// The window object: wraps an existing window by subclassing it, so that its
// messages reach a C++ object first and whatever the object does not handle
// goes on to the window's previous window procedure.
#pragma once

#include "win/RedrawPause.h"

#include <windows.h>

#include <string>

// A parent hands WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR* and WM_DRAWITEM from a
// child back to the child's object as WM_REFLECT + message. A reflected
// message answered with 0 goes on to the parent as usual; any other answer
// is the final result.
constexpr UINT WM_REFLECT = 0x2000;

class CWindowChain;

class CWindowBase {
public:
    CWindowBase() = default;
    virtual ~CWindowBase();
    CWindowBase(const CWindowBase&) = delete;
    CWindowBase& operator=(const CWindowBase&) = delete;

    // The object of a subclassed window, or null.
    static CWindowBase* FromHandle(HWND hwnd);

    // Attaches to an existing window: PreSubclassWindow, then the window's
    // messages come here. Fails when this object or the window is taken.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT id, HWND hwndParent);
    // Lets go of the window. Our window procedure leaves the window's chain
    // when it is on top; below another procedure it stays and passes every
    // message down until the window is destroyed.
    void UnsubclassWindow();
    // Creates a window (PreCreateWindow may change the request) and subclasses it.
    bool Create(const char* className, const char* text, DWORD style, const RECT& rect, HWND hwndParent,
                UINT id, DWORD exStyle = 0);
    // Destroys the window this object created or subclassed.
    void DestroyWindow();

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    std::string GetWindowText() const;
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
    void ModifyStyle(DWORD remove, DWORD add);
    BOOL EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
    // Nothing without a window: a null window would mean the whole screen.
    void Invalidate(BOOL erase = TRUE)
    {
        if (m_hWnd)
            ::InvalidateRect(m_hWnd, nullptr, erase);
    }
    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageA(m_hWnd, msg, wp, lp); }

    // Offered each message of the modal loop before IsDialogMessage, for this
    // window and each of its ancestors; true means the message was consumed.
    virtual bool PreTranslateMessage(MSG* msg);

protected:
    // The one dispatch point of a window: derived classes switch on the
    // message, call a named handler per case and hand the rest to their base.
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // The previous window procedure's handling of a message.
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);

    virtual void PreSubclassWindow() {}
    virtual void PreCreateWindow(CREATESTRUCTA& cs) { (void)cs; }
    // After WM_NCDESTROY, once the object has let go of the window.
    virtual void PostNcDestroy() {}

    HWND m_hWnd = nullptr;  // borrowed: the window's creator destroys it; null when not attached

private:
    static const CWindowChain& Chain();
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT OnNcDestroy(HWND hwnd, WNDPROC below, WPARAM wp, LPARAM lp);
    static bool ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    WNDPROC m_pfnPrevProc = nullptr;  // the window procedure below ours
};
