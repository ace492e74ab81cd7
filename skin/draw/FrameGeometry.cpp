#include "skin/draw/FrameGeometry.h"

#include <algorithm>

namespace skin {

namespace {

// The corners a border can be sized from at once are this many pixels square.
constexpr int kCornerGrip = 5;

RECT ToRect(const SkinRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

bool Contains(const RECT& rect, POINT point) { return ::PtInRect(&rect, point) != FALSE; }

// Whether the point lies in the `grip`-square at a corner of `rect`.
bool InCorner(const RECT& rect, POINT point, bool right, bool bottom)
{
    const LONG x = right ? rect.right - point.x : point.x - rect.left;
    const LONG y = bottom ? rect.bottom - point.y : point.y - rect.top;
    const LONG dx = right ? x - 1 : x;
    const LONG dy = bottom ? y - 1 : y;
    return dx >= 0 && dx < kCornerGrip && dy >= 0 && dy < kCornerGrip;
}

LRESULT HitTestSizable(const FrameParts& parts, POINT point)
{
    if (Contains(parts[kPartTopLeft], point))
        return InCorner(parts[kPartTopLeft], point, false, false) ? HTTOPLEFT : HTCAPTION;
    if (Contains(parts[kPartTop], point))
        return point.y - parts[kPartTop].top < kCornerGrip ? HTTOP : HTCAPTION;
    if (Contains(parts[kPartTopRight], point))
        return InCorner(parts[kPartTopRight], point, true, false) ? HTTOPRIGHT : HTCAPTION;
    if (Contains(parts[kPartRight], point))
        return HTRIGHT;
    if (Contains(parts[kPartLeft], point))
        return HTLEFT;
    if (Contains(parts[kPartBottomRight], point))
        return InCorner(parts[kPartBottomRight], point, true, true) ? HTBOTTOMRIGHT : HTBOTTOM;
    if (Contains(parts[kPartBottomLeft], point))
        return InCorner(parts[kPartBottomLeft], point, false, true) ? HTBOTTOMLEFT : HTBOTTOM;
    if (Contains(parts[kPartBottom], point))
        return HTBOTTOM;
    return HTNOWHERE;
}

}  // namespace

bool IsFramedStyle(LONG style) { return (style & WS_DLGFRAME) || (style & DS_MODALFRAME); }

bool IsSizableStyle(LONG style)
{
    return (style & WS_THICKFRAME) && !((style & WS_DLGFRAME) && (style & DS_MODALFRAME));
}

FrameParts PartsForSize(const FrameLayout& layout, SIZE size)
{
    const LONG w = size.cx;
    const LONG h = size.cy;
    const LONG bottomTop = h - layout[kPartBottomLeft].Height();
    FrameParts parts;
    parts[kPartTopLeft] = ToRect(layout[kPartTopLeft]);
    parts[kPartTop] = ToRect(layout[kPartTop]);
    parts[kPartTop].right = w - layout[kPartTopRight].Width();
    parts[kPartTopRight] = {w - layout[kPartTopRight].Width(), layout[kPartTopRight].top, w,
                            layout[kPartTopRight].bottom};
    parts[kPartLeft] = ToRect(layout[kPartLeft]);
    parts[kPartLeft].bottom = bottomTop;
    parts[kPartClient] = ToRect(layout[kPartClient]);
    parts[kPartClient].right = w - layout[kPartRight].Width();
    parts[kPartClient].bottom = bottomTop;
    parts[kPartRight] = {w - layout[kPartRight].Width(), layout[kPartRight].top, w, bottomTop};
    parts[kPartBottomLeft] = {layout[kPartBottomLeft].left, bottomTop, layout[kPartBottomLeft].right, h};
    parts[kPartBottom] = {layout[kPartBottom].left, bottomTop, w - layout[kPartBottomRight].Width(), h};
    parts[kPartBottomRight] = {w - layout[kPartBottomRight].Width(), bottomTop, w, h};
    return parts;
}

RECT ClientWithinFrame(const FrameLayout& layout, const RECT& window)
{
    RECT client{window.left + layout[kPartLeft].Width(), window.top + layout[kPartTopLeft].Height(),
                window.right - layout[kPartRight].Width(), window.bottom - layout[kPartBottomLeft].Height()};
    // A window smaller than its frame (minimized, say) has an empty client area, never a negative one.
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

SIZE FrameSizeForClient(const FrameLayout& layout, SIZE client)
{
    return {client.cx + layout[kPartLeft].Width() + layout[kPartRight].Width(),
            client.cy + layout[kPartTopLeft].Height() + layout[kPartBottomLeft].Height()};
}

LRESULT HitTestFrame(const FrameParts& parts, POINT point, bool sizable, bool maximized)
{
    if (Contains(parts[kPartClient], point))
        return HTCLIENT;
    if (sizable && !maximized)
        return HitTestSizable(parts, point);
    for (int part : {kPartTopLeft, kPartTop, kPartTopRight})
        if (Contains(parts[part], point))
            return HTCAPTION;
    return HTNOWHERE;
}

SIZE DesignSize(const FrameLayout& layout)
{
    return {layout[kPartBottomRight].right, layout[kPartBottomRight].bottom};
}

RECT PlaceByAnchor(const SkinRect& placement, int32_t anchor, SIZE size, SIZE design)
{
    RECT placed = ToRect(placement);
    const LONG dx = size.cx - design.cx;
    const LONG dy = size.cy - design.cy;
    // 6 and 8 are the second spellings of the right and bottom anchors.
    const bool followsRight = anchor == kAnchorRight || anchor == 6 || anchor == kAnchorBottomRight;
    const bool followsBottom = anchor == kAnchorBottom || anchor == 8 || anchor == kAnchorBottomRight;
    if (followsRight)
        ::OffsetRect(&placed, dx, 0);
    if (followsBottom)
        ::OffsetRect(&placed, 0, dy);
    return placed;
}

SIZE MinimumTrackSize(const FrameLayout& layout)
{
    const LONG top = layout[kPartTopLeft].Width() + layout[kPartTopRight].Width() + 2;
    const LONG bottom = layout[kPartBottomLeft].Width() + layout[kPartBottomRight].Width() + 2;
    return {std::max(top, bottom), layout[kPartTopLeft].Height() + layout[kPartBottomLeft].Height() + 2};
}

}  // namespace skin
