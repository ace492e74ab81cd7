// Drawing with the skin the engine wears now: its images, its transparent
// colour, and nine-grids drawn with that colour left out.
#pragma once

#include "skin/draw/SkinLook.h"

#include <windows.h>

namespace skin {

// A resolver over the images of whichever skin is current when it is asked.
const ImageResolver& CurrentSkinImages();
// The colour that skin images leave out where what lies behind shows through.
COLORREF SkinTransparentColour();
// Draws `grid` over `area` with the transparent colour left out; false when
// the grid is absent or its image missing.
bool DrawGridLeavingOut(HDC dc, const RECT& area, const NineGridImage& grid);

}  // namespace skin
