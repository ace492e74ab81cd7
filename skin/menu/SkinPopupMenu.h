// Popup menus drawn and tracked by the skin engine in windows of its own
// class: the tracking entry, the messages a menu sends, and the menu object
// behind each menu window (a submenu is a menu object of its own).
#pragma once

#include "skin/engine/EngineMessages.h"
#include "skin/engine/EngineWindows.h"
#include "skin/menu/MenuItems.h"
#include "skin/menu/MenuLook.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace skin {

// What a tracking does with the chosen command.
enum MenuKind : int {
    kMenuOfBar = 0,        // posted as WM_COMMAND; clicks and moves outside go back to the owner
    kSystemMenu = 1,       // posted as WM_SYSCOMMAND
    kOrdinaryMenu = 2,     // posted as WM_COMMAND
    kReturnedCommand = 3,  // returned to the caller
};

// Shows `menu` at the screen point `at` for `owner`, placed by the TPM_*
// alignment flags, and returns when it has closed: 0 when closed with
// Escape, the chosen command (or 0) with TPM_RETURNCMD, otherwise 1. Without
// a popup-menu object in the current skin the system's menu is shown.
int TrackSkinnedPopupMenu(HMENU menu, UINT flags, POINT at, HWND owner, bool systemMenu);
// The same for a menu of a kind given by the caller (a menu bar's menus).
int TrackSkinnedMenu(HMENU menu, UINT flags, POINT at, HWND owner, MenuKind kind);

// Mouse points as messages carry them, and the work area a menu stays in.
POINT PointOf(LPARAM lp);
LPARAM PackPoint(POINT point);
RECT WorkAreaAt(POINT point);

class SkinPopupMenu : public EngineWindow {
public:
    // A submenu shares its parent's look, owner and kind.
    SkinPopupMenu(const MenuLook& look, HWND owner, MenuKind kind, HMENU menu, SkinPopupMenu* parent);
    ~SkinPopupMenu() override;
    SkinPopupMenu(const SkinPopupMenu&) = delete;
    SkinPopupMenu& operator=(const SkinPopupMenu&) = delete;

    // Creates the hidden window, reads the items and works out the size.
    bool Create();
    // Moves the window to `rect` (screen), shows it and gives it the keyboard.
    void Show(const RECT& rect);
    SIZE Size() const { return m_size; }
    HWND Handle() const { return m_hWnd; }

    HWND MenuOwner() const override { return m_hOwner; }
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;

    // Tracking, on the root menu.
    bool IsDone() const { return m_done; }
    int Result() const { return m_result; }
    // Closes the whole menu without a choice; `result` is what tracking returns.
    void Dismiss(int result);
    // The menu that has the keyboard: the deepest open submenu.
    SkinPopupMenu& Deepest();
    // Whether `hwnd` is the window of this menu or of an open submenu of it.
    bool OwnsWindow(HWND hwnd) const;
    MenuKind Kind() const { return m_kind; }

private:
    SkinPopupMenu& Root();
    int ItemAt(POINT client) const;
    RECT ItemRect(int index) const;
    void Repaint();
    void Paint(HDC dc);
    int WidestItem(HDC dc) const;

    void Highlight(int index, UINT selectFlags);
    void ScrollIntoView(int index);
    void ScrollBy(int rows);

    bool CanOpenSubmenu(int index) const;
    void OpenSubmenu(int index, bool byKeyboard);
    void CloseSubmenu();
    void Choose(int index);
    void Finish(UINT command);
    void HideTree();
    void NotifyClosed();

    void OnMouseMove(POINT client);
    void OnButtonDown(POINT client);
    void OnButtonUp(POINT client);
    void OnTimer();
    void OnKeyDown(UINT key);
    void OnSysKeyDown(UINT key, LPARAM keyData);
    LRESULT OnNcActivate(HWND hwnd, WPARAM active, LPARAM lp);
    // To the next item from `from` (-1: from either end) that is not a separator.
    void MoveHighlight(int from, int step);
    void ChooseOrOpen(int index);

    const MenuLook& m_look;
    HWND m_hOwner;
    MenuKind m_kind;
    HMENU m_hMenu;
    SkinPopupMenu* m_pParent;  // null for the root
    HWND m_hWnd = nullptr;     // owned
    std::vector<MenuItem> m_items;
    std::unique_ptr<SkinPopupMenu> m_child;  // the open submenu
    int m_childItem = -1;                    // the item it belongs to
    SIZE m_size{};
    int m_itemHeight = 0;
    int m_highlight = -1;
    int m_firstVisible = 0;
    bool m_scrolling = false;
    bool m_closing = false;  // its parent is closing it
    bool m_done = false;
    int m_result = 1;
};

}  // namespace skin
