// What the combo-box and progress-bar kinds draw with: the current skin's
// images, its transparent colour and plain fills.
#pragma once

#include "skin/draw/SkinDraw.h"

#include <windows.h>

namespace skin {

// The images of the skin the engine wears now.
ImageResolver CurrentSkinImages();
// The colour that skin images leave out where what lies behind shows through.
COLORREF SkinTransparentColour();
void FillSolid(HDC dc, const RECT& area, COLORREF colour);
// Draws `grid` over `area` with the transparent colour left out; false when
// the grid is absent or its image missing.
bool DrawGridLeavingOut(HDC dc, const RECT& area, const NineGridImage& grid);

}  // namespace skin
