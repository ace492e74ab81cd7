// The skin source: a dump compiles back into the same skin at every
// version, and mistakes in a source are reported with their line.
#include "SkinSamples.h"

#include "skin/core/FrameObjects.h"
#include "skin/core/PlainObjects.h"
#include "tools/skin/SkinSource.h"

#include <gtest/gtest.h>

#include <map>
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

// Values a source once had no words for, and the places where the reading
// rules put Image and Voice objects: each row's skin goes through a file of
// every version, a dump and a compilation.
const char* const kFieldRows[] = {
    "object FrameWnd \"F\" {\n CAPTIONFONT = font \"A\" -12 400 #000000 outprecision 0 clipprecision 0\n}",
    "object Static \"S\" {\n FONT = font \"A\" -12 400 #000000 width 7 escapement 900 orientation -450\n}",
    "object Button \"B\" {\n FONT = font \"A\" -12 400 #01020304 italic 2 underline 255 strikeout pitchandfamily 34\n}",
    "object StatusBar \"S\" {\n ITEM.FONT = font \"A\" -12 400 #000000 quality 0 clipprecision 0\n}",
    "object FrameWnd \"F\" {\n object CaptionStatic \"C\" {\n FONT = font \"A\" -1 1 #000000 width -4\n }\n}",
    "object Static \"S\" {\n BACKCOLOR = #FFFFFFFF\n TEXTEFFECT = effect #10203000 shadow #405060FF\n}",
    "object Static \"S\" {\n @disabledeffect = effect #708090FF shadow #000000 flags 1\n}",
    "object SysColorTable \"T\" {\n HIGHLIGHT = #56341280\n}",
    "object Application \"A\" {\n @third = #FF00FF01\n}",
    "object ComboBox \"C\" {\n COLOR.DISABLEDBACKGROUND = #102030\n COLOR.DISABLEDTEXT = #40506070\n}",
    "object Image \"I\" \"a.bmp\" format 9 {\n @note = \"stray\"\n object Image \"Empty\" { }\n}",
    "object FrameWnd \"F\" {\n object Image \"I\" \"a.tga\" { }\n object Voice \"V\" {\n @placement = -1 2 3 4\n }\n}",
    "object Voice \"V\" {\n @value = -3\n}",
    "image \"i\" \"a.bmp\" {\n @text = #ABCDEF\n}",
    "voice \"v\" {\n AUTOPLACE = 5\n object CaptionButton \"C\" {\n ACTION = 3\n }\n}",
};

class FieldRoundTripTest : public ::testing::TestWithParam<std::tuple<const char*, int>> {};

TEST_P(FieldRoundTripTest, CompilingADumpGivesTheSameSkin)
{
    const uint8_t minor = static_cast<uint8_t>(std::get<1>(GetParam()));
    Skin row;
    Compile(std::get<0>(GetParam()), {{"a.bmp", {1, 2, 3}}, {"a.tga", {4}}}, row);
    ExpectExactRoundTrip(row.WriteBytes(minor), minor);
}

INSTANTIATE_TEST_SUITE_P(Rows, FieldRoundTripTest,
                         ::testing::Combine(::testing::ValuesIn(kFieldRows), ::testing::Range(0, 17)));

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
