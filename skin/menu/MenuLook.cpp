#include "skin/menu/MenuLook.h"

#include "skin/core/Skin.h"
#include "skin/engine/EngineState.h"
#include "skin/draw/SkinLook.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace skin {

namespace {

constexpr int kBarWidth = 7;  // the plain check mark
constexpr int kBarHeight = 3;
constexpr int kArrowHeight = 7;  // the plain submenu and scroll arrows

void PaintBorder(HDC dc, const MenuPaint& paint)
{
    const PopupMenu& object = *paint.look.object;
    const FrameParts parts = PartsForSize(paint.look.layout, paint.size);
    for (int part = 0; part < kFramePartCount; ++part) {
        // Filled first: a slice copied into a larger part leaves the rest to the colour.
        const COLORREF fill = part == kPartClient ? object.m_clientColour : object.m_activeColour;
        FillSolid(dc, parts[part], Rgb(fill));
        DrawImageSlice(dc, parts[part], object.m_active[part], paint.look.images);
    }
}

// A slice at its source size, centred in `square`, the transparent colour left out.
bool DrawCentredSlice(HDC dc, const RECT& square, const ImageSlice& slice, const MenuLook& look)
{
    if (slice.IsAbsent())
        return false;
    const int left = (square.left + square.right - slice.source.Width()) / 2;
    const int top = (square.top + square.bottom - slice.source.Height()) / 2;
    const RECT place{left, top, left + slice.source.Width(), top + slice.source.Height()};
    return DrawLeavingOutColour(dc, place, look.transparent,
                                [&](HDC into) { return DrawImageSlice(into, place, slice, look.images); });
}

bool DrawGridLeavingOut(HDC dc, const RECT& rect, const NineGridImage& grid, const MenuLook& look)
{
    if (grid.IsAbsent())
        return false;
    return DrawLeavingOutColour(dc, rect, look.transparent,
                                [&](HDC into) { return DrawNineGridImage(into, rect, grid, look.images); });
}

// A filled triangle of `height` centred in `square`, pointing right, up or down.
enum ArrowDirection { kArrowRight, kArrowUp, kArrowDown };
void DrawArrow(HDC dc, const RECT& square, ArrowDirection direction, COLORREF colour)
{
    const int cx = (square.left + square.right) / 2;
    const int cy = (square.top + square.bottom) / 2;
    const int half = kArrowHeight / 2;
    const int sign = direction == kArrowUp ? -1 : 1;
    const POINT corners[3] = {
        direction == kArrowRight ? POINT{cx - half / 2, cy - half} : POINT{cx - half, cy - sign * half / 2},
        direction == kArrowRight ? POINT{cx - half / 2, cy + half} : POINT{cx + half, cy - sign * half / 2},
        direction == kArrowRight ? POINT{cx + half / 2 + 1, cy} : POINT{cx, cy + sign * (half / 2 + 1)}};
    CBrushObject brush(::CreateSolidBrush(colour));
    CGdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, colour));
    CSelectObject brushIn(dc, brush.Get());
    CSelectObject penIn(dc, pen.Get());
    ::Polygon(dc, corners, 3);
}

void DrawSeparator(HDC dc, const RECT& rect, const MenuLook& look)
{
    const NineGridImage& image = look.object->m_itemSeparatorImage;
    RECT place = rect;
    const int height = image.source.Height();
    if (height < rect.bottom - rect.top) {
        place.top = (rect.top + rect.bottom - height) / 2;
        place.bottom = place.top + height;
    }
    if (DrawGridLeavingOut(dc, place, image, look))
        return;
    RECT line = rect;
    line.top = (rect.top + rect.bottom) / 2 - 1;
    ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
}

const TextEffect& TextEffectFor(const MenuItem& item, bool highlighted, const PopupMenu& object)
{
    if (highlighted)
        return object.m_itemText[kMenuTextActive];
    return object.m_itemText[item.CanChoose() ? kMenuTextNormal : kMenuTextDisabled];
}

void DrawItemText(HDC dc, const RECT& area, const MenuItem& item, const TextEffect& effect)
{
    const UINT format = DT_SINGLELINE | DT_VCENTER;
    const size_t tab = item.text.find('\t');
    DrawEffectText(dc, item.text.substr(0, tab).c_str(), area, format | DT_LEFT, effect);
    if (tab != std::string::npos)
        DrawEffectText(dc, item.text.substr(tab + 1).c_str(), area, format | DT_RIGHT, effect);
}

void SendOwnerDraw(HDC dc, const RECT& rect, const MenuItem& item, bool highlighted, const MenuPaint& paint)
{
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = item.command;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = (highlighted ? ODS_SELECTED : 0) | (item.IsChecked() ? ODS_CHECKED : 0) |
                     (item.state & MF_GRAYED ? ODS_GRAYED : 0) | (item.state & MF_DISABLED ? ODS_DISABLED : 0);
    draw.hwndItem = reinterpret_cast<HWND>(paint.menu);
    draw.hDC = dc;
    draw.rcItem = rect;
    draw.itemData = item.data;
    ::SendMessageA(paint.owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
}

void PaintItem(HDC dc, const RECT& rect, const MenuItem& item, bool highlighted, const MenuPaint& paint)
{
    const MenuLook& look = paint.look;
    const PopupMenu& object = *look.object;
    if (item.IsSeparator()) {
        DrawSeparator(dc, rect, look);
        return;
    }
    if (item.IsOwnerDrawn()) {
        SendOwnerDraw(dc, rect, item, highlighted, paint);
        return;
    }
    if (highlighted && !DrawGridLeavingOut(dc, rect, object.m_itemActiveImage, look))
        FillSolid(dc, rect, Rgb(object.m_itemActiveColour));

    const int square = paint.itemHeight;
    const RECT checkSquare{rect.left, rect.top, rect.left + square, rect.bottom};
    const RECT arrowSquare{rect.right - square, rect.top, rect.right, rect.bottom};
    RECT text{checkSquare.right + object.m_itemActiveImage.marginLeft, rect.top,
              arrowSquare.left - object.m_itemActiveImage.marginRight, rect.bottom};
    const TextEffect& effect = TextEffectFor(item, highlighted, object);
    DrawItemText(dc, text, item, effect);

    if (item.IsChecked() && !DrawCentredSlice(dc, checkSquare, object.m_itemCheckImage, look)) {
        const int left = (checkSquare.left + checkSquare.right - kBarWidth) / 2;
        const int top = (checkSquare.top + checkSquare.bottom - kBarHeight) / 2;
        FillSolid(dc, {left, top, left + kBarWidth, top + kBarHeight}, RGB(0, 0, 0));
    }
    if (item.submenu && !DrawCentredSlice(dc, arrowSquare, object.m_itemSubmenu, look))
        DrawArrow(dc, arrowSquare, kArrowRight, effect.TextRgb());
}

}  // namespace

std::unique_ptr<MenuLook> MakeCurrentMenuLook()
{
    std::shared_ptr<const Skin> held = Engine().manager.SharedCurrentSkin();
    const Skin& skin = *held;
    const auto* object = DefaultObjectAs<PopupMenu>(skin, kTypePopupMenu);
    if (!object)
        return nullptr;
    auto look = std::make_unique<MenuLook>();
    look->skin = std::move(held);
    look->object = object;
    std::copy(std::begin(object->m_layout), std::end(object->m_layout), look->layout.begin());
    look->images = ImagesOf(skin);
    LOGFONTA logFont{};
    static_assert(sizeof logFont <= sizeof object->m_captionFont, "a font record starts with a LOGFONTA");
    std::memcpy(&logFont, &object->m_captionFont, sizeof logFont);
    logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    look->font.Reset(::CreateFontIndirectA(&logFont));
    look->transparent = TransparentColourOf(skin);
    look->cutsWindows = CutsToTransparentColour(skin);
    if (look->cutsWindows)
        look->shapes = ShapesOfFrame(*object, look->images, look->transparent);
    return look;
}

RECT MenuPlaces::ItemRect(int index, int firstVisible, int itemHeight) const
{
    const int row = index - firstVisible;
    if (row < 0 || row >= visibleCount)
        return {};
    const int top = (scrollUp.bottom > scrollUp.top ? scrollUp.bottom : itemArea.top) + row * itemHeight;
    return {itemArea.left, top, itemArea.right, top + itemHeight};
}

MenuPlaces PlacesOf(const FrameLayout& layout, SIZE size, int itemHeight, bool scrolling)
{
    MenuPlaces places{MenuItemArea(layout, size), {}, {}, 0};
    const RECT& area = places.itemArea;
    const int height = std::max(0L, area.bottom - area.top);
    if (scrolling) {
        places.scrollUp = {area.left, area.top, area.right, area.top + itemHeight};
        places.scrollDown = {area.left, area.bottom - itemHeight, area.right, area.bottom};
    }
    const int room = height - (scrolling ? 2 * itemHeight : 0);
    places.visibleCount = itemHeight > 0 ? std::max(0, room / itemHeight) : 0;
    return places;
}

int ItemTextWidth(HDC dc, const MenuItem& item)
{
    std::string text = item.text;
    const size_t tab = text.find('\t');
    if (tab != std::string::npos)
        text.replace(tab, 1, "    ");
    RECT measured{};
    ::DrawTextA(dc, text.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    return measured.right - measured.left;
}

void PaintMenu(HDC dc, const MenuPaint& paint)
{
    PaintBorder(dc, paint);
    const MenuPlaces places = PlacesOf(paint.look.layout, paint.size, paint.itemHeight, paint.scrolling);
    CSelectObject font(dc, paint.look.font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    for (int index = paint.firstVisible; index < static_cast<int>(paint.items.size()); ++index) {
        const RECT rect = places.ItemRect(index, paint.firstVisible, paint.itemHeight);
        if (rect.bottom <= rect.top)
            break;
        PaintItem(dc, rect, paint.items[static_cast<size_t>(index)], index == paint.highlight, paint);
    }
    if (paint.scrolling) {
        const COLORREF colour = paint.look.object->m_itemText[kMenuTextNormal].TextRgb();
        DrawArrow(dc, places.scrollUp, kArrowUp, colour);
        DrawArrow(dc, places.scrollDown, kArrowDown, colour);
    }
}

CRegionObject MenuWindowRegion(const MenuLook& look, SIZE size)
{
    return look.cutsWindows ? FrameRegion(*look.object, look.layout, look.shapes, size) : CRegionObject();
}

}  // namespace skin
