// Command lines, option lists and output parsing: none of it needs a window
// or a message loop.
#include "COMMON/CFfmpegEncoder.h"
#include "COMMON/EncoderCommand.h"
#include "COMMON/EncoderOutput.h"
#include "COMMON/OptionTables.h"
#include "win/OwnedHandle.h"
#include "EngineTestSupport.h"
#include "support/EventLogRecorder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const EXAMPLE_COMMAND =
    R"("C:\App\vec.exe" lumen-quartz-framebridging -i "D:\in\clip.mov" -vcodec xvid -b 800k -s 320x240 )"
    R"(-r 25.00 -aspect 4:3 -acodec mp3 -ab 128 -ac 2 -ar 44100 -vol 256 -async 1 -vsync 1  -y )"
    R"("D:\out\clip_xvid_mp3.avi")";

// The options of the example with another family and codec choice.
MediaItem ExampleItem(int target = TARGET_AVI, int video = 0, int audio = 0)
{
    MediaItem item = AviItem(R"(D:\in\clip.mov)", R"(D:\out\clip)");
    item.m_nTarget = target;
    item.m_nVideoCodec = video;
    item.m_nAudioCodec = audio;
    return item;
}

std::string Tail(const std::string& command) { return command.substr(command.find(" -i ") + 1); }

std::string Planned(const MediaItem& item)
{
    const OutputName name = PlanOutputName(item);
    return name.stem + name.extension;
}

// The builder's command for the item with the program folder C:\App\, the
// source read directly and the planned output name free.
std::string Built(const MediaItem& item)
{
    return BuildCommandLine(item, {R"(C:\App\)", item.m_szSourcePath, Planned(item)});
}

class CommandLineTest : public ::testing::Test {
protected:
    // Builds `item` with the program directory C:\App\ and returns the result.
    int Build(MediaItem& item) { return m_encoder.bBuildCommand(&item); }
    const std::string& Command() const { return m_encoder.GetCommand(); }

    EventLogRecorder m_log;
    CFfmpegEncoder m_encoder{R"(C:\App\)"};
};

}  // namespace

TEST(OptionListTest, ListsTheEntriesOfEachFamilyInOrder)
{
    CFfmpegEncoder encoder;
    const std::vector<std::vector<std::string>> expected = {
        {"xvid", "h263", "h263p", "mpeg4", "mjpeg", "h264"},
        {"pal-vcd", "ntsc-vcd", "pal-svcd", "ntsc-svcd", "pal-dvd", "ntsc-dvd", "mpeg1video", "mpeg2video"},
        {"wmv2", "wmv1", "msmpeg4", "msmpeg4v2"},
        {"xvid", "h264", "h263", "mpeg4", "svq1"},
        {"swf", "flv"},
        {"mp3", "mp2", "pcm_s16le", "pcm_s16be"},
        {"ac3", "mp2"},
        {"mp3", "mp2"},
        {"aac", "pcm_alaw", "pcm_s16le", "pcm_s16be"},
        {"mp3"},
    };
    for (int type = 1; type <= 10; ++type) {
        SCOPED_TRACE(type);
        int count = -1;
        ASSERT_EQ(1, encoder.bGetOptionCount(type, &count));
        ASSERT_EQ(static_cast<int>(expected[type - 1].size()), count);
        for (int index = 0; index < count; ++index) {
            char name[MEDIA_PATH_CHARS + 1] = {};
            EXPECT_EQ(1, encoder.bGetOptionName(type, index, name));
            EXPECT_EQ(expected[type - 1][index], name);
        }
        char untouched[MEDIA_PATH_CHARS + 1] = "untouched";
        EXPECT_EQ(0, encoder.bGetOptionName(type, count, untouched));
        EXPECT_EQ(0, encoder.bGetOptionName(type, -1, untouched));
        EXPECT_STREQ("untouched", untouched);
        EXPECT_EQ(0, encoder.bGetOptionName(type, 0, nullptr));
    }
}

TEST(OptionListTest, UnknownListsCountNothing)
{
    CFfmpegEncoder encoder;
    for (int type : {0, 11, -1}) {
        int count = 7;
        EXPECT_EQ(0, encoder.bGetOptionCount(type, &count));
        EXPECT_EQ(0, count);
        char name[MEDIA_PATH_CHARS + 1] = {};
        EXPECT_EQ(0, encoder.bGetOptionName(type, 0, name));
    }
    EXPECT_EQ(0, encoder.bGetOptionCount(1, nullptr));
}

TEST_F(CommandLineTest, ExampleIsBuiltByteForByteAndLoggedWithoutExecutable)
{
    MediaItem item = ExampleItem();
    ASSERT_EQ(1, Build(item));
    EXPECT_EQ(EXAMPLE_COMMAND, Command());
    EXPECT_STREQ(R"(D:\out\clip_xvid_mp3.avi)", item.m_szOutputPath);
    EXPECT_STREQ(R"(D:\out\clip)", m_encoder.GetItem().m_szOutputPath);

    const std::vector<RecordedEvent> events = m_log.Events();
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(EVENTLOG_INFORMATION_TYPE, events[0].type);
    EXPECT_EQ(3u, events[0].id);
    EXPECT_EQ(Tail(EXAMPLE_COMMAND), events[0].text);
}

TEST_F(CommandLineTest, ExecutableIsQuotedInADirectoryWithBlanksOrDashes)
{
    for (const char* dir : {R"(C:\Program Files\Vodrix Video\)", R"(C:\multi-input tools\)"}) {
        SCOPED_TRACE(dir);
        m_log.Clear();
        CFfmpegEncoder encoder(dir);
        MediaItem item = ExampleItem();
        ASSERT_EQ(1, encoder.bBuildCommand(&item));
        EXPECT_EQ("\"" + std::string(dir) + std::string(EXAMPLE_COMMAND).substr(strlen(R"("C:\App\)")),
                  encoder.GetCommand());
        ASSERT_EQ(1u, m_log.Texts().size());
        EXPECT_EQ(Tail(EXAMPLE_COMMAND), m_log.Texts()[0]);
    }
}

TEST(CommandBuilderTest, MpegPutsFrameRateBeforeSizeAndUsesPresetsOrCodecs)
{
    const MediaItem dvd = ExampleItem(TARGET_MPEG, 4, 0);
    EXPECT_EQ(R"("C:\App\vec.exe" lumen-quartz-framebridging -i "D:\in\clip.mov" -target pal-dvd -b 800k )"
              R"(-r 25.00 -s 320x240 -aspect 4:3 -acodec ac3 -ab 128 -ac 2 -ar 44100 -mbd 2 -qmin 2  )"
              R"(-async 1 -vsync 1  -vol 256 -y "D:\out\clip_pal-dvd_ac3.mpg")",
              Built(dvd));
    EXPECT_EQ(R"(D:\out\clip_pal-dvd_ac3.mpg)", Planned(dvd));

    const MediaItem mpeg2 = ExampleItem(TARGET_MPEG, 7, 1);
    EXPECT_NE(std::string::npos, Built(mpeg2).find(" -i \"D:\\in\\clip.mov\" -vcodec mpeg2video -b 800k "));
    EXPECT_EQ(R"(D:\out\clip_mpeg2video_mp2.mpg)", Planned(mpeg2));
}

TEST(CommandBuilderTest, FlashFamilyChoosesContainerOrCodecByIndex)
{
    const MediaItem swf = ExampleItem(TARGET_FLV, 0, 0);
    EXPECT_EQ(R"("C:\App\vec.exe" lumen-quartz-framebridging -i "D:\in\clip.mov" -f swf -b 800k -s 320x240 )"
              R"(-r 25.00 -aspect 4:3 -acodec mp3 -ab 128 -ac 2 -ar 44100 -async 1 -vsync 1  -vol 256 )"
              R"(-y "D:\out\clip_swf_mp3.swf")",
              Built(swf));

    const MediaItem flv = ExampleItem(TARGET_FLV, 1, 0);
    EXPECT_NE(std::string::npos, Built(flv).find(R"( -vcodec flv -b 800k -s 320x240 )"));
    EXPECT_EQ(R"(D:\out\clip_flv_mp3.flv)", Planned(flv));
}

TEST(CommandBuilderTest, WindowsMediaAndQuickTimeFamilies)
{
    const MediaItem asf = ExampleItem(TARGET_WMV, 3, 1);
    EXPECT_EQ(R"("C:\App\vec.exe" lumen-quartz-framebridging -i "D:\in\clip.mov" -vcodec msmpeg4v2 -b 800k )"
              R"(-s 320x240 -r 25.00 -aspect 4:3 -acodec mp2 -ab 128 -ac 2 -ar 44100 -vol 256 -async 1 )"
              R"(-vsync 1  -y "D:\out\clip_msmpeg4v2_mp2.asf")",
              Built(asf));
    for (int video = 0; video <= 2; ++video)
        EXPECT_EQ(".wmv", PlanOutputName(ExampleItem(TARGET_WMV, video, 0)).extension);

    MediaItem mov = ExampleItem(TARGET_MOV, 4, 1);
    mov.m_nAspect = 2;
    mov.m_nAudioBitrate = 14;
    mov.m_nSampleRate = 0;
    mov.m_nChannels = 1;
    mov.m_nVolume = 768;
    mov.m_dFrameRate = 29.97;
    mov.m_nWidth = 720;
    mov.m_nHeight = 576;
    mov.m_nVideoBitrate = 2500;
    EXPECT_EQ(R"("C:\App\vec.exe" lumen-quartz-framebridging -i "D:\in\clip.mov" -vcodec svq1 -b 2500k )"
              R"(-s 720x576 -r 29.97 -aspect 16:9 -acodec pcm_alaw -ab 576 -ac 1 -ar 11025 -vol 768 )"
              R"(-async 1 -vsync 1  -y "D:\out\clip_svq1_pcm_alaw.mov")",
              Built(mov));
}

// The builder names what it is given and looks at no file: a script for the
// input, a name already numbered for the output. Without an output it stops
// after the family's options; an item it refuses ends after the input.
TEST(CommandBuilderTest, WritesWhatItIsGivenAndStopsWhereTheItemIsRefused)
{
    const MediaItem item = ExampleItem();
    const std::string options = " -vcodec xvid -b 800k -s 320x240 -r 25.00 -aspect 4:3 -acodec mp3 -ab 128 -ac 2 "
                                "-ar 44100 -vol 256 -async 1 -vsync 1 ";
    const std::string prefix = R"("E:\my app\vec.exe" lumen-quartz-framebridging -i "F:\run\edit-7-1.avs")";
    const auto build = [&](const MediaItem& it, const char* output) {
        return BuildCommandLine(it, {R"(E:\my app\)", R"(F:\run\edit-7-1.avs)", output});
    };
    EXPECT_EQ(prefix + options + R"( -y "D:\out\clip_xvid_mp3 (2).avi")",
              build(item, R"(D:\out\clip_xvid_mp3 (2).avi)"));
    EXPECT_EQ(prefix + options, build(item, ""));

    struct Refused {
        MediaItem item;
        CommandRefusal why;
    };
    MediaItem tooLong = item;
    strcpy(tooLong.m_szOutputPath, std::string(MEDIA_PATH_CHARS - strlen("_xvid_mp3.avi") + 1, 'o').c_str());
    MediaItem badAspect = item;
    badAspect.m_nAspect = 3;
    for (const Refused& r : {Refused{ExampleItem(0), CommandRefusal::UNKNOWN_TARGET},
                             Refused{ExampleItem(TARGET_MOV, 5), CommandRefusal::OPTION_OUT_OF_RANGE},
                             Refused{badAspect, CommandRefusal::OPTION_OUT_OF_RANGE},
                             Refused{tooLong, CommandRefusal::OUTPUT_NAME_TOO_LONG}}) {
        SCOPED_TRACE(static_cast<int>(r.why));
        EXPECT_EQ(r.why, PlanOutputName(r.item).refusal);
        EXPECT_EQ(prefix, build(r.item, R"(D:\out\x.avi)"));
    }
}

TEST_F(CommandLineTest, ScriptRouteOnlyForDirectShowSourcesThatNeedIt)
{
    ScratchDir dir("script route");
    CFfmpegEncoder encoder(dir.Path());
    const std::string prefix = "\"" + dir.Path() + "vec.exe\" lumen-quartz-framebridging -i \"";
    // Another process holding the script name of older versions changes nothing.
    WriteFileBytes(dir.File("edit.avs"), "held");
    CKernelHandle held(CreateFileA(dir.File("edit.avs").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);

    MediaItem streamed = ExampleItem();
    strcpy(streamed.m_szSourcePath, R"(D:\in\clip.rmvb)");
    streamed.m_bDirectShow = 1;
    ASSERT_EQ(1, encoder.bBuildCommand(&streamed));
    ASSERT_EQ(0u, encoder.GetCommand().find(prefix + dir.Path())) << encoder.GetCommand();
    const size_t scriptStart = prefix.size();
    const std::string script =
        encoder.GetCommand().substr(scriptStart, encoder.GetCommand().find('"', scriptStart) - scriptStart);
    EXPECT_EQ(0u, encoder.GetCommand().find(prefix + script + "\" -vcodec xvid "));
    EXPECT_EQ(".avs", script.substr(script.size() - 4));
    EXPECT_NE(dir.File("edit.avs"), script);
    EXPECT_NE(std::string::npos, ReadFileBytes(script).find(R"(DirectShowSource("D:\in\clip.rmvb")"));

    // A build for another item lets go of the script of the one before.
    MediaItem directFormat = ExampleItem();
    strcpy(directFormat.m_szSourcePath, R"(D:\in\clip.avi)");
    directFormat.m_bDirectShow = 1;
    ASSERT_EQ(1, encoder.bBuildCommand(&directFormat));
    EXPECT_EQ(0u, encoder.GetCommand().find(prefix + R"(D:\in\clip.avi" -vcodec xvid )"));
    EXPECT_FALSE(FileExists(script));

    MediaItem notDirectShow = ExampleItem();
    strcpy(notDirectShow.m_szSourcePath, R"(D:\in\clip.rmvb)");
    ASSERT_EQ(1, encoder.bBuildCommand(&notDirectShow));
    EXPECT_EQ(0u, encoder.GetCommand().find(prefix + R"(D:\in\clip.rmvb" -vcodec xvid )"));
    held.Reset();
    EXPECT_EQ("held", ReadFileBytes(dir.File("edit.avs")));
}

TEST_F(CommandLineTest, OutputNameThatWouldNotFitIsRefused)
{
    const std::string suffix = "_xvid_mp3.avi";
    MediaItem fits = ExampleItem();
    const std::string longestBase = "D:\\" + std::string(MEDIA_PATH_CHARS - suffix.size() - 3, 'a');
    strcpy(fits.m_szOutputPath, longestBase.c_str());
    ASSERT_EQ(1, Build(fits));
    EXPECT_EQ(longestBase + suffix, fits.m_szOutputPath);

    m_log.Clear();
    MediaItem tooLong = ExampleItem();
    const std::string base = longestBase + "b";
    strcpy(tooLong.m_szOutputPath, base.c_str());
    const MediaItem before = tooLong;
    EXPECT_EQ(0, Build(tooLong));
    EXPECT_EQ(0, memcmp(&before, &tooLong, sizeof before));

    const std::vector<RecordedEvent> events = m_log.Events();
    ASSERT_EQ(2u, events.size());
    EXPECT_EQ(EVENTLOG_ERROR_TYPE, events[0].type);
    EXPECT_EQ(1u, events[0].id);
    EXPECT_EQ(0u, events[0].text.find(R"(Module:COMMON\CFfmpegEncoder,Line:)"));
    EXPECT_NE(std::string::npos, events[0].text.find(",Output file name too long: " + base + suffix));
    EXPECT_EQ(EVENTLOG_INFORMATION_TYPE, events[1].type);  // what was built of the command
}

TEST_F(CommandLineTest, IndexOutsideItsTableIsRefused)
{
    MediaItem item = ExampleItem(TARGET_FLV, 2, 0);
    EXPECT_EQ(0, Build(item));
    EXPECT_STREQ(R"(D:\out\clip)", item.m_szOutputPath);
    item = ExampleItem();
    item.m_nAudioBitrate = 15;
    EXPECT_EQ(0, Build(item));
    const std::vector<std::string> texts = m_log.Texts();
    ASSERT_EQ(4u, texts.size());
    EXPECT_NE(std::string::npos, texts[0].find(",Option index out of range"));
    EXPECT_NE(std::string::npos, texts[2].find(",Option index out of range"));
}

TEST_F(CommandLineTest, UnknownTargetBuildsOnlyThePrefix)
{
    for (int target : {0, 6}) {
        m_log.Clear();
        MediaItem item = ExampleItem(target);
        EXPECT_EQ(0, Build(item));
        EXPECT_EQ(R"("C:\App\vec.exe" lumen-quartz-framebridging -i "D:\in\clip.mov")", Command());
        EXPECT_STREQ(R"(D:\out\clip)", item.m_szOutputPath);
        EXPECT_EQ(std::vector<std::string>{R"(-i "D:\in\clip.mov")"}, m_log.Texts());
    }
}

TEST(CommandBuilderTest, OddWidthPassesForSourcesOtherThanFlash)
{
    MediaItem item = ExampleItem();
    strcpy(item.m_szSourcePath, R"(D:\in\clip.flv.avi)");
    item.m_nWidth = 321;
    item.m_nHeight = 241;
    EXPECT_TRUE(FrameSizeAllowed(item));
    EXPECT_NE(std::string::npos, Built(item).find(" -s 321x241 "));
    strcpy(item.m_szSourcePath, R"(D:\in\clip.FLV)");
    EXPECT_FALSE(FrameSizeAllowed(item));
}

TEST_F(CommandLineTest, ExceptionWhileBuildingIsLoggedAndRefused)
{
    m_log.ThrowOnNextEntries(1);  // the command's own entry fails
    MediaItem item = ExampleItem();
    EXPECT_EQ(0, Build(item));
    const std::vector<std::string> texts = m_log.Texts();
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(R"(Module:COMMON\CFfmpegEncoder,Line:366,Unable to get output video convert interface)", texts[1]);
    EXPECT_EQ(1u, m_log.Events()[1].id);
}

TEST(EncoderOutputTest, ProgressLinesNeedSixWordsBeforeTheTime)
{
    int seconds = -1;
    EXPECT_EQ(1, ParseProgressSeconds("a b c d e f time=12 bitrate=1 x", &seconds));
    EXPECT_EQ(12, seconds);
    EXPECT_EQ(1, ParseProgressSeconds(ProgressLine("59.99").c_str(), &seconds));
    EXPECT_EQ(59, seconds);
    EXPECT_EQ(1, ParseProgressSeconds("  a\tb c d e f   time=7", &seconds));
    EXPECT_EQ(7, seconds);
    for (const char* other : {"time=5", "a b c d e time=5", "a b c d e f g time=5", "a b c d e f time=x",
                              "Error while opening encoder for output stream #0.0"}) {
        SCOPED_TRACE(other);
        EXPECT_EQ(0, ParseProgressSeconds(other, &seconds));
        EXPECT_EQ(0, seconds);
    }
}

TEST(EncoderOutputTest, PercentIsTruncatedAndNeedsADuration)
{
    EXPECT_EQ(20, ProgressPercent(12, 60.0));
    EXPECT_EQ(33, ProgressPercent(1, 3.0));
    EXPECT_EQ(99, ProgressPercent(59, 59.5));
    EXPECT_EQ(100, ProgressPercent(60, 60.0));
    EXPECT_EQ(0, ProgressPercent(30, 0.0));
    EXPECT_EQ(0, ProgressPercent(30, -5.0));
    EXPECT_EQ(2147483647, ProgressPercent(2000000000, 1e-6));
}

TEST(EncoderOutputTest, LinesAreAssembledAcrossChunksWithEitherEnding)
{
    LineAssembler lines;
    const auto feed = [&lines](const std::string& chunk) { return lines.Feed(chunk.data(), chunk.size()); };
    EXPECT_TRUE(feed("first part").empty());
    EXPECT_EQ((std::vector<std::string>{"first part, end", "second"}), feed(", end\r\nsecond\n"));
    EXPECT_EQ((std::vector<std::string>{""}), feed("\r\nthird\r"));
    EXPECT_EQ((std::vector<std::string>{"third"}), feed("\n"));
    EXPECT_EQ((std::vector<std::string>{"a\rb"}), feed("a\rb\ntail"));
    EXPECT_EQ("tail", lines.TakePending());
    EXPECT_EQ("", lines.Pending());
    const char withZero[] = {'x', '\0', 'y', '\n'};
    EXPECT_EQ((std::vector<std::string>{std::string("x\0y", 3)}), lines.Feed(withZero, sizeof withZero));
}

TEST(EncoderOutputTest, DoubleByteCharactersAreNeverTakenApart)
{
    if (!IsValidCodePage(932))
        GTEST_SKIP() << "code page 932 is not installed";
    // 0x82 0x0A is not a character of code page 932, but a lead byte still
    // claims the next byte, also when it arrives with the next chunk.
    LineAssembler lines(932);
    EXPECT_TRUE(lines.Feed("\x95", 1).empty());
    EXPECT_EQ((std::vector<std::string>{"\x95\x5C\x82\xA0"}), lines.Feed("\x5C\x82\xA0\n", 4));
    EXPECT_EQ((std::vector<std::string>{"\x82\n\x82\xA0"}), lines.Feed("\x82\n\x82\xA0\n", 5));
}

TEST(EncoderOutputTest, ProbeAnswerFieldsKeepValuesThatDoNotMatch)
{
    int duration = 0, width = 0, height = 0;
    ParseProbeChunk("Duration:30 Width:0 Height:240\r\n", &duration, &width, &height);
    EXPECT_EQ(30, duration);
    EXPECT_EQ(0, width);
    EXPECT_EQ(240, height);
    ParseProbeChunk("Duration:12 Width:x Height:99", &duration, &width, &height);
    EXPECT_EQ(12, duration);
    EXPECT_EQ(240, height);
    ParseProbeChunk(" Input #0 Duration:50 Width:1 Height:1", &duration, &width, &height);
    EXPECT_EQ(12, duration);
}

TEST_F(CommandLineTest, UnterminatedSourcePathIsCutAtItsField)
{
    MediaItem item = ExampleItem();
    memset(item.m_szSourcePath, 'a', sizeof item.m_szSourcePath);
    ASSERT_EQ(1, Build(item));
    EXPECT_NE(std::string::npos, Command().find(" -i \"" + std::string(MEDIA_PATH_CHARS, 'a') + "\" -vcodec "));
}
