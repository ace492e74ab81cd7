// The per-window skin object: one for every window the engine has
// subclassed, owned by the window manager's registry. Each skinned kind
// derives from it and adds its drawing.
#pragma once

#include "skin/core/SkinTypes.h"
#include "skin/engine/EngineMessages.h"
#include "win/GdiScope.h"

#include <windows.h>

#include <set>

namespace skin {

class SkinObject;

// The procedure every subclassed window gets: finds the window's object
// through its "OBJECT" property and lets it handle the message.
LRESULT CALLBACK SkinCommonWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

class SkinnedWindow {
public:
    explicit SkinnedWindow(int kind) : m_nKind(kind) {}
    virtual ~SkinnedWindow() = default;
    SkinnedWindow(const SkinnedWindow&) = delete;
    SkinnedWindow& operator=(const SkinnedWindow&) = delete;

    // Called again whenever the skin changes.
    virtual void Attach(SkinObject* object) { m_pObject = object; }
    // SKINMSG_MENU_KEY; nonzero when the key was consumed.
    virtual LRESULT OnMenuKey(WPARAM key, LPARAM keyData);
    // Whether a new skin without an object for this window may leave it registered.
    virtual bool MayStayWithoutSkinObject() const { return false; }
    virtual LRESULT OnNcDestroy();
    // Gives the window its procedure back and lets go of it.
    virtual void Unskin();
    // Subclasses `hwnd`; false leaves the window as it was.
    virtual bool Subclass(HWND hwnd) { return AttachWindow(hwnd); }
    virtual void OnShowWindow(WPARAM show, LPARAM status);
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // The kind whose skin objects the window wears.
    virtual int ObjectKind() const { return m_nKind; }

    HWND Handle() const { return m_hWnd; }
    SkinObject* Object() const { return m_pObject; }
    int Kind() const { return m_nKind; }
    HWND OwnerWindow() const { return m_hOwner; }
    void SetOwnerWindow(HWND owner) { m_hOwner = owner; }
    bool IsDestroying() const { return m_bDestroying; }

    // Controls skinned under this window, by handle; their objects live in the registry.
    std::set<HWND>& Children() { return m_children; }

    // The object of a subclassed window, or null.
    static SkinnedWindow* FromHandle(HWND hwnd);

protected:
    // The subclassing every kind shares: descendants first, then the
    // window's procedure is replaced by the common one. False when the
    // window stays as it was, or ended on a message sent meanwhile (and
    // this object with it: the caller touches it no more).
    bool AttachWindow(HWND hwnd);
    // Lets a kind set the window styles its drawing needs before it takes over.
    virtual void AdjustStyles() {}
    // Adds extended styles the drawing needs; those the window lacked are
    // taken off again when it is let go.
    void AddExtendedStyles(LONG bits);
    // The brush an edit control of this kind is drawn on; null leaves it to the system.
    virtual HBRUSH EditBrush(HDC dc);
    // The brush of `control` when it is a skinned edit control; null otherwise.
    static HBRUSH SkinnedEditBrush(HWND control, HDC dc);
    // The window's own handling of a message, before it was skinned.
    LRESULT CallKeptProc(UINT msg, WPARAM wp, LPARAM lp);
    // Gives the window `region` (none: no region); the window owns it from then on.
    void SetWindowRegion(CRegionObject region);

    HWND m_hWnd = nullptr;
    SkinObject* m_pObject = nullptr;  // borrowed from the current skin

private:
    friend class SkinWindowManager;
    WNDPROC EffectiveKeptProc() const;
    LRESULT OnControlColourListBox(WPARAM wp, LPARAM lp);
    LRESULT OnControlColourEdit(WPARAM wp, LPARAM lp);

    int m_nKind;
    WNDPROC m_pfnKeptProc = nullptr;
    HWND m_hOwner = nullptr;  // the top-level skinned window a control belongs to
    std::set<HWND> m_children;
    bool m_bDestroying = false;
    LONG m_addedExStyles = 0;  // extended styles the engine gave the window
    // Whether the window wears a region the engine gave it. The system deletes
    // a window's region when it is replaced or the window ends, so the engine
    // keeps no handle to it, only takes it off again when unskinning.
    bool m_bShaped = false;
};

}  // namespace skin
