// The window region of a skinned frame: each frame slice's opaque pixels,
// found once per skin, carried to the part of the window the slice is drawn
// into the way the slice is drawn there.
#pragma once

#include "skin/kinds/frame/FrameGeometry.h"

#include "controls/GdiScope.h"
#include "skin/draw/SkinBitmap.h"

#include <vector>

namespace skin {

// The pixels of a slice's source rectangle that are not the transparent
// colour, as runs row by row relative to the source's top-left corner.
struct SliceShape {
    SIZE source{};
    std::vector<RECT> runs;
    // Opaque everywhere: the part keeps its whole rectangle.
    bool IsWhole() const;
};

// The shape of `source` in `bitmap`; a whole shape when the source lies
// outside the bitmap.
SliceShape ShapeOfSlice(const CSkinBitmap& bitmap, const SkinRect& source, COLORREF transparent);

// The rectangles that `shape` covers in `part` when drawn with `mode`:
// moved (copy), repeated in steps of the source (tile) or scaled to the
// part (stretch), and cut to the part. Rows come out top to bottom.
std::vector<RECT> CarryShape(const SliceShape& shape, int32_t mode, const RECT& part);

// One part of a frame for the window region: its rectangle and, when its
// slice has transparent pixels, their shape and the slice's draw mode.
struct ShapedPart {
    RECT rect;
    const SliceShape* shape;  // null: the whole rectangle
    int32_t mode;
};

// The union of the parts' regions, in window coordinates.
CRegionObject BuildFrameRegion(const std::vector<ShapedPart>& parts);

}  // namespace skin
