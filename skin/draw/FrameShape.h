// The window region of a skinned frame: each frame slice's opaque pixels,
// found once per skin, carried to the part of the window the slice is drawn
// into the way the slice is drawn there.
#pragma once

#include "skin/draw/FrameGeometry.h"

#include "win/GdiScope.h"
#include "skin/draw/SkinDraw.h"

#include <array>
#include <vector>

namespace skin {

// The pixels of a slice's source rectangle that are not the transparent
// colour, as runs row by row relative to the source's top-left corner.
struct SliceShape {
    SIZE source{};
    std::vector<RECT> runs;
    // Opaque everywhere: the part keeps its whole rectangle.
    bool IsWhole() const;
    // Made from a slice; a default shape stands for none.
    bool Exists() const { return source.cx > 0 && source.cy > 0; }
};

// The shape of `source` in `bitmap`; a whole shape when the source lies
// outside the bitmap.
SliceShape ShapeOfSlice(const CSkinBitmap& bitmap, const SkinRect& source, COLORREF transparent);

// The rectangles that `shape` covers in `part` when drawn with `mode`:
// moved (copy), repeated in steps of the source (tile) or scaled to the
// part (stretch), and cut to the part. Rows come out top to bottom.
std::vector<RECT> CarryShape(const SliceShape& shape, int32_t mode, const RECT& part);

using FrameShapes = std::array<SliceShape, kFramePartCount>;

// The shapes of the nine active slices of `frame` in `images`. A slice that
// is absent or whose image is missing has no shape: its part stays whole.
FrameShapes ShapesOfFrame(const FrameObject& frame, const ImageResolver& images, COLORREF transparent);

// The region of a frame of `size` whose parts lie as `layout` places them:
// the union of the parts, each cut to its slice's shape the way the slice
// is drawn there, in window coordinates. A part whose slice is transparent
// all over adds nothing.
CRegionObject FrameRegion(const FrameObject& frame, const FrameLayout& layout, const FrameShapes& shapes, SIZE size);

}  // namespace skin
