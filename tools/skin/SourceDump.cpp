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

// Six digits when the spare top byte is the one a six-digit colour stands
// for there, else eight.
std::string ColourText(Colour colour, uint8_t impliedSpare = 0)
{
    char text[10];
    if (SpareByte(colour) == impliedSpare)
        std::snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    else
        std::snprintf(text, sizeof text, "#%02X%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
                      (colour >> 16) & 0xFF, SpareByte(colour));
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
                       std::to_string(font.weight) + " " + ColourText(font.textColour);
    for (const FontByteOption& option : kFontByteOptions) {
        const uint8_t value = font.*option.field;
        if (!option.isStyle || value > 1)
            text += std::string(" ") + option.word + " " + std::to_string(value);
        else if (value == 1)
            text += std::string(" ") + option.word;
    }
    for (const FontNumberOption& option : kFontNumberOptions)
        text += std::string(" ") + option.word + " " + std::to_string(font.*option.field);
    return text;
}

// A six-digit colour keeps the spare byte the effect starts with, which is
// `initial`'s.
std::string EffectText(const TextEffect& effect, const TextEffect& initial)
{
    return "effect " + ColourText(effect.textColour, SpareByte(initial.textColour)) + " shadow " +
           ColourText(effect.shadowColour, SpareByte(initial.shadowColour)) + " offset " +
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

// `initial` is the same value of a new object of the type, which is where
// compiling starts from.
std::string ValueText(const SkinProperty& property, const SkinProperty& initial)
{
    const void* value = property.value;
    switch (property.kind) {
    case kFontProperty: return FontText(*static_cast<const FontRecord*>(value));
    case kTextProperty: return Quoted(static_cast<const char*>(value));
    case kColourProperty: return ColourText(*static_cast<const Colour*>(value));
    case kSliceProperty: return SliceText(*static_cast<const ImageSlice*>(value));
    case kNineGridProperty: return GridText(*static_cast<const NineGridImage*>(value));
    case kNumberProperty: return std::to_string(*static_cast<const int32_t*>(value));
    case kControlIdProperty: return std::to_string(*static_cast<const uint32_t*>(value));
    case kTextEffectProperty:
        return EffectText(*static_cast<const TextEffect*>(value), *static_cast<const TextEffect*>(initial.value));
    case kRectangleField: return RectText(*static_cast<const SkinRect*>(value));
    }
    return "";
}

std::string TypeWord(int32_t typeId)
{
    const char* name = TypeName(typeId);
    return name ? name : std::to_string(typeId);
}

bool IsName(const SkinProperty& property)
{
    return std::strcmp(property.key, "NAME") == 0;
}

// Both objects are of one type, so their tables list the same values in
// the same order.
bool SameValues(const std::vector<SkinProperty>& values, const std::vector<SkinProperty>& initial)
{
    for (size_t i = 0; i < values.size(); ++i) {
        if (!IsName(values[i]) && std::memcmp(values[i].value, initial[i].value, values[i].size) != 0)
            return false;
    }
    return true;
}

// Writes the source of a skin and hands its images to the saver.
class SourceWriter {
public:
    explicit SourceWriter(const ImageSaver& saveImage) : m_saveImage(saveImage) {}

    std::string Write(const Skin& skin)
    {
        m_out << "# Every value of every object; compiling this gives the same skin.\n";
        m_out << "skin " << int(skin.Major()) << "." << int(skin.Minor()) << "\n";
        if (!skin.Images().empty() || !skin.Voices().empty())
            m_out << "\n";
        for (const auto& entry : skin.Images()) {
            m_out << "image " << Quoted(entry.first.c_str()) << ImageFile(static_cast<const SkinImage&>(*entry.second));
            TableEntryValues(*entry.second);
        }
        for (const auto& entry : skin.Voices()) {
            m_out << "voice " << Quoted(entry.first.c_str());
            TableEntryValues(*entry.second);
        }
        for (const auto& entry : skin.Objects()) {
            m_out << "\n";
            Object(*entry.second, "");
        }
        return m_out.str();
    }

private:
    // Writers of the format leave the common values of table entries at
    // their defaults; a block follows only when a file holds others.
    void TableEntryValues(const SkinObject& entry)
    {
        const SkinObjectPtr initial = CreateSkinObject(entry.TypeId());
        if (entry.Children().empty() && SameValues(entry.Properties(), initial->Properties()) &&
            SameValues(entry.Fields(), initial->Fields())) {
            m_out << "\n";
            return;
        }
        m_out << " {\n";
        Block(entry, *initial, "");
    }

    void Object(const SkinObject& object, const std::string& indent)
    {
        m_out << indent << "object " << TypeWord(object.TypeId()) << " " << Quoted(object.Name().c_str());
        if (object.TypeId() == kTypeImage)
            m_out << ImageFile(static_cast<const SkinImage&>(object));
        m_out << " {\n";
        Block(object, *CreateSkinObject(object.TypeId()), indent);
    }

    // Every value but the name, the children, and the closing brace.
    void Block(const SkinObject& object, const SkinObject& initial, const std::string& indent)
    {
        const std::string inner = indent + "    ";
        for (size_t i = 0; i < object.Properties().size(); ++i) {
            const SkinProperty& property = object.Properties()[i];
            if (!IsName(property))
                m_out << inner << property.key << " = " << ValueText(property, initial.Properties()[i]) << "\n";
        }
        for (size_t i = 0; i < object.Fields().size(); ++i) {
            const SkinProperty& field = object.Fields()[i];
            m_out << inner << field.key << " = " << ValueText(field, initial.Fields()[i]) << "\n";
        }
        for (const auto& child : object.Children())
            Object(*child.second, inner);
        m_out << indent << "}\n";
    }

    // Saves the image's bytes and gives ` "path"`, with ` format N` when the
    // path's extension does not stand for the image's format.
    std::string ImageFile(const SkinImage& image)
    {
        const std::string path = ImagePath(image);
        m_saveImage(path, std::vector<uint8_t>(image.Encoded().begin(), image.Encoded().end()));
        std::string text = " " + Quoted(path.c_str());
        if (FormatFromPath(path) != image.Format())
            text += " format " + std::to_string(image.Format());
        return text;
    }

    // A file name made of the image's name, kept to harmless characters and
    // unique among the images of the dump, also where case does not count.
    std::string ImagePath(const SkinImage& image)
    {
        std::string stem;
        for (char c : image.Name())
            stem += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c : '_';
        if (stem.empty())
            stem = "image";
        const std::string extension = ImageExtension(image.Format());
        std::string path = "images/" + stem + extension;
        for (int n = 2; !m_taken.insert(LowerCase(path)).second; ++n)
            path = "images/" + stem + "-" + std::to_string(n) + extension;
        return path;
    }

    const ImageSaver& m_saveImage;
    std::ostringstream m_out;
    std::set<std::string> m_taken;
};

}  // namespace

std::string DumpSkinSource(const Skin& skin, const ImageSaver& saveImage)
{
    return SourceWriter(saveImage).Write(skin);
}

}  // namespace skin
