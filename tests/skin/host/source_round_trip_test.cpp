// The skin source: a dump compiles back into the same skin at every
// version, and mistakes in a source are reported with their line.
#include "SkinSamples.h"

#include "skin/core/ControlObjects.h"
#include "skin/core/FrameObjects.h"
#include "skin/core/PlainObjects.h"
#include "tools/skin/SkinSource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <stdexcept>
#include <tuple>

namespace {

using namespace skin;

using ImageFiles = std::map<std::string, std::vector<uint8_t>>;

std::string Dump(const Skin& skin, ImageFiles& files)
{
    return DumpSkinSource(skin, [&files](const std::string& path, const std::vector<uint8_t>& bytes) {
        files[path] = bytes;
    });
}

void Compile(const std::string& source, const ImageFiles& files, Skin& skin)
{
    CompileSkinSource(source, [&files](const std::string& path) { return files.at(path); }, skin);
}

// A file read, dumped and compiled gives the same objects, values and
// images, and the compiled skin's file dumps as the first one did.
void ExpectExactRoundTrip(const std::vector<uint8_t>& file, uint8_t minor)
{
    Skin read;
    ASSERT_TRUE(read.ReadBytes(file.data(), file.size()));
    ImageFiles files;
    const std::string source = Dump(read, files);
    Skin compiled;
    Compile(source, files, compiled);
    EXPECT_EQ(minor, compiled.Minor());
    EXPECT_EQ("", skintest::FirstDifference(read, compiled));

    const std::vector<uint8_t> again = compiled.WriteBytes(minor);
    EXPECT_EQ(read.WriteBytes(minor), again);
    Skin reread;
    ASSERT_TRUE(reread.ReadBytes(again.data(), again.size()));
    ImageFiles filesAgain;
    EXPECT_EQ(source, Dump(reread, filesAgain));
    EXPECT_EQ(files, filesAgain);
}

class SourceRoundTripTest : public ::testing::TestWithParam<int> {};

TEST_P(SourceRoundTripTest, CompilingADumpGivesTheSameSkin)
{
    const uint8_t minor = static_cast<uint8_t>(GetParam());
    ExpectExactRoundTrip(skintest::MakeSampleSkin()->WriteBytes(minor), minor);
}

INSTANTIATE_TEST_SUITE_P(EveryMinorVersion, SourceRoundTripTest, ::testing::Range(0, 17));

// Values a source once had no words for, and the places in a file where the
// reading rules put Image and Voice objects, one in each row.
enum Place { kTopLevel, kChildOfFrame, kChildOfImage, kImageEntry, kVoiceEntry, kChildOfVoiceEntry };

struct FieldRow {
    const char* name;
    Place place;
    int32_t type;
    const char* key;
    std::function<void(void* value)> change;
};

template <typename Record>
std::function<void(void*)> Change(void (*change)(Record&))
{
    return [change](void* value) { change(*static_cast<Record*>(value)); };
}

std::function<void(void*)> SetColour(Colour colour)
{
    return [colour](void* value) { *static_cast<Colour*>(value) = colour; };
}

std::function<void(void*)> SetNumber(int32_t number)
{
    return [number](void* value) { *static_cast<int32_t*>(value) = number; };
}

const FieldRow kFieldRows[] = {
    {"ZeroPrecisions", kTopLevel, kTypeFrameWnd, "CAPTIONFONT",
     Change<FontRecord>([](FontRecord& font) { font.outPrecision = font.clipPrecision = 0; })},
    {"WidthEscapementOrientation", kTopLevel, kTypeStatic, "FONT", Change<FontRecord>([](FontRecord& font) {
         font.width = 7;
         font.escapement = 900;
         font.orientation = -450;
     })},
    {"PitchAndStyleBytes", kTopLevel, kTypeButton, "FONT", Change<FontRecord>([](FontRecord& font) {
         font.pitchAndFamily = 0x22;
         font.italic = 2;
         font.underline = 255;
         font.strikeOut = 1;
     })},
    {"ZeroQualityAndCharset", kTopLevel, kTypeStatusBar, "ITEM.FONT",
     Change<FontRecord>([](FontRecord& font) { font.quality = 0, font.charSet = 238; })},
    {"FontOfACaptionElement", kChildOfFrame, kTypeCaptionStatic, "FONT",
     Change<FontRecord>([](FontRecord& font) { font.width = -4, font.outPrecision = 0; })},
    {"FontColourSpareByte", kTopLevel, kTypePopupMenu, "ITEM.FONT",
     Change<FontRecord>([](FontRecord& font) { font.textColour = 0x01020304; })},
    {"WhiteWithItsSpareByte", kTopLevel, kTypeStatic, "BACKCOLOR", SetColour(0xFFFFFFFF)},
    {"SystemColourSpareByte", kTopLevel, kTypeSysColorTable, "HIGHLIGHT", SetColour(0x80123456)},
    {"TransparentColourSpareByte", kTopLevel, kTypeApplication, "@third", SetColour(0x01FF00FF)},
    {"DisabledFieldSpareByte", kTopLevel, kTypeEdit, "DISABLEDCOLOR", SetColour(0x40C0C0C0)},
    {"EffectSpareBytes", kTopLevel, kTypeStatic, "TEXTEFFECT", Change<TextEffect>([](TextEffect& effect) {
         effect.textColour &= 0x00FFFFFF;
         effect.shadowColour |= 0xFF000000;
     })},
    {"DisabledEffectSpareByte", kTopLevel, kTypeStatic, "@disabledeffect",
     Change<TextEffect>([](TextEffect& effect) { effect.textColour = 0xFF000080; })},
    {"ImageAtTheTopLevel", kTopLevel, kTypeImage, "@note",
     [](void* value) { CopyText(static_cast<char*>(value), kTextField, "stray"); }},
    {"ImageChildOfAFrame", kChildOfFrame, kTypeImage, "@back", SetColour(0x11223344)},
    {"ImageChildOfAnImage", kChildOfImage, kTypeImage, "AUTOPLACE", SetNumber(1)},
    {"VoiceAtTheTopLevel", kTopLevel, kTypeVoice, "@value", SetNumber(-3)},
    {"VoiceChildOfAFrame", kChildOfFrame, kTypeVoice, "@placement",
     [](void* value) { *static_cast<SkinRect*>(value) = {-1, 2, 30, 40}; }},
    {"ImageEntryValues", kImageEntry, kTypeImage, "@text", SetColour(0x00ABCDEF)},
    {"VoiceEntryValues", kVoiceEntry, kTypeVoice, "AUTOPLACE", SetNumber(5)},
    {"ChildOfAVoiceEntry", kChildOfVoiceEntry, kTypeCaptionButton, "ACTION", SetNumber(3)},
};

const SkinProperty& ValueOf(const SkinObject& object, const char* key)
{
    const SkinProperty* value = key[0] == '@' ? object.FindField(key) : object.FindProperty(key);
    if (!value)
        throw std::logic_error(std::string("no value ") + key);
    return *value;
}

SkinObjectPtr NewObject(int32_t type, const char* name)
{
    SkinObjectPtr object = CreateSkinObject(type);
    object->SetName(name);
    if (type == kTypeImage)
        static_cast<SkinImage&>(*object).SetEncoded({1, 2, 3, 4, 5}, 9);
    return object;
}

// A skin holding the row's object, with the row's value, where the row puts it.
std::unique_ptr<Skin> SkinWithRow(const FieldRow& row)
{
    auto skin = std::make_unique<Skin>();
    SkinObjectPtr object = NewObject(row.type, "Changed");
    row.change(ValueOf(*object, row.key).value);
    switch (row.place) {
    case kTopLevel: skin->AddObject(std::move(object)); break;
    case kChildOfFrame:
    case kChildOfImage: {
        SkinObjectPtr parent = NewObject(row.place == kChildOfFrame ? kTypeFrameWnd : kTypeImage, "Parent");
        parent->AddChild(std::move(object));
        skin->AddObject(std::move(parent));
        break;
    }
    case kImageEntry: skin->AddImage(std::unique_ptr<SkinImage>(static_cast<SkinImage*>(object.release()))); break;
    case kVoiceEntry: skin->AddVoice(std::move(object)); break;
    case kChildOfVoiceEntry: {
        SkinObjectPtr voice = NewObject(kTypeVoice, "Parent");
        voice->AddChild(std::move(object));
        skin->AddVoice(std::move(voice));
        break;
    }
    }
    return skin;
}

class FieldRoundTripTest : public ::testing::TestWithParam<std::tuple<FieldRow, int>> {};

TEST_P(FieldRoundTripTest, CompilingADumpGivesTheSameSkin)
{
    const uint8_t minor = static_cast<uint8_t>(std::get<1>(GetParam()));
    ExpectExactRoundTrip(SkinWithRow(std::get<0>(GetParam()))->WriteBytes(minor), minor);
}

INSTANTIATE_TEST_SUITE_P(Rows, FieldRoundTripTest,
                         ::testing::Combine(::testing::ValuesIn(kFieldRows), ::testing::Range(0, 17)),
                         [](const ::testing::TestParamInfo<FieldRoundTripTest::ParamType>& info) {
                             return std::string(std::get<0>(info.param).name) + "_1_" +
                                    std::to_string(std::get<1>(info.param));
                         });

// The rows test what they claim only when the newest version carries each
// value unlike a new object's.
TEST(FieldRoundTripRows, HoldValuesOtherThanTheDefaults)
{
    for (const FieldRow& row : kFieldRows) {
        const std::vector<uint8_t> file = SkinWithRow(row)->WriteBytes(kNewestMinor);
        Skin read;
        ASSERT_TRUE(read.ReadBytes(file.data(), file.size()));
        // The lookup by name searches the tree and the tables, not the
        // children of voices.
        const SkinObject* object = row.place == kChildOfVoiceEntry
                                       ? read.Voices().at("Parent")->Children().at("Changed").get()
                                       : read.FindObject("Changed");
        ASSERT_NE(nullptr, object) << row.name;
        const SkinProperty& value = ValueOf(*object, row.key);
        const SkinObjectPtr fresh = CreateSkinObject(row.type);
        EXPECT_NE(0, std::memcmp(value.value, ValueOf(*fresh, row.key).value, value.size)) << row.name;
    }
}

TEST(SkinSourceTest, ListsOnlyWhatDiffersFromTheDefaults)
{
    const std::string source = R"(skin 1.12   # older readers
image "frame" "images/frame.tga"
image "raw" "raw.bmp" format 0
object FrameWnd "MainDialog" {
    CAPTIONFONT = font "Tahoma" -13 700 #FFFFFF italic quality 5
    @back = #F0F0F0
    object CaptionButton "Close" {
        @placement = 250 6 268 24
        ACTION = 1
        COMMANDID = 0x10
        NORMAL.IMAGE = slice "frame" 0 0 18 18 stretch
    }
}
object 100 "Plain" { }
)";
    Skin compiled;
    CompileSkinSource(source, [](const std::string& path) { return std::vector<uint8_t>(path.begin(), path.end()); },
                      compiled);

    EXPECT_EQ(12, compiled.Minor());
    EXPECT_EQ(kImageTga, compiled.FindImage("frame")->Format());
    EXPECT_EQ(kImageUnknown, compiled.FindImage("raw")->Format());
    const auto& frame = static_cast<const FrameWnd&>(*compiled.FindObject("MainDialog"));
    EXPECT_STREQ("Tahoma", frame.m_captionFont.faceName);
    EXPECT_EQ(1, frame.m_captionFont.italic);
    EXPECT_EQ(5, frame.m_captionFont.quality);
    EXPECT_EQ(3, frame.m_captionFont.outPrecision);  // not named: the default
    EXPECT_EQ(MakeColour(0xF0, 0xF0, 0xF0), frame.m_backColour);
    const auto& close = static_cast<const CaptionButton&>(*compiled.FindObject("Close"));
    EXPECT_EQ(250, close.m_placement.left);
    EXPECT_EQ(16u, close.m_commandId);
    EXPECT_EQ(kSliceStretch, close.m_images[kCaptionNormal].mode);
    EXPECT_EQ(kTypeUnnamedControl, compiled.FindObject("Plain")->TypeId());
}

TEST(SkinSourceTest, NamesEveryPartOfAFontAndTheSpareByteOfAColour)
{
    const std::string source = R"(object Static "S" {
    FONT = font "Tahoma" -13 700 #10203040 italic 2 underline outprecision 0 clipprecision 0 pitchandfamily 0x22 width -5 escapement 900 orientation 450
    BACKCOLOR = #FFFFFFFF
    TEXTEFFECT = effect #102030 shadow #405060A0
    @disabledeffect = effect #708090FF
}
)";
    Skin compiled;
    CompileSkinSource(source, [](const std::string&) { return std::vector<uint8_t>(); }, compiled);

    const auto& label = static_cast<const Static&>(*compiled.FindObject("S"));
    const FontRecord& font = label.m_font;
    EXPECT_EQ(0x40302010u, font.textColour);
    EXPECT_EQ(2, font.italic);
    EXPECT_EQ(1, font.underline);
    EXPECT_EQ(0, font.strikeOut);
    EXPECT_EQ(0, font.outPrecision);
    EXPECT_EQ(0, font.clipPrecision);
    EXPECT_EQ(0x22, font.pitchAndFamily);
    EXPECT_EQ(1, font.quality);  // not named: the default
    EXPECT_EQ(-5, font.width);
    EXPECT_EQ(900, font.escapement);
    EXPECT_EQ(450, font.orientation);
    EXPECT_EQ(0xFFFFFFFFu, label.m_backColour);
    EXPECT_EQ(0xFF302010u, label.m_effect.textColour);  // six digits keep the spare byte the effect had
    EXPECT_EQ(0xA0605040u, label.m_effect.shadowColour);
    EXPECT_EQ(0xFF908070u, label.m_disabledEffect.textColour);
}

TEST(SkinSourceTest, ImagesAndVoicesHoldValuesAndChildrenOfTheirOwn)
{
    const std::string source = R"(image "frame" "frame.bmp" {
    @back = #01020304
    object Voice "Inside" { }
}
image "raw" "raw.dat" format 7 { }
voice "click" {
    @value = 3
}
object Image "Loose" "loose.tga" {
    object Image "Empty" { }
}
object FrameWnd "F" {
    object Voice "Hum" { }
}
)";
    Skin compiled;
    CompileSkinSource(source, [](const std::string& path) { return std::vector<uint8_t>(path.begin(), path.end()); },
                      compiled);

    const SkinImage* frame = compiled.FindImage("frame");
    EXPECT_EQ(0x04030201u, frame->m_backColour);
    EXPECT_EQ(1u, frame->Children().count("Inside"));
    EXPECT_EQ(7u, compiled.FindImage("raw")->Format());
    EXPECT_EQ(3, compiled.Voices().at("click")->m_value);
    const auto& loose = static_cast<const SkinImage&>(*compiled.Objects().at("Loose"));
    EXPECT_EQ(kImageTga, loose.Format());
    EXPECT_EQ("loose.tga", std::string(loose.Encoded().begin(), loose.Encoded().end()));
    const auto& empty = static_cast<const SkinImage&>(*loose.Children().at("Empty"));
    EXPECT_TRUE(empty.Encoded().empty());
    EXPECT_EQ(kImageUnknown, empty.Format());
    EXPECT_EQ(kTypeVoice, compiled.FindObject("Hum")->TypeId());
}

struct BadSource {
    const char* text;
    int line;
};

class SkinSourceErrorTest : public ::testing::TestWithParam<BadSource> {};

TEST_P(SkinSourceErrorTest, NamesTheLine)
{
    Skin compiled;
    try {
        CompileSkinSource(GetParam().text, [](const std::string&) { return std::vector<uint8_t>(); }, compiled);
        FAIL() << "accepted: " << GetParam().text;
    } catch (const SourceError& error) {
        EXPECT_EQ(GetParam().line, error.Line()) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, SkinSourceErrorTest,
    ::testing::Values(BadSource{"skin 1.17\n", 1}, BadSource{"skin 2.0\n", 1},
                      BadSource{"object Button \"B\" {\n  NORMAL.IMAGE = slice \"x\" 0 0 1\n}\n", 2},
                      BadSource{"object Button \"B\" {\n\n  FRAME.ClIENT = none\n}\n", 3},
                      BadSource{"object Static \"S\" {\n  BACKCOLOR = #12345\n}\n", 2},
                      BadSource{"object Static \"S\" {\n  TRANSPARENT = 0x1FFFFFFFF\n}\n", 2},
                      BadSource{"object Static \"S\" { }\nobject Edit \"S\" { }\n", 2},
                      BadSource{"object CaptionButton \"C\" { }\n", 1},
                      BadSource{"object Static \"S\" {\n  object FrameWnd \"F\" { }\n}\n", 2},
                      BadSource{"object Area \"A\" { }\n", 1},
                      BadSource{"object Static \"S\" {\n  TEXTEFFECT = effect #000000\n", 1},
                      BadSource{"voice \"012345678901234567890123456789012345678901234567890\"\n", 1},
                      BadSource{"image \"a\" \"a.bmp\n", 1},
                      BadSource{"object Static \"S\" {\n  BACKCOLOR = #1234567\n}\n", 2},
                      BadSource{"object Static \"S\" {\n  FONT = font \"A\" -12 400 #000000 italic 256\n}\n", 2},
                      BadSource{"object Static \"S\" {\n  FONT = font \"A\" -12 400 #000000 width\n}\n", 2},
                      BadSource{"image \"a\" \"a.bmp\" {\n  @back = #000000\n", 1},
                      BadSource{"voice \"v\" {\n  NORMAL.IMAGE = none\n}\n", 2},
                      BadSource{"object Image \"I\" \"a.bmp\" format { }\n", 1}));

}  // namespace
