// The fixed-size records in which skin objects keep their property values.
// They are stored byte for byte in skin files (little-endian, no padding),
// so their layout is part of the file format and must not change.
#pragma once

#include <cstdint>

namespace skin {

// A colour as Windows keeps it in a COLORREF: 0x00BBGGRR.
using Colour = uint32_t;

constexpr Colour MakeColour(uint8_t red, uint8_t green, uint8_t blue) {
    return Colour(red) | (Colour(green) << 8) | (Colour(blue) << 16);
}

// A skin colour as drawing takes it. Skin files keep a spare byte on top of
// every colour, which skins fill as they like (255 in text effects by
// default); to the system it would mean something else (0xFFFFFFFF is "no
// colour" to a list view), so it never goes further than the record.
constexpr Colour Rgb(Colour colour) { return colour & 0x00FFFFFF; }

struct SkinRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

// Property kinds, as stored in the property table of each object.
enum PropertyKind : int32_t {
    kFontProperty = 0,
    kTextProperty = 1,
    kColourProperty = 2,
    kSliceProperty = 3,
    kNineGridProperty = 4,
    kNumberProperty = 6,
    kControlIdProperty = 7,
    kTextEffectProperty = 9,
    // Not a property kind of the file: the kind of the unkeyed rectangle
    // fields (placement, frame layout) in an object's field table.
    kRectangleField = 16,
};

// Bytes of the value of each kind.
constexpr uint32_t KindSize(PropertyKind kind) {
    switch (kind) {
    case kFontProperty: return 64;
    case kTextProperty: return 51;
    case kColourProperty: return 4;
    case kSliceProperty: return 72;
    case kNineGridProperty: return 88;
    case kNumberProperty: return 4;
    case kControlIdProperty: return 4;
    case kTextEffectProperty: return 16;
    case kRectangleField: return 16;
    }
    return 0;
}

constexpr int kNameChars = 50;   // significant characters of a name
constexpr int kTextField = 51;   // bytes of a text field (name included)
constexpr int kImageNameField = 52;

// A LOGFONTA record (60 bytes) followed by the font's text colour.
struct FontRecord {
    int32_t height;
    int32_t width;
    int32_t escapement;
    int32_t orientation;
    int32_t weight;
    uint8_t italic;
    uint8_t underline;
    uint8_t strikeOut;
    uint8_t charSet;
    uint8_t outPrecision;
    uint8_t clipPrecision;
    uint8_t quality;
    uint8_t pitchAndFamily;
    char faceName[32];
    Colour textColour;
};

enum SliceMode : int32_t { kSliceCopy = 0, kSliceTile = 1, kSliceStretch = 2 };

// One rectangle of a named image, drawn by copying, tiling or stretching.
struct ImageSlice {
    char imageName[kImageNameField];
    SkinRect source;
    int32_t mode;  // SliceMode

    bool IsAbsent() const { return imageName[0] == '\0' || source.IsEmpty(); }
};

// A rectangle of a named image cut by four margins into nine parts.
struct NineGridImage {
    char imageName[kImageNameField];
    SkinRect source;
    int32_t marginLeft;
    int32_t marginTop;
    int32_t marginRight;
    int32_t marginBottom;
    int32_t fillMode;  // 1..8, see the drawing code

    bool IsAbsent() const { return imageName[0] == '\0' || source.IsEmpty(); }
};

// Colours and shadow of a text. Colours are stored red, green, blue and one
// spare byte, which is the COLORREF layout with the spare byte on top.
struct TextEffect {
    int8_t shadowX;
    int8_t shadowY;
    uint8_t reserved[2];
    Colour textColour;    // low three bytes are the colour; top byte defaults to 255
    Colour shadowColour;  // low three bytes are the colour
    uint32_t flags;       // bit 0: draw the shadow

    static constexpr uint32_t kDefaultFlags = 32772;
    static constexpr uint32_t kShadowFlag = 1;

    bool HasShadow() const { return (flags & kShadowFlag) != 0; }
    Colour TextRgb() const { return Rgb(textColour); }
    Colour ShadowRgb() const { return Rgb(shadowColour); }
};

static_assert(sizeof(SkinRect) == 16, "rectangle record is 16 bytes");
static_assert(sizeof(FontRecord) == 64, "font record is 64 bytes");
static_assert(sizeof(ImageSlice) == 72, "image slice record is 72 bytes");
static_assert(sizeof(NineGridImage) == 88, "nine-grid record is 88 bytes");
static_assert(sizeof(TextEffect) == 16, "text-effect record is 16 bytes");

}  // namespace skin
