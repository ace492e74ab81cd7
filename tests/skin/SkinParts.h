// The image records of test skins: a slice or a nine-part grid of a named
// image, so that every test skin cuts its pictures the same way.
#pragma once

#include "skin/core/SkinRecords.h"

#include <cstring>

inline skin::ImageSlice Slice(const char* image, skin::SkinRect source, int32_t mode)
{
    skin::ImageSlice slice{};
    std::strcpy(slice.imageName, image);
    slice.source = source;
    slice.mode = mode;
    return slice;
}

// `source` cut by `margin` on every side; `fillMode` as the drawing code takes it.
inline skin::NineGridImage Grid(const char* image, skin::SkinRect source, int32_t margin, int32_t fillMode = 1)
{
    skin::NineGridImage grid{};
    std::strcpy(grid.imageName, image);
    grid.source = source;
    grid.marginLeft = grid.marginTop = grid.marginRight = grid.marginBottom = margin;
    grid.fillMode = fillMode;
    return grid;
}
