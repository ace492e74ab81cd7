// What every skinned part draws with, read from a loaded skin: its images in
// drawable form, its transparent colour and its objects as their own types.
// Each image of the skin's table is decoded on first use and kept with the
// skin, so that every window drawing with it shares one bitmap.
#pragma once

#include "skin/core/Skin.h"
#include "skin/draw/SkinDraw.h"

namespace skin {

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

// `object` as the class of its type; null for none or an object of another type.
template <typename Object>
const Object* ObjectAs(const SkinObject* object)
{
    return dynamic_cast<const Object*>(object);
}

// The default object of `type` in `skin` as the class of that type; null for none.
template <typename Object>
const Object* DefaultObjectAs(const Skin& skin, int32_t type)
{
    return ObjectAs<Object>(skin.DefaultObject(type));
}

}  // namespace skin
