#include "skin/kinds/frame/SystemMenu.h"

#include "skin/menu/SkinPopupMenu.h"

#include <memory>

namespace skin {

namespace {

struct MenuDestroyer {
    void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
using MenuHandle = std::unique_ptr<std::remove_pointer<HMENU>::type, MenuDestroyer>;

void EnableCommand(HMENU menu, UINT command, bool enabled)
{
    ::EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

HMENU CopyMenu(HMENU from);

// A submenu is copied too: the copy is destroyed with everything in it,
// and the window's own submenus must outlive it.
void CopyItem(HMENU from, UINT position, HMENU to)
{
    char text[256] = {};
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_BITMAP | MIIM_SUBMENU;
    item.dwTypeData = text;
    item.cch = sizeof text - 1;
    if (!::GetMenuItemInfoA(from, position, TRUE, &item))
        return;
    MenuHandle submenu(item.hSubMenu ? CopyMenu(item.hSubMenu) : nullptr);
    item.hSubMenu = submenu.get();
    if (::InsertMenuItemA(to, position, TRUE, &item))
        submenu.release();
}

HMENU CopyMenu(HMENU from)
{
    MenuHandle copy(::CreatePopupMenu());
    if (!copy)
        return nullptr;
    const int count = ::GetMenuItemCount(from);
    for (int position = 0; position < count; ++position)
        CopyItem(from, static_cast<UINT>(position), copy.get());
    return copy.release();
}

}  // namespace

HMENU CopySystemMenu(HWND hwnd)
{
    HMENU system = ::GetSystemMenu(hwnd, FALSE);
    MenuHandle copy(system ? CopyMenu(system) : nullptr);
    if (!copy)
        return nullptr;

    const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
    const bool zoomed = ::IsZoomed(hwnd) != FALSE;
    const bool iconic = ::IsIconic(hwnd) != FALSE;
    const bool normal = !zoomed && !iconic;
    EnableCommand(copy.get(), SC_RESTORE, !normal);
    EnableCommand(copy.get(), SC_MOVE, normal);
    // A frame the user cannot size, minimize or maximize offers none of it.
    EnableCommand(copy.get(), SC_SIZE, normal && (style & WS_THICKFRAME));
    EnableCommand(copy.get(), SC_MINIMIZE, !iconic && (style & WS_MINIMIZEBOX));
    EnableCommand(copy.get(), SC_MAXIMIZE, !zoomed && (style & WS_MAXIMIZEBOX));
    return copy.release();
}

void ShowSkinnedSystemMenu(HWND hwnd, POINT screenPoint)
{
    MenuHandle menu(CopySystemMenu(hwnd));
    if (!menu)
        return;
    // As a system menu, the chosen item comes back as WM_SYSCOMMAND.
    TrackSkinnedPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN, screenPoint, hwnd, true);
}

}  // namespace skin
