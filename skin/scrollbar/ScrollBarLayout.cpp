#include "skin/scrollbar/ScrollBarLayout.h"

#include <algorithm>
#include <cstdint>

namespace skin {

namespace {

// Rounded a * b / c, as Windows' MulDiv; -1 for a zero divisor.
int MulDivide(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const int64_t half = (c > 0 ? c : -c) / 2;
    const int64_t rounded = ((product < 0) != (c < 0)) ? product - half : product + half;
    return static_cast<int>(rounded / c);
}

}  // namespace

int ScrollRange::TopPosition() const
{
    const int pageSpan = page > 0 ? static_cast<int>(page) - 1 : 0;
    return std::max(minimum, maximum - pageSpan);
}

bool ScrollRange::Scrolls() const
{
    const int pageSpan = page > 0 ? static_cast<int>(page) - 1 : 0;
    return minimum < maximum - pageSpan;
}

int ScrollRange::Clamp(int value) const { return std::clamp(value, minimum, TopPosition()); }

BarLayout LayOutBar(const ScrollRange& range, int length, int arrowLength, int minimumThumb, bool enabled)
{
    BarLayout layout;
    layout.length = std::max(length, 0);
    // Arrows share a bar too short for both.
    layout.arrow = std::min(arrowLength, layout.length / 2);
    const int track = layout.TrackLength();
    if (!enabled || !range.Scrolls() || track <= 0)
        return layout;

    const int span = range.maximum - range.minimum + 1;
    int thumb = range.page > 0 ? MulDivide(track, static_cast<int>(range.page), span) : arrowLength;
    thumb = std::max(thumb, minimumThumb);
    if (thumb >= track)
        return layout;  // no room to move: the bar shows its track only

    const int travel = range.TopPosition() - range.minimum;
    const int offset = travel > 0 ? MulDivide(track - thumb, range.Clamp(range.position) - range.minimum, travel) : 0;
    layout.thumbLength = thumb;
    layout.thumbStart = layout.TrackStart() + std::clamp(offset, 0, track - thumb);
    return layout;
}

BarLayout WithThumbAt(const BarLayout& layout, int thumbStart)
{
    BarLayout moved = layout;
    moved.thumbStart = std::clamp(thumbStart, layout.TrackStart(), layout.TrackEnd() - layout.thumbLength);
    return moved;
}

ScrollPart PartAt(const BarLayout& layout, int offset)
{
    if (offset < 0 || offset >= layout.length)
        return kPartNone;
    if (offset < layout.TrackStart())
        return kPartArrow1;
    if (offset >= layout.TrackEnd())
        return kPartArrow2;
    if (!layout.HasThumb())
        return kPartNone;
    if (offset < layout.thumbStart)
        return kPartTrackBefore;
    if (offset >= layout.thumbStart + layout.thumbLength)
        return kPartTrackAfter;
    return kPartThumb;
}

int PositionForThumb(const ScrollRange& range, const BarLayout& layout, int thumbOffset)
{
    const int extent = range.maximum - range.minimum;
    if (extent <= 0)
        return thumbOffset;
    const int travel = layout.TrackLength() - layout.thumbLength;
    const int positions = extent - static_cast<int>(range.page) + 1;
    // Offsets count from the range's start; a nonzero minimum moves them all.
    return range.Clamp(range.minimum + MulDivide(thumbOffset, positions, travel));
}

}  // namespace skin
