// The images of a loaded skin in their drawable form: each image of the
// skin's table is decoded on first use and kept with the skin, so that every
// window drawing with it shares one bitmap.
#pragma once

#include "skin/draw/SkinDraw.h"

namespace skin {

class Skin;

// The drawable bitmap of the named image of `skin`; null when the skin has
// no such image or it does not decode.
const CSkinBitmap* SkinBitmapOf(const Skin& skin, const std::string& imageName);

// A resolver over the images of `skin`, for the drawing functions.
ImageResolver ImagesOf(const Skin& skin);

// The colour that the images of `skin` leave out where what lies behind shows
// through (magenta when the skin names none), and whether windows are cut to
// the images' shape by it.
COLORREF TransparentColourOf(const Skin& skin);
bool CutsToTransparentColour(const Skin& skin);

}  // namespace skin
