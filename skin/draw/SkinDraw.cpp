#include "skin/draw/SkinDraw.h"

#include "skin/draw/OffscreenBuffer.h"

#include <algorithm>
#include <cstring>

namespace skin {
namespace {

bool IsEmpty(const RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

// Parts of a bitmap drawn into one target through one memory context.
class CBitmapPainter {
public:
    CBitmapPainter(HDC target, const CSkinBitmap& bitmap)
        : m_target(target),
          m_source(target),
          m_selected(m_source.Get(), bitmap.Get()),
          m_nWidth(bitmap.Width()),
          m_nHeight(bitmap.Height()),
          m_nPreviousStretchMode(::SetStretchBltMode(target, COLORONCOLOR))  // exact pixels, no blending
    {
    }
    ~CBitmapPainter() { ::SetStretchBltMode(m_target, m_nPreviousStretchMode); }
    CBitmapPainter(const CBitmapPainter&) = delete;
    CBitmapPainter& operator=(const CBitmapPainter&) = delete;

    bool Draw(const RECT& dest, const SkinRect& part, int32_t mode) const
    {
        const SkinRect source = InBitmap(part);
        if (!m_source || source.IsEmpty() || IsEmpty(dest))
            return false;
        switch (mode) {
        case kSliceCopy:
            return Copy(dest, source);
        case kSliceTile:
            return Tile(dest, source);
        case kSliceStretch:
            return Stretch(dest, source);
        }
        return false;
    }

    // Columns as wide as the source, each stretched in height; the last one
    // is cut at the right.
    bool DrawColumns(const RECT& dest, const SkinRect& part) const
    {
        const SkinRect source = InBitmap(part);
        if (!m_source || source.IsEmpty() || IsEmpty(dest))
            return false;
        bool drawn = true;
        for (LONG x = dest.left; x < dest.right; x += source.Width()) {
            const int width = std::min<LONG>(source.Width(), dest.right - x);
            drawn &= Blit(x, dest.top, width, dest.bottom - dest.top, source.left, source.top, width, source.Height());
        }
        return drawn;
    }

private:
    SkinRect InBitmap(const SkinRect& rect) const
    {
        return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, m_nWidth),
                std::min(rect.bottom, m_nHeight)};
    }

    bool Blit(int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth, int sourceHeight) const
    {
        if (width == sourceWidth && height == sourceHeight)
            return ::BitBlt(m_target, x, y, width, height, m_source.Get(), sourceX, sourceY, SRCCOPY) != FALSE;
        return ::StretchBlt(m_target, x, y, width, height, m_source.Get(), sourceX, sourceY, sourceWidth,
                            sourceHeight, SRCCOPY) != FALSE;
    }

    bool Copy(const RECT& dest, const SkinRect& source) const
    {
        const int width = std::min<LONG>(source.Width(), dest.right - dest.left);
        const int height = std::min<LONG>(source.Height(), dest.bottom - dest.top);
        return Blit(dest.left, dest.top, width, height, source.left, source.top, width, height);
    }

    bool Tile(const RECT& dest, const SkinRect& source) const
    {
        bool drawn = true;
        for (LONG y = dest.top; y < dest.bottom; y += source.Height()) {
            const int height = std::min<LONG>(source.Height(), dest.bottom - y);
            for (LONG x = dest.left; x < dest.right; x += source.Width()) {
                const int width = std::min<LONG>(source.Width(), dest.right - x);
                drawn &= Blit(x, y, width, height, source.left, source.top, width, height);
            }
        }
        return drawn;
    }

    bool Stretch(const RECT& dest, const SkinRect& source) const
    {
        return Blit(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.left, source.top,
                    source.Width(), source.Height());
    }

    HDC m_target;
    CMemoryDC m_source;
    CSelectObject m_selected;
    int m_nWidth;
    int m_nHeight;
    int m_nPreviousStretchMode;
};

std::string ImageName(const char (&field)[kImageNameField])
{
    return std::string(field, strnlen(field, kImageNameField));
}

const CSkinBitmap* FindBitmap(const char (&name)[kImageNameField], const ImageResolver& images)
{
    const CSkinBitmap* bitmap = images ? images(ImageName(name)) : nullptr;
    return bitmap && *bitmap ? bitmap : nullptr;
}

enum GridPart { kTopLeft, kTop, kTopRight, kLeft, kCentre, kRight, kBottomLeft, kBottom, kBottomRight, kPartCount };

bool IsStretchedPart(int32_t fillMode, int part)
{
    switch (fillMode) {
    case 1:
        return true;
    case 2:
        return part == kBottom;
    case 3:
        return part == kCentre;
    case 4:
        return part == kLeft;
    case 5:
    case 8:
        return part == kTop || part == kLeft || part == kRight || part == kBottom;
    case 6:
        return part == kRight;
    case 7:
        return part == kTop;
    }
    return false;
}

// No image side can reach this (the decoder's memory ceiling sees to it);
// clamping hostile rectangles and margins to it keeps the sums in range.
constexpr int32_t kMaxSide = 1 << 24;

int32_t Clamp(int32_t value, int32_t low, int32_t high)
{
    return std::min(std::max(value, low), high);
}

// The four cut lines of one axis, in the source and in the destination.
struct GridAxis {
    int32_t source[4];
    LONG dest[4];
};

GridAxis CutAxis(int32_t sourceStart, int32_t sourceEnd, LONG destStart, LONG destEnd, int32_t marginStart,
                 int32_t marginEnd)
{
    const int32_t start = Clamp(sourceStart, 0, kMaxSide);
    const int32_t end = Clamp(sourceEnd, start, kMaxSide);
    const int32_t before = Clamp(marginStart, 0, end - start);
    const int32_t after = Clamp(marginEnd, 0, end - start);
    return {{start, start + before, end - after, end}, {destStart, destStart + before, destEnd - after, destEnd}};
}

}  // namespace

bool DrawBitmapPart(HDC dc, const RECT& dest, const CSkinBitmap& bitmap, const SkinRect& source, int32_t mode)
{
    return CBitmapPainter(dc, bitmap).Draw(dest, source, mode);
}

bool DrawImageSlice(HDC dc, const RECT& dest, const ImageSlice& slice, const ImageResolver& images)
{
    const CSkinBitmap* bitmap = slice.IsAbsent() ? nullptr : FindBitmap(slice.imageName, images);
    return bitmap && DrawBitmapPart(dc, dest, *bitmap, slice.source, slice.mode);
}

bool DrawNineGridImage(HDC dc, const RECT& dest, const NineGridImage& grid, const ImageResolver& images,
                       std::optional<COLORREF> undrawableFill)
{
    if (grid.IsAbsent())
        return false;
    const CSkinBitmap* bitmap = FindBitmap(grid.imageName, images);
    std::optional<CBitmapPainter> painter;
    if (bitmap)
        painter.emplace(dc, *bitmap);
    CBrushObject fillBrush(undrawableFill ? ::CreateSolidBrush(*undrawableFill) : nullptr);

    const GridAxis columns = CutAxis(grid.source.left, grid.source.right, dest.left, dest.right, grid.marginLeft,
                                     grid.marginRight);
    const GridAxis rows = CutAxis(grid.source.top, grid.source.bottom, dest.top, dest.bottom, grid.marginTop,
                                  grid.marginBottom);
    CSavedDC saved(dc);
    // Margins wider than the destination must not spill out of it.
    ::IntersectClipRect(dc, dest.left, dest.top, dest.right, dest.bottom);
    for (int part = 0; part < kPartCount; ++part) {
        const int column = part % 3;
        const int row = part / 3;
        const SkinRect source{columns.source[column], rows.source[row], columns.source[column + 1],
                              rows.source[row + 1]};
        const RECT target{columns.dest[column], rows.dest[row], columns.dest[column + 1], rows.dest[row + 1]};
        if (source.IsEmpty() || IsEmpty(target))
            continue;
        bool drawn = false;
        if (painter && grid.fillMode == 8 && part == kCentre)
            drawn = painter->DrawColumns(target, source);
        else if (painter)
            drawn = painter->Draw(target, source, IsStretchedPart(grid.fillMode, part) ? kSliceStretch : kSliceTile);
        if (!drawn && fillBrush)
            ::FillRect(dc, &target, fillBrush.Get());
    }
    return bitmap != nullptr;
}

void FillSolid(HDC dc, const RECT& area, COLORREF colour)
{
    CBrushObject brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &area, brush.Get());
}

bool DrawLeavingOutColour(HDC dc, const RECT& area, COLORREF transparent, const std::function<bool(HDC)>& draw)
{
    COffscreenBuffer buffer(dc, area);
    if (!buffer)
        return false;
    buffer.Fill(transparent);
    const bool drawn = draw(buffer.Dc());
    buffer.CopyTransparentTo(dc, transparent);
    return drawn;
}

void DrawEffectText(HDC dc, const char* text, const RECT& rect, UINT format, const TextEffect& effect)
{
    CSavedDC saved(dc);
    ::SetBkMode(dc, TRANSPARENT);
    if (effect.HasShadow()) {
        RECT shadow = rect;
        ::OffsetRect(&shadow, effect.shadowX, effect.shadowY);
        ::SetTextColor(dc, effect.ShadowRgb());
        ::DrawTextA(dc, text, -1, &shadow, format);
    }
    RECT place = rect;
    ::SetTextColor(dc, effect.TextRgb());
    ::DrawTextA(dc, text, -1, &place, format);
}

}  // namespace skin
