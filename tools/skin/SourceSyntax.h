// Words of the skin source shared by the compiler and the dump.
#pragma once

#include "skin/core/SkinRecords.h"

namespace skin {

// Draw modes of a slice by their source words.
inline const char* SliceModeWord(int32_t mode)
{
    switch (mode) {
    case kSliceCopy: return "copy";
    case kSliceTile: return "tile";
    case kSliceStretch: return "stretch";
    default: return nullptr;  // written as a number
    }
}

// Image format codes and the file extensions that stand for them.
inline const char* ImageExtension(uint32_t format)
{
    return format == 1 ? ".bmp" : format == 2 ? ".tga" : ".bin";
}

}  // namespace skin
