#include "skin/menu/MenuGeometry.h"

#include <algorithm>

namespace skin {

namespace {

RECT Sized(LONG left, LONG top, SIZE size) { return {left, top, left + size.cx, top + size.cy}; }

// The start of a span of `length` kept inside [low, high); the whole range
// when it is too long for it.
void KeepSpanInside(LONG& start, LONG& end, LONG low, LONG high)
{
    const LONG length = end - start;
    if (length > high - low) {
        start = low;
        end = high;
        return;
    }
    start = std::clamp(start, low, high - length);
    end = start + length;
}

}  // namespace

int MenuItemHeight(const MenuMeasures& measures, const NineGridImage& activeImage)
{
    return std::max(measures.textHeight, measures.imageHeight) + activeImage.marginTop + activeImage.marginBottom + 2;
}

SIZE MenuWindowSize(const MenuMeasures& measures, const FrameLayout& layout, const NineGridImage& activeImage)
{
    const int itemHeight = MenuItemHeight(measures, activeImage);
    const int width = measures.widestText + layout[kPartLeft].Width() + layout[kPartRight].Width() +
                      activeImage.marginLeft + activeImage.marginRight + 2 * itemHeight + 1;
    const int height =
        itemHeight * measures.itemCount + layout[kPartTopLeft].Height() + layout[kPartBottomLeft].Height();
    return {width, height};
}

RECT MenuItemArea(const FrameLayout& layout, SIZE size)
{
    return {layout[kPartLeft].Width(), layout[kPartTopLeft].Height(), size.cx - layout[kPartRight].Width(),
            size.cy - layout[kPartBottomLeft].Height()};
}

RECT AlignMenu(SIZE size, POINT at, UINT flags)
{
    LONG left = at.x;
    if (flags & TPM_CENTERALIGN)
        left -= size.cx / 2;
    else if (flags & TPM_RIGHTALIGN)
        left -= size.cx;
    LONG top = at.y;
    if (flags & TPM_VCENTERALIGN)
        top -= size.cy / 2;
    else if (flags & TPM_BOTTOMALIGN)
        top -= size.cy;
    return Sized(left, top, size);
}

RECT KeepInWorkArea(RECT menu, const RECT& work)
{
    KeepSpanInside(menu.left, menu.right, work.left, work.right);
    KeepSpanInside(menu.top, menu.bottom, work.top, work.bottom);
    return menu;
}

RECT PlaceSubmenu(const RECT& item, const RECT& parent, SIZE size, const RECT& work)
{
    RECT menu = Sized(item.right, item.top, size);
    if (menu.bottom > work.bottom)
        menu = Sized(menu.left, std::max(work.bottom - size.cy, work.top + 1), size);
    if (menu.right > work.right)
        menu = Sized(std::max(parent.left - size.cx, work.left), menu.top, size);
    return menu;
}

}  // namespace skin
