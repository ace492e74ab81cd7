// What a skinned popup menu is drawn with, and the drawing itself: the
// frame's border parts, the items with their highlight, text, check mark
// and submenu arrow, separators and the scroll areas.
#pragma once

#include "win/GdiScope.h"
#include "skin/core/FrameObjects.h"
#include "skin/draw/SkinDraw.h"
#include "skin/draw/FrameShape.h"
#include "skin/menu/MenuGeometry.h"
#include "skin/menu/MenuItems.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace skin {

class Skin;

// Shared by a menu and its submenus, made from the current skin.
struct MenuLook {
    // Held: a skin switch or "No skin" during the menu's own loop leaves an
    // open menu drawing with the skin it opened with.
    std::shared_ptr<const Skin> skin;
    const PopupMenu* object = nullptr;  // of `skin`
    FrameLayout layout{};
    ImageResolver images;
    CFontObject font;  // "ITEM.FONT"
    COLORREF transparent = RGB(255, 0, 255);
    bool cutsWindows = false;  // to the border's shape, with the transparent colour
    FrameShapes shapes;        // of the border's slices, when it does
};

// The look of the current skin's default popup-menu object; null when the
// skin has none.
std::unique_ptr<MenuLook> MakeCurrentMenuLook();

// What one paint of a menu window needs to know.
struct MenuPaint {
    const MenuLook& look;
    const std::vector<MenuItem>& items;
    HWND owner;  // receives WM_DRAWITEM for owner-drawn items
    HMENU menu;
    SIZE size;  // of the window
    int itemHeight;
    int firstVisible;
    int highlight;  // -1 for none
    bool scrolling;
};

// Where things are in a menu window of a given paint state.
struct MenuPlaces {
    RECT itemArea;    // inside the border, scroll areas included
    RECT scrollUp;    // empty unless scrolling
    RECT scrollDown;  // empty unless scrolling
    int visibleCount;

    // The rectangle of the item shown at `index`; empty when it is not shown.
    RECT ItemRect(int index, int firstVisible, int itemHeight) const;
};

MenuPlaces PlacesOf(const FrameLayout& layout, SIZE size, int itemHeight, bool scrolling);

// The width of an item's text in the selected font, a tab counted as four spaces.
int ItemTextWidth(HDC dc, const MenuItem& item);

void PaintMenu(HDC dc, const MenuPaint& paint);

// The region of a menu window of `size`: its border's shape, as a dialog's
// frame is cut; none when the skin does not cut windows.
CRegionObject MenuWindowRegion(const MenuLook& look, SIZE size);

}  // namespace skin
