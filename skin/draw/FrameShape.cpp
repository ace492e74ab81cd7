#include "skin/draw/FrameShape.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace skin {

namespace {

// The pixels of a 32-bit top-down DIB section; null for another bitmap.
const uint32_t* DibPixels(const CSkinBitmap& bitmap)
{
    DIBSECTION section{};
    if (::GetObjectA(bitmap.Get(), sizeof section, &section) != sizeof section || section.dsBm.bmBitsPixel != 32)
        return nullptr;
    ::GdiFlush();
    return static_cast<const uint32_t*>(section.dsBm.bmBits);
}

void AddClipped(std::vector<RECT>& out, RECT rect, const RECT& clip)
{
    if (::IntersectRect(&rect, &rect, &clip))
        out.push_back(rect);
}

// The shape's rows moved to each origin of one band of tiles, left to right.
void AddTileRow(std::vector<RECT>& out, const SliceShape& shape, const RECT& part, LONG top)
{
    for (const RECT& run : shape.runs) {
        for (LONG left = part.left; left < part.right; left += shape.source.cx) {
            RECT moved = run;
            ::OffsetRect(&moved, left, top);
            AddClipped(out, moved, part);
        }
    }
}

std::vector<RECT> TileShape(const SliceShape& shape, const RECT& part)
{
    std::vector<RECT> out;
    for (LONG top = part.top; top < part.bottom; top += shape.source.cy)
        AddTileRow(out, shape, part, top);
    // Each run's tiles share one row band; the region wants bands left to right.
    std::stable_sort(out.begin(), out.end(),
                     [](const RECT& a, const RECT& b) { return a.top != b.top ? a.top < b.top : a.left < b.left; });
    return out;
}

std::vector<RECT> StretchShape(const SliceShape& shape, const RECT& part)
{
    const LONG width = part.right - part.left;
    const LONG height = part.bottom - part.top;
    std::vector<RECT> out;
    for (const RECT& run : shape.runs) {
        const RECT scaled{part.left + ::MulDiv(run.left, width, shape.source.cx),
                          part.top + ::MulDiv(run.top, height, shape.source.cy),
                          part.left + ::MulDiv(run.right, width, shape.source.cx),
                          part.top + ::MulDiv(run.bottom, height, shape.source.cy)};
        if (scaled.right > scaled.left && scaled.bottom > scaled.top)
            AddClipped(out, scaled, part);
    }
    return out;
}

CRegionObject RegionOfRects(const std::vector<RECT>& rects)
{
    std::vector<char> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(rects.size());
    header->rcBound = {0, 0, 0, 0};
    std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
    return CRegionObject(
        ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data())));
}

}  // namespace

bool SliceShape::IsWhole() const
{
    size_t covered = 0;
    for (const RECT& run : runs)
        covered += size_t(run.right - run.left) * (run.bottom - run.top);
    return covered == size_t(source.cx) * source.cy;
}

SliceShape ShapeOfSlice(const CSkinBitmap& bitmap, const SkinRect& source, COLORREF transparent)
{
    SliceShape shape;
    shape.source = {source.Width(), source.Height()};
    const uint32_t* pixels = DibPixels(bitmap);
    const bool inside = source.left >= 0 && source.top >= 0 && source.right <= bitmap.Width() &&
                        source.bottom <= bitmap.Height() && !source.IsEmpty();
    if (!pixels || !inside) {
        shape.runs.push_back({0, 0, shape.source.cx, shape.source.cy});
        return shape;
    }
    const uint32_t key = DibPixel(transparent);
    for (LONG y = 0; y < shape.source.cy; ++y) {
        const uint32_t* row = pixels + size_t(source.top + y) * bitmap.Width() + source.left;
        for (LONG x = 0; x < shape.source.cx;) {
            while (x < shape.source.cx && IsDibPixel(row[x], key))
                ++x;
            const LONG start = x;
            while (x < shape.source.cx && !IsDibPixel(row[x], key))
                ++x;
            if (x > start)
                shape.runs.push_back({start, y, x, y + 1});
        }
    }
    return shape;
}

std::vector<RECT> CarryShape(const SliceShape& shape, int32_t mode, const RECT& part)
{
    if (shape.source.cx <= 0 || shape.source.cy <= 0)
        return {};
    switch (mode) {
    case kSliceTile:
        return TileShape(shape, part);
    case kSliceStretch:
        return StretchShape(shape, part);
    default: {
        std::vector<RECT> out;
        for (RECT run : shape.runs) {
            ::OffsetRect(&run, part.left, part.top);
            AddClipped(out, run, part);
        }
        return out;
    }
    }
}

FrameShapes ShapesOfFrame(const FrameObject& frame, const ImageResolver& images, COLORREF transparent)
{
    FrameShapes shapes;
    for (int part = 0; part < kFramePartCount; ++part) {
        const ImageSlice& slice = frame.m_active[part];
        if (slice.IsAbsent())
            continue;
        const std::string imageName(slice.imageName, strnlen(slice.imageName, kImageNameField));
        if (const CSkinBitmap* bitmap = images(imageName))
            shapes[part] = ShapeOfSlice(*bitmap, slice.source, transparent);
    }
    return shapes;
}

CRegionObject FrameRegion(const FrameObject& frame, const FrameLayout& layout, const FrameShapes& shapes, SIZE size)
{
    const FrameParts parts = PartsForSize(layout, size);
    CRegionObject region(::CreateRectRgn(0, 0, 0, 0));
    for (int part = 0; part < kFramePartCount; ++part) {
        const RECT& rect = parts[part];
        const SliceShape& shape = shapes[part];
        if (::IsRectEmpty(&rect))
            continue;
        CRegionObject piece;
        if (shape.Exists() && !shape.IsWhole()) {
            const std::vector<RECT> opaque = CarryShape(shape, frame.m_active[part].mode, rect);
            if (opaque.empty())
                continue;
            piece = RegionOfRects(opaque);
        }
        // A shape that cannot be carried over gives the part its whole rectangle.
        if (!piece)
            piece.Reset(::CreateRectRgnIndirect(&rect));
        ::CombineRgn(region.Get(), region.Get(), piece.Get(), RGN_OR);
    }
    return region;
}

}  // namespace skin
