#include "skin/kinds/ControlDrawing.h"

#include "skin/core/Skin.h"
#include "skin/engine/EngineState.h"
#include "skin/engine/SkinImages.h"

namespace skin {

ImageResolver CurrentSkinImages()
{
    return ImagesOf(Engine().manager.CurrentSkin());
}

COLORREF SkinTransparentColour()
{
    return TransparentColourOf(Engine().manager.CurrentSkin());
}

void FillSolid(HDC dc, const RECT& area, COLORREF colour)
{
    CBrushObject brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &area, brush.Get());
}

bool DrawGridLeavingOut(HDC dc, const RECT& area, const NineGridImage& grid)
{
    if (grid.IsAbsent() || ::IsRectEmpty(&area))
        return false;
    const ImageResolver images = CurrentSkinImages();
    return DrawLeavingOutColour(dc, area, SkinTransparentColour(),
                                [&](HDC buffer) { return DrawNineGridImage(buffer, area, grid, images); });
}

}  // namespace skin
