// Drawing skinned scroll bars: from the skin's ScrollBar object, or flat in
// the system's colours when the skin has none.
#include "skin/scrollbar/ScrollBarWindow.h"

#include "skin/core/ControlObjects.h"
#include "skin/core/Skin.h"
#include "skin/draw/OffscreenBuffer.h"
#include "skin/engine/EngineState.h"
#include "skin/engine/CurrentSkin.h"

namespace skin {

namespace {

// The state blocks in the order the ScrollBar object keeps them.
enum Look : int { kLookNormal, kLookPressed, kLookHighlighted, kLookDisabled };

Look PartLook(const ScrollBarWindow& window, int bar, ScrollPart part)
{
    const MouseTracking& tracking = Tracking();
    if (tracking.Tracks(window.hwnd, bar) && tracking.pressed == part && tracking.overPressed)
        return kLookPressed;
    if (tracking.IsHot(window.hwnd, bar) && tracking.hotPart == part)
        return kLookHighlighted;
    const BarState& state = window.bars[bar == SB_VERT ? 1 : 0];
    if (state.Disabled() || !::IsWindowEnabled(window.hwnd))
        return kLookDisabled;
    if ((part == kPartArrow1 && (state.disabledArrows & ESB_DISABLE_LTUP)) ||
        (part == kPartArrow2 && (state.disabledArrows & ESB_DISABLE_RTDN)))
        return kLookDisabled;
    return kLookNormal;
}

class BarPainter {
public:
    virtual ~BarPainter() = default;
    virtual void Arrow(HDC dc, const RECT& rect, ScrollPart which, Look look) = 0;
    virtual void Track(HDC dc, const RECT& rect, Look look) = 0;
    virtual void Thumb(HDC dc, const RECT& rect, Look look) = 0;
};

class SkinPainter : public BarPainter {
public:
    SkinPainter(const ScrollBar& object, bool vertical)
        : m_object(object), m_vertical(vertical), m_images(CurrentSkinImages())
    {
    }

    void Arrow(HDC dc, const RECT& rect, ScrollPart which, Look look) override
    {
        const ImageSlice& own = which == kPartArrow1 ? Block(look).arrow1 : Block(look).arrow2;
        const ImageSlice& normal = which == kPartArrow1 ? Normal().arrow1 : Normal().arrow2;
        DrawImageSlice(dc, rect, own.IsAbsent() ? normal : own, m_images);
    }

    void Track(HDC dc, const RECT& rect, Look look) override { DrawNineGridImage(dc, rect, TrackOf(look), m_images); }

    // The thumb lies on a piece of track and is narrowed across the bar by
    // that track's margins.
    void Thumb(HDC dc, const RECT& rect, Look look) override
    {
        const bool own = !Block(look).thumb.IsAbsent();
        const NineGridImage& track = own ? TrackOf(look) : Normal().bar;
        const NineGridImage& thumb = own ? Block(look).thumb : Normal().thumb;
        DrawNineGridImage(dc, rect, track, m_images);
        RECT inner = rect;
        if (m_vertical) {
            inner.left += track.marginLeft;
            inner.right -= track.marginRight;
        } else {
            inner.top += track.marginTop;
            inner.bottom -= track.marginBottom;
        }
        DrawNineGridImage(dc, inner, thumb, m_images);
    }

private:
    const ScrollBarLook& Block(Look look) const { return m_object.m_states[look + (m_vertical ? kScrollVNormal : 0)]; }
    const ScrollBarLook& Normal() const { return Block(kLookNormal); }
    const NineGridImage& TrackOf(Look look) const
    {
        return Block(look).bar.IsAbsent() ? Normal().bar : Block(look).bar;
    }

    const ScrollBar& m_object;
    bool m_vertical;
    ImageResolver m_images;
};

// The system's flat look.
class FlatPainter : public BarPainter {
public:
    explicit FlatPainter(bool vertical) : m_vertical(vertical) {}

    void Arrow(HDC dc, const RECT& rect, ScrollPart which, Look look) override
    {
        UINT state = m_vertical ? (which == kPartArrow1 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN)
                                : (which == kPartArrow1 ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT);
        state |= DFCS_FLAT;
        if (look == kLookPressed)
            state |= DFCS_PUSHED;
        if (look == kLookDisabled)
            state |= DFCS_INACTIVE;
        RECT copy = rect;
        ::DrawFrameControl(dc, &copy, DFC_SCROLL, state);
    }

    void Track(HDC dc, const RECT& rect, Look look) override
    {
        ::FillRect(dc, &rect, ::GetSysColorBrush(look == kLookPressed ? COLOR_3DDKSHADOW : COLOR_SCROLLBAR));
    }

    void Thumb(HDC dc, const RECT& rect, Look look) override
    {
        (void)look;
        RECT copy = rect;
        ::FillRect(dc, &copy, ::GetSysColorBrush(COLOR_BTNFACE));
        ::DrawEdge(dc, &copy, EDGE_RAISED, BF_RECT | BF_FLAT);
    }

private:
    bool m_vertical;
};

// A piece of the bar from `start` to `end` along it.
RECT Piece(const RECT& bar, bool vertical, int start, int end)
{
    return vertical ? RECT{bar.left, bar.top + start, bar.right, bar.top + end}
                    : RECT{bar.left + start, bar.top, bar.left + end, bar.bottom};
}

void PaintParts(const ScrollBarWindow& window, HDC dc, int bar, BarPainter& painter)
{
    const bool vertical = bar == SB_VERT;
    const RECT rect = window.BarRect(bar);
    const BarLayout layout = window.Layout(bar);
    painter.Arrow(dc, Piece(rect, vertical, 0, layout.arrow), kPartArrow1, PartLook(window, bar, kPartArrow1));
    painter.Arrow(dc, Piece(rect, vertical, layout.TrackEnd(), layout.length), kPartArrow2,
                  PartLook(window, bar, kPartArrow2));
    if (layout.TrackLength() <= 0)
        return;
    if (!layout.HasThumb()) {
        painter.Track(dc, Piece(rect, vertical, layout.TrackStart(), layout.TrackEnd()),
                      PartLook(window, bar, kPartNone));
        return;
    }
    const int thumbEnd = layout.thumbStart + layout.thumbLength;
    painter.Track(dc, Piece(rect, vertical, layout.TrackStart(), layout.thumbStart),
                  PartLook(window, bar, kPartTrackBefore));
    painter.Track(dc, Piece(rect, vertical, thumbEnd, layout.TrackEnd()), PartLook(window, bar, kPartTrackAfter));
    painter.Thumb(dc, Piece(rect, vertical, layout.thumbStart, thumbEnd), PartLook(window, bar, kPartThumb));
}

// Whether the corner box lies at the corner of the parent's client area,
// where a size grip means something.
bool AtParentCorner(const ScrollBarWindow& window, const RECT& corner)
{
    const HWND parent = ::GetParent(window.hwnd);
    RECT client{};
    RECT frame{};
    if (!parent || !::GetClientRect(parent, &client) || !::GetWindowRect(window.hwnd, &frame))
        return false;
    POINT cornerPoint{frame.left + (window.leftScrollBar ? corner.left : corner.right), frame.top + corner.bottom};
    ::ScreenToClient(parent, &cornerPoint);
    return cornerPoint.y == client.bottom && cornerPoint.x == (window.leftScrollBar ? client.left : client.right);
}

}  // namespace

const ScrollBar* CurrentScrollBarObject()
{
    return DefaultObjectAs<ScrollBar>(Engine().manager.CurrentSkin(), kTypeScrollBar);
}

void PaintBar(ScrollBarWindow& window, HDC dc, int bar)
{
    const RECT rect = window.BarRect(bar);
    if (::IsRectEmpty(&rect))
        return;
    COffscreenBuffer buffer(dc, rect);
    const HDC target = buffer ? buffer.Dc() : dc;
    if (const ScrollBar* object = CurrentScrollBarObject()) {
        SkinPainter painter(*object, bar == SB_VERT);
        PaintParts(window, target, bar, painter);
    } else {
        FlatPainter painter(bar == SB_VERT);
        PaintParts(window, target, bar, painter);
    }
    if (buffer)
        buffer.CopyTo(dc);
}

void PaintCorner(ScrollBarWindow& window, HDC dc)
{
    RECT corner = window.CornerRect();
    if (::IsRectEmpty(&corner))
        return;
    ::FillRect(dc, &corner, ::GetSysColorBrush(COLOR_BTNFACE));
    if (const ScrollBar* object = CurrentScrollBarObject()) {
        DrawImageSlice(dc, corner, object->m_gripper, CurrentSkinImages());
    } else if (AtParentCorner(window, corner)) {
        ::DrawFrameControl(dc, &corner, DFC_SCROLL,
                           window.leftScrollBar ? DFCS_SCROLLSIZEGRIPRIGHT : DFCS_SCROLLSIZEGRIP);
    }
}

}  // namespace skin
