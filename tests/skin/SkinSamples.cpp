#include "SkinSamples.h"

#include "skin/core/FrameObjects.h"
#include "skin/core/PlainObjects.h"
#include "skin/core/SkinStream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace skintest {

using namespace skin;

std::vector<int32_t> TopLevelTypes()
{
    std::vector<int32_t> types;
    for (int32_t id = 0; id <= kTypeUnnamedControl; ++id) {
        if (id != kTypeCaptionButton && CreateSkinObject(id))
            types.push_back(id);
    }
    return types;
}

namespace {

// A spare top byte other than 0, which new colours have.
Colour WithSpareByte(Colour colour, int seed)
{
    return colour | Colour(0x80 + seed % 0x80) << 24;
}

void FillValue(const SkinProperty& property, int seed)
{
    const uint8_t s = static_cast<uint8_t>(seed);
    const std::string image = "image" + std::to_string(seed % 2);
    const SkinRect rect{s + 1, s + 2, s + 30, s + 40};
    void* value = property.value;
    switch (property.kind) {
    case kFontProperty: {
        FontRecord font = {};
        font.height = -10 - seed % 7;
        font.width = 1 + seed % 5;
        font.escapement = 10 * seed;
        font.orientation = -seed;
        font.weight = 700;
        font.italic = 1;
        font.underline = static_cast<uint8_t>(2 + seed % 250);  // any byte, not only 1
        font.strikeOut = 255;
        font.charSet = s;
        // Zero precisions differ from the defaults as much as any others.
        font.outPrecision = seed % 2 ? 0 : 7;
        font.clipPrecision = seed % 2 ? 0 : 4;
        font.quality = 4;
        font.pitchAndFamily = static_cast<uint8_t>(0x30 + seed % 3);
        CopyText(font.faceName, sizeof font.faceName, "Face" + std::to_string(seed));
        font.textColour = WithSpareByte(MakeColour(s, 1, 2), seed);
        *static_cast<FontRecord*>(value) = font;
        break;
    }
    case kTextProperty: CopyText(static_cast<char*>(value), kTextField, "text " + std::to_string(seed)); break;
    case kColourProperty: *static_cast<Colour*>(value) = WithSpareByte(MakeColour(s, 100, 3), seed); break;
    case kSliceProperty: {
        ImageSlice slice = {};
        CopyText(slice.imageName, sizeof slice.imageName, image);
        slice.source = rect;
        slice.mode = seed % 3;
        *static_cast<ImageSlice*>(value) = slice;
        break;
    }
    case kNineGridProperty: {
        NineGridImage grid = {};
        CopyText(grid.imageName, sizeof grid.imageName, image);
        grid.source = rect;
        grid.marginLeft = 1;
        grid.marginTop = 2;
        grid.marginRight = 3;
        grid.marginBottom = 4;
        grid.fillMode = 1 + seed % 8;
        *static_cast<NineGridImage*>(value) = grid;
        break;
    }
    case kNumberProperty: *static_cast<int32_t*>(value) = 1000 + seed; break;
    case kControlIdProperty: *static_cast<uint32_t*>(value) = 2000u + s; break;
    case kTextEffectProperty: {
        // Spare bytes unlike those of any new effect (255 or 0, and 0).
        TextEffect effect = {};
        effect.shadowX = 2;
        effect.shadowY = -1;
        effect.textColour = MakeColour(s, 7, 8) | 0x7F000000u;
        effect.shadowColour = MakeColour(9, s, 10) | 0x3C000000u;
        effect.flags = 32773u + s;
        *static_cast<TextEffect*>(value) = effect;
        break;
    }
    case kRectangleField: *static_cast<SkinRect*>(value) = rect; break;
    }
}

}  // namespace

void FillValues(SkinObject& object, int seed)
{
    for (const SkinProperty& property : object.Properties()) {
        if (std::strcmp(property.key, "NAME") != 0)
            FillValue(property, seed++);
    }
    for (const SkinProperty& field : object.Fields())
        FillValue(field, seed++);
}

namespace {

std::vector<uint8_t> SampleBytes(size_t size, int salt)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 13 + salt);
    return bytes;
}

// An object with every value filled from `seed`, which moves on; an image
// also gets bytes, in a format code no decoder knows.
SkinObjectPtr SampleObject(int32_t type, const std::string& name, int& seed)
{
    SkinObjectPtr object = CreateSkinObject(type);
    object->SetName(name);
    FillValues(*object, seed);
    if (type == kTypeImage)
        static_cast<SkinImage&>(*object).SetEncoded(SampleBytes(20 + seed % 7, seed), 7);
    seed += 50;
    return object;
}

// Writers leave the common values of table entries at their defaults, as
// the first image and voice have them; a reader keeps whatever a file holds.
void GiveValuesAndAChild(SkinObject& entry, int& seed)
{
    FillValues(entry, seed);
    seed += 50;
    entry.AddChild(SampleObject(kTypeCaptionButton, "Inside", seed));
}

}  // namespace

std::unique_ptr<Skin> MakeSampleSkin()
{
    auto sample = std::make_unique<Skin>();
    int seed = 1;
    for (int32_t type : TopLevelTypes()) {
        SkinObjectPtr object = SampleObject(type, TypeName(type) ? TypeName(type) : "Unnamed" + std::to_string(type), seed);
        if (type == kTypeFrameWnd) {
            for (int32_t childType : {kTypeCaptionButton, kTypeCaptionStatic, kTypeImage, kTypeVoice})
                object->AddChild(SampleObject(childType, TypeName(childType), seed));
        }
        sample->AddObject(std::move(object));
    }
    for (uint32_t format : {kImageBmp, kImageTga}) {
        auto image = std::make_unique<SkinImage>();
        image->SetName("image" + std::to_string(format - 1));
        image->SetEncoded(SampleBytes(37 * format, static_cast<int>(format)), format);
        if (format == kImageTga)
            GiveValuesAndAChild(*image, seed);
        sample->AddImage(std::move(image));
    }
    auto click = std::make_unique<SkinObject>(kTypeVoice);
    click->SetName("click");
    sample->AddVoice(std::move(click));
    auto hum = std::make_unique<SkinObject>(kTypeVoice);
    hum->SetName("hum");
    GiveValuesAndAChild(*hum, seed);
    sample->AddVoice(std::move(hum));
    return sample;
}

namespace {

std::string CompareTables(const std::vector<SkinProperty>& expected, const std::vector<SkinProperty>& actual,
                          const std::string& where)
{
    if (expected.size() != actual.size())
        return where + ": value tables differ in size";
    for (size_t i = 0; i < expected.size(); ++i) {
        if (std::strcmp(expected[i].key, actual[i].key) != 0 || expected[i].kind != actual[i].kind)
            return where + ": value " + expected[i].key + " is not " + actual[i].key;
        if (std::memcmp(expected[i].value, actual[i].value, expected[i].size) != 0)
            return where + ": " + expected[i].key + " differs";
    }
    return "";
}

std::string CompareMaps(const SkinObjectMap& expected, const SkinObjectMap& actual, const std::string& where)
{
    if (expected.size() != actual.size())
        return where + ": " + std::to_string(actual.size()) + " entries, expected " + std::to_string(expected.size());
    for (auto e = expected.begin(), a = actual.begin(); e != expected.end(); ++e, ++a) {
        const std::string difference = FirstDifference(*e->second, *a->second);
        if (!difference.empty())
            return where + "/" + difference;
    }
    return "";
}

}  // namespace

std::string FirstDifference(const SkinObject& expected, const SkinObject& actual)
{
    const std::string where = expected.Name();
    if (expected.TypeId() != actual.TypeId() || expected.Name() != actual.Name())
        return where + ": found " + actual.Name() + " of type " + std::to_string(actual.TypeId());
    std::string difference = CompareTables(expected.Properties(), actual.Properties(), where);
    if (difference.empty())
        difference = CompareTables(expected.Fields(), actual.Fields(), where);
    if (difference.empty())
        difference = CompareMaps(expected.Children(), actual.Children(), where);
    if (difference.empty() && expected.TypeId() == kTypeImage) {
        const auto& e = static_cast<const SkinImage&>(expected);
        const auto& a = static_cast<const SkinImage&>(actual);
        if (e.Encoded() != a.Encoded() || e.Format() != a.Format())
            difference = where + ": image bytes or format differ";
    }
    return difference;
}

std::string FirstDifference(const Skin& expected, const Skin& actual)
{
    std::string difference = CompareMaps(expected.Objects(), actual.Objects(), "objects");
    if (difference.empty())
        difference = CompareMaps(expected.Images(), actual.Images(), "images");
    if (difference.empty())
        difference = CompareMaps(expected.Voices(), actual.Voices(), "voices");
    return difference;
}

void AppendUint32(std::vector<uint8_t>& bytes, uint32_t value)
{
    ByteWriter(bytes).WriteUint32(value);
}

std::vector<uint8_t> BodyWithObjects(uint8_t minor, const std::vector<SkinObject*>& objects,
                                     uint32_t announcedCount)
{
    const SkinHeader header = MakeHeader(kMajorVersion, minor, announcedCount);
    std::vector<uint8_t> body(header.begin(), header.end());
    ByteWriter writer(body);
    RecordIo io(writer, minor);
    for (SkinObject* object : objects) {
        writer.WriteUint32(static_cast<uint32_t>(object->TypeId()));
        object->Exchange(io);
    }
    return body;
}

std::vector<uint8_t> TinyObjectsBody(uint32_t count, TinyPlace place)
{
    constexpr uint8_t kShortestRecords = 0;
    SkinObject shape(kTypeShapeWnd);
    SkinObject voice(kTypeVoice);
    SkinImage image;
    const bool children = place == TinyPlace::kChildren;
    std::vector<uint8_t> body = BodyWithObjects(kShortestRecords, children ? std::vector<SkinObject*>{&shape} : std::vector<SkinObject*>{},
                                                place == TinyPlace::kTopLevel ? count : children ? 1 : 0);
    if (children)
        std::memcpy(&body[body.size() - 4], &count, 4);  // the shape's child count ends its record
    if (place == TinyPlace::kImages)
        AppendUint32(body, count);
    SkinObject& tiny = place == TinyPlace::kImages ? image : children ? voice : shape;
    const std::vector<uint8_t> record = BodyWithObjects(kShortestRecords, {&tiny}, 1);
    body.reserve(body.size() + size_t(count) * (record.size() - kHeaderSize) + 8);
    for (uint32_t i = 0; i < count; ++i) {
        const size_t at = body.size();
        body.insert(body.end(), record.begin() + kHeaderSize, record.end());
        std::snprintf(reinterpret_cast<char*>(&body[at + 4]), kTextField, "t%u", i);
    }
    if (place != TinyPlace::kImages)
        AppendUint32(body, 0);  // images
    AppendUint32(body, 0);      // voices
    return body;
}

void ReplaceText(std::vector<uint8_t>& bytes, const std::string& from, const std::string& to)
{
    auto at = bytes.begin();
    while ((at = std::search(at, bytes.end(), from.begin(), from.end())) != bytes.end())
        at = std::copy(to.begin(), to.end(), at);
}

namespace {

std::vector<uint8_t> ManyObjects()
{
    return BodyWithObjects(16, {}, 0xFFFFFFFF);
}

std::vector<uint8_t> ManyChildren()
{
    std::vector<uint8_t> body = BodyWithObjects(16, {}, 1);
    AppendUint32(body, kTypeStatic);
    body.insert(body.end(), 51 + 3 * 4 + 51 + 4 + 16 + 4, 0);  // the common record up to its child count
    AppendUint32(body, 0xFFFFFFFF);
    for (int i = 0; i < 1000; ++i)
        AppendUint32(body, kTypeMenuBar);  // children the reader does not know
    return body;
}

std::vector<uint8_t> ManyImages()
{
    std::vector<uint8_t> body = BodyWithObjects(16, {}, 0);
    AppendUint32(body, 0xFFFFFFFF);
    AppendUint32(body, kTypeImage);
    return body;
}

std::vector<uint8_t> LongImage()
{
    std::vector<uint8_t> body = BodyWithObjects(16, {}, 0);
    AppendUint32(body, 1);
    SkinImage image;
    image.SetName("long");
    image.SetEncoded(std::vector<uint8_t>(10, 7), kImageBmp);
    std::vector<uint8_t> record = BodyWithObjects(16, {&image}, 1);
    body.insert(body.end(), record.begin() + kHeaderSize, record.end());
    std::fill(body.end() - 18, body.end() - 14, 0xFF);  // the length before the format and the bytes
    return body;
}

}  // namespace

std::vector<HostileBody> HostileBodies()
{
    return {{"objects", ManyObjects()}, {"children", ManyChildren()}, {"images", ManyImages()}, {"imageLength", LongImage()}};
}

}  // namespace skintest
