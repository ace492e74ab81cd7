// Where the parts of one scroll bar lie along it, and which scroll position a
// dragged thumb stands for. Offsets are measured from the bar's start.
#pragma once

namespace skin {

// Part codes; those of the arrows and the track double as the scroll codes
// SB_LINEUP, SB_LINEDOWN, SB_PAGEUP and SB_PAGEDOWN.
enum ScrollPart : int {
    kPartNone = -1,
    kPartArrow1 = 0,
    kPartArrow2 = 1,
    kPartTrackBefore = 2,
    kPartTrackAfter = 3,
    kPartThumb = 5,
};

// The scroll state of one bar as the scroll-bar functions see it.
struct ScrollRange {
    int minimum = 0;
    int maximum = 0;
    unsigned page = 0;
    int position = 0;

    // The highest position the page allows.
    int TopPosition() const;
    // Whether some of the range lies outside the page.
    bool Scrolls() const;
    int Clamp(int value) const;
};

struct BarLayout {
    int length = 0;       // the whole bar
    int arrow = 0;        // each arrow
    int thumbStart = 0;   // from the bar's start
    int thumbLength = 0;  // 0: no thumb

    int TrackStart() const { return arrow; }
    int TrackEnd() const { return length - arrow; }
    int TrackLength() const { return TrackEnd() - TrackStart(); }
    bool HasThumb() const { return thumbLength > 0; }
};

// `minimumThumb` keeps a thumb grabbable on long ranges; a bar without room
// for it, or a disabled one, has no thumb.
BarLayout LayOutBar(const ScrollRange& range, int length, int arrowLength, int minimumThumb, bool enabled);

// The same layout with the thumb where a drag put it.
BarLayout WithThumbAt(const BarLayout& layout, int thumbStart);

ScrollPart PartAt(const BarLayout& layout, int offset);

// The position a thumb `thumbOffset` pixels into the track stands for.
int PositionForThumb(const ScrollRange& range, const BarLayout& layout, int thumbOffset);

}  // namespace skin
