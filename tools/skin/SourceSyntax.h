// Words of the skin source shared by the compiler and the dump.
#pragma once

#include "skin/core/PlainObjects.h"
#include "skin/core/SkinRecords.h"

#include <cctype>
#include <string>

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
    return format == kImageBmp ? ".bmp" : format == kImageTga ? ".tga" : ".bin";
}

inline std::string LowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The format a path's extension stands for, compared without regard to case.
inline uint32_t FormatFromPath(const std::string& path)
{
    const std::string extension = LowerCase(path.size() >= 4 ? path.substr(path.size() - 4) : "");
    return extension == ".bmp" ? kImageBmp : extension == ".tga" ? kImageTga : kImageUnknown;
}

// The one-byte parts of a font named by a word after its face, height,
// weight and colour. A style (italic, underline, strikeout) may stand alone
// for 1; every other part is followed by its number.
struct FontByteOption {
    const char* word;
    uint8_t FontRecord::*field;
    bool isStyle;
};

constexpr FontByteOption kFontByteOptions[] = {
    {"italic", &FontRecord::italic, true},
    {"underline", &FontRecord::underline, true},
    {"strikeout", &FontRecord::strikeOut, true},
    {"charset", &FontRecord::charSet, false},
    {"quality", &FontRecord::quality, false},
    {"outprecision", &FontRecord::outPrecision, false},
    {"clipprecision", &FontRecord::clipPrecision, false},
    {"pitchandfamily", &FontRecord::pitchAndFamily, false},
};

// The 32-bit parts of a font named by a word and followed by their number.
struct FontNumberOption {
    const char* word;
    int32_t FontRecord::*field;
};

constexpr FontNumberOption kFontNumberOptions[] = {
    {"width", &FontRecord::width},
    {"escapement", &FontRecord::escapement},
    {"orientation", &FontRecord::orientation},
};

// The spare top byte of a colour (COLORREF 0xSSBBGGRR), written as the last
// two digits of #RRGGBBSS.
constexpr uint8_t SpareByte(Colour colour)
{
    return static_cast<uint8_t>(colour >> 24);
}

}  // namespace skin
