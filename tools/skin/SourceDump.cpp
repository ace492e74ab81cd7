#include "tools/skin/SkinSource.h"

#include "skin/core/PlainObjects.h"
#include "tools/skin/SourceSyntax.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <set>
#include <sstream>

namespace skin {

namespace {

std::string Quoted(const char* text)
{
    std::string out = "\"";
    for (const char* c = text; *c; ++c) {
        const unsigned char byte = static_cast<unsigned char>(*c);
        if (*c == '"' || *c == '\\') {
            out += '\\';
            out += *c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        } else {
            out += *c;
        }
    }
    return out + "\"";
}

std::string Rgb(Colour colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return text;
}

std::string RectText(const SkinRect& rect)
{
    return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " + std::to_string(rect.right) + " " +
           std::to_string(rect.bottom);
}

std::string FontText(const FontRecord& font)
{
    std::string text = "font " + Quoted(font.faceName) + " " + std::to_string(font.height) + " " +
                       std::to_string(font.weight) + " " + Rgb(font.textColour);
    if (font.italic)
        text += " italic";
    if (font.underline)
        text += " underline";
    if (font.strikeOut)
        text += " strikeout";
    return text + " charset " + std::to_string(font.charSet) + " quality " + std::to_string(font.quality);
}

std::string EffectText(const TextEffect& effect)
{
    return "effect " + Rgb(effect.textColour) + " shadow " + Rgb(effect.shadowColour) + " offset " +
           std::to_string(effect.shadowX) + " " + std::to_string(effect.shadowY) + " flags " +
           std::to_string(effect.flags);
}

template <typename Record>
bool IsZero(const Record& record)
{
    const Record zero = {};
    return std::memcmp(&record, &zero, sizeof record) == 0;
}

std::string SliceText(const ImageSlice& slice)
{
    if (IsZero(slice))
        return "none";
    const char* mode = SliceModeWord(slice.mode);
    return "slice " + Quoted(slice.imageName) + " " + RectText(slice.source) + " " +
           (mode ? mode : std::to_string(slice.mode));
}

std::string GridText(const NineGridImage& grid)
{
    if (IsZero(grid))
        return "none";
    return "grid " + Quoted(grid.imageName) + " " + RectText(grid.source) + " margins " +
           std::to_string(grid.marginLeft) + " " + std::to_string(grid.marginTop) + " " +
           std::to_string(grid.marginRight) + " " + std::to_string(grid.marginBottom) + " fill " +
           std::to_string(grid.fillMode);
}

std::string ValueText(const SkinProperty& property)
{
    const void* value = property.value;
    switch (property.kind) {
    case kFontProperty: return FontText(*static_cast<const FontRecord*>(value));
    case kTextProperty: return Quoted(static_cast<const char*>(value));
    case kColourProperty: return Rgb(*static_cast<const Colour*>(value));
    case kSliceProperty: return SliceText(*static_cast<const ImageSlice*>(value));
    case kNineGridProperty: return GridText(*static_cast<const NineGridImage*>(value));
    case kNumberProperty: return std::to_string(*static_cast<const int32_t*>(value));
    case kControlIdProperty: return std::to_string(*static_cast<const uint32_t*>(value));
    case kTextEffectProperty: return EffectText(*static_cast<const TextEffect*>(value));
    case kRectangleField: return RectText(*static_cast<const SkinRect*>(value));
    }
    return "";
}

std::string TypeWord(int32_t typeId)
{
    const char* name = TypeName(typeId);
    return name ? name : std::to_string(typeId);
}

void DumpObject(std::ostringstream& out, const SkinObject& object, const std::string& indent)
{
    out << indent << "object " << TypeWord(object.TypeId()) << " " << Quoted(object.Name().c_str()) << " {\n";
    const std::string inner = indent + "    ";
    for (const SkinProperty& property : object.Properties()) {
        if (std::string(property.key) != "NAME")
            out << inner << property.key << " = " << ValueText(property) << "\n";
    }
    for (const SkinProperty& field : object.Fields())
        out << inner << field.key << " = " << ValueText(field) << "\n";
    for (const auto& child : object.Children())
        DumpObject(out, *child.second, inner);
    out << indent << "}\n";
}

// A file name made of the image's name, kept to harmless characters and
// made unique among the images of the dump.
std::string ImagePath(const SkinImage& image, std::set<std::string>& taken)
{
    std::string stem;
    for (char c : image.Name())
        stem += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c : '_';
    if (stem.empty())
        stem = "image";
    std::string path = "images/" + stem + ImageExtension(image.Format());
    for (int n = 2; !taken.insert(path).second; ++n)
        path = "images/" + stem + "-" + std::to_string(n) + ImageExtension(image.Format());
    return path;
}

}  // namespace

std::string DumpSkinSource(const Skin& skin, const ImageSaver& saveImage)
{
    std::ostringstream out;
    out << "# Every value of every object; compiling this gives the same skin.\n";
    out << "skin " << int(skin.Major()) << "." << int(skin.Minor()) << "\n";
    if (!skin.Images().empty())
        out << "\n";
    std::set<std::string> taken;
    for (const auto& entry : skin.Images()) {
        const auto& image = static_cast<const SkinImage&>(*entry.second);
        const std::string path = ImagePath(image, taken);
        saveImage(path, std::vector<uint8_t>(image.Encoded().begin(), image.Encoded().end()));
        out << "image " << Quoted(image.Name().c_str()) << " " << Quoted(path.c_str());
        if (image.Format() != kImageBmp && image.Format() != kImageTga)
            out << " format " << image.Format();
        out << "\n";
    }
    for (const auto& entry : skin.Voices())
        out << "voice " << Quoted(entry.first.c_str()) << "\n";
    for (const auto& entry : skin.Objects()) {
        out << "\n";
        DumpObject(out, *entry.second, "");
    }
    return out.str();
}

}  // namespace skin
