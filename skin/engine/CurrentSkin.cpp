#include "skin/engine/CurrentSkin.h"

#include "skin/draw/SkinLook.h"
#include "skin/engine/EngineState.h"

namespace skin {

const ImageResolver& CurrentSkinImages()
{
    static const ImageResolver images = [](const std::string& name) {
        return SkinBitmapOf(Engine().manager.CurrentSkin(), name);
    };
    return images;
}

COLORREF SkinTransparentColour()
{
    return TransparentColourOf(Engine().manager.CurrentSkin());
}

bool DrawGridLeavingOut(HDC dc, const RECT& area, const NineGridImage& grid)
{
    if (grid.IsAbsent() || ::IsRectEmpty(&area))
        return false;
    const ImageResolver& images = CurrentSkinImages();
    return DrawLeavingOutColour(dc, area, SkinTransparentColour(),
                                [&](HDC buffer) { return DrawNineGridImage(buffer, area, grid, images); });
}

}  // namespace skin
