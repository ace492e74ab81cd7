// Drawing with the property records of skin objects: image slices, nine-grid
// images, copies with a transparent colour left out and text with a text
// effect. Images are found by name through a resolver, so any skin model can
// supply them.
#pragma once

#include "skin/core/SkinRecords.h"
#include "skin/draw/SkinBitmap.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace skin {

// The bitmap of the named skin image; nullptr when there is no such image
// or it did not decode.
using ImageResolver = std::function<const CSkinBitmap*(const std::string& imageName)>;

void FillSolid(HDC dc, const RECT& area, COLORREF colour);

// Draws the `source` part of `bitmap` into `dest` by SliceMode. False when
// nothing could be drawn (a source outside the bitmap, an unknown mode).
bool DrawBitmapPart(HDC dc, const RECT& dest, const CSkinBitmap& bitmap, const SkinRect& source, int32_t mode);

// Nothing is drawn (false) when the slice is absent or its image missing.
bool DrawImageSlice(HDC dc, const RECT& dest, const ImageSlice& slice, const ImageResolver& images);

// Draws the nine parts of `grid` into `dest`; false when the grid is absent
// or its image missing. With `undrawableFill`, a part that cannot be drawn
// is filled with that colour instead.
bool DrawNineGridImage(HDC dc, const RECT& dest, const NineGridImage& grid, const ImageResolver& images,
                       std::optional<COLORREF> undrawableFill = std::nullopt);

// Runs `draw` on an off-screen copy of `area` that starts all `transparent`,
// then copies back every pixel that is not `transparent`. Returns what
// `draw` returned.
bool DrawLeavingOutColour(HDC dc, const RECT& area, COLORREF transparent, const std::function<bool(HDC)>& draw);

// DrawText with a transparent background: first the shadow colour with the
// rectangle moved by the shadow offset when the effect has a shadow, then
// the text colour in place. The caller selects the font.
void DrawEffectText(HDC dc, const char* text, const RECT& rect, UINT format, const TextEffect& effect);

}  // namespace skin
