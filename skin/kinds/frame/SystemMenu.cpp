#include "skin/kinds/frame/SystemMenu.h"

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

void CopyItem(HMENU from, UINT position, HMENU to)
{
    char text[256] = {};
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_BITMAP;
    item.dwTypeData = text;
    item.cch = sizeof text - 1;
    if (::GetMenuItemInfoA(from, position, TRUE, &item))
        ::InsertMenuItemA(to, position, TRUE, &item);
}

}  // namespace

HMENU CopySystemMenu(HWND hwnd)
{
    HMENU system = ::GetSystemMenu(hwnd, FALSE);
    MenuHandle copy(::CreatePopupMenu());
    if (!system || !copy)
        return nullptr;
    const int count = ::GetMenuItemCount(system);
    for (int position = 0; position < count; ++position)
        CopyItem(system, static_cast<UINT>(position), copy.get());

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
    const UINT command = static_cast<UINT>(::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                            screenPoint.x, screenPoint.y, 0, hwnd, nullptr));
    if (command)
        ::PostMessageA(hwnd, WM_SYSCOMMAND, command, 0);
}

}  // namespace skin
