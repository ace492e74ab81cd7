// The top-left pixel of a skin grid: drawn unscaled at the top left corner
// of whatever the grid frames.
#pragma once

#include "skin/core/PlainObjects.h"
#include "skin/core/Skin.h"
#include "skin/image/CxImage.h"
#include "support/PixelCanvas.h"

inline COLORREF CornerOf(const skin::Skin& skin, const skin::NineGridImage& grid)
{
    const skin::SkinImage* image = skin.FindImage(grid.imageName);
    if (!image)
        return CLR_INVALID;
    const CxImage decoded(image->Encoded().data(), image->Encoded().size(), image->Format());
    if (!decoded.IsValid())
        return CLR_INVALID;
    return DibPixelColour(decoded.GetBits()[size_t(grid.source.top) * decoded.GetWidth() + grid.source.left]);
}
