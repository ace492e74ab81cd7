// The encoder's parts that need no FFmpeg: the command line, the option
// mapping and fitting, the script, the progress lines and the probe answer.
#include "BuiltCommand.h"
#include "EncoderHarness.h"

#include "encoder/CommandLine.h"
#include "encoder/FfmpegOptions.h"
#include "encoder/Follow.h"
#include "encoder/ProbeInfo.h"
#include "encoder/Progress.h"
#include "encoder/ScriptReader.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

const char EXAMPLE[] =
    "\"C:\\App\\vec.exe\" lumen-quartz-framebridging -i \"D:\\in\\clip.mov\" -vcodec xvid -b 800k -s 320x240 "
    "-r 25.00 -aspect 4:3 -acodec mp3 -ab 128 -ac 2 -ar 44100 -vol 256 -async 1 -vsync 1  -y "
    "\"D:\\out\\clip_xvid_mp3.avi\"";

ConverterSettings ExampleSettings()
{
    ConverterSettings settings;
    settings.input = "D:\\in\\clip.mov";
    settings.outputBase = "D:\\out\\clip";
    return settings;
}

// The converter's options of a command line, as the encoder receives them.
Strings OptionsOf(const std::string& commandLine, const char* modulePath)
{
    Strings arguments = SplitArguments(commandLine.c_str(), modulePath);
    arguments.erase(arguments.begin());
    return arguments;
}

Strings Translate(const ConverterSettings& converter)
{
    ConverterCommand command = BuildConverterCommand("C:\\App\\", converter);
    EncodeSettings settings;
    std::string error;
    EXPECT_TRUE(ParseConverterOptions(OptionsOf(command.commandLine, ""), settings, error)) << error;
    return FfmpegOutputOptions(settings);
}

std::string ValueOf(const Strings& options, const char* option)
{
    for (size_t i = 0; i + 1 < options.size(); ++i)
        if (options[i] == option)
            return options[i + 1];
    return "";
}

// The converter's builder writes the example line byte for byte.
TEST(ConverterCommandTest, MatchesTheBuildersExample)
{
    ConverterCommand command = BuildConverterCommand("C:\\App\\", ExampleSettings());
    EXPECT_EQ(EXAMPLE, command.commandLine);
    EXPECT_EQ("D:\\out\\clip_xvid_mp3.avi", command.outputPath);
}

TEST(CommandLineTest, FindsTheArgumentsBehindAnUnquotedProgramPathWithBlanks)
{
    const char* line = "C:\\Program Files\\App\\vec.exe lumen-quartz-framebridging -i \"D:\\my clips\\a b.avi\"";
    EXPECT_EQ((Strings{"lumen-quartz-framebridging", "-i", "D:\\my clips\\a b.avi"}),
              SplitArguments(line, "C:\\PROGRAM FILES\\App\\vec.exe"));
    EXPECT_EQ((Strings{"token", "-info", "x.avi"}), SplitArguments("\"C:\\a b\\vec.exe\" token  -info x.avi", ""));
    EXPECT_EQ((Strings{"token"}), SplitArguments("vec.exe token", "C:\\elsewhere\\vec.exe"));
}

TEST(FfmpegOptionsTest, TranslatesTheExampleIntoTodaysSpelling)
{
    Strings options = Translate(ExampleSettings());
    EXPECT_EQ((Strings{"-c:v", "libxvid", "-b:v", "800k", "-s", "320x240", "-r", "25", "-aspect", "4:3", "-c:a",
                       "libmp3lame", "-b:a", "128k", "-ac", "2", "-ar", "44100", "-vf", "fps=25", "-af",
                       "volume=1,aresample=async=1:first_pts=0", "-vsync", "cfr"}),
              options);
}

TEST(FfmpegOptionsTest, MpegPresetComesFirstAndKeepsItsOptions)
{
    ConverterSettings settings = ExampleSettings();
    settings.target = TARGET_MPEG;
    settings.videoCodec = 1;  // ntsc-vcd
    settings.frameRate = 29.97;
    Strings options = Translate(settings);
    ASSERT_GE(options.size(), 2u);
    EXPECT_EQ("-target", options[0]);
    EXPECT_EQ("ntsc-vcd", options[1]);
    EXPECT_EQ("30000/1001", ValueOf(options, "-r"));
    EXPECT_EQ("2", ValueOf(options, "-mbd"));
    EXPECT_EQ("2", ValueOf(options, "-qmin"));
    EXPECT_EQ("ac3", ValueOf(options, "-c:a"));
    EXPECT_EQ("1150k", ValueOf(options, "-b:v")) << "VCD is constant 1150 kbit/s";

    settings.videoCodec = 3;  // ntsc-svcd tops at 2516 kbit/s
    settings.videoBitrate = 6000;
    EXPECT_EQ("2516k", ValueOf(Translate(settings), "-b:v"));
    settings.videoCodec = 7;  // mpeg2video alone has no ceiling
    EXPECT_EQ("6000k", ValueOf(Translate(settings), "-b:v"));
}

TEST(FfmpegOptionsTest, FitsValuesTheEncodersWouldRefuse)
{
    ConverterSettings settings = ExampleSettings();
    settings.videoCodec = 1;    // h263: one of five sizes
    settings.audioCodec = 1;    // mp2
    settings.audioBitrate = 14; // 576 kbit/s is above MPEG audio
    settings.sampleRate = 0;    // 11025 Hz is below mp2
    Strings options = Translate(settings);
    EXPECT_EQ("352x288", ValueOf(options, "-s"));
    EXPECT_EQ("16000", ValueOf(options, "-ar"));
    EXPECT_EQ("160k", ValueOf(options, "-b:a"));

    settings.videoCodec = 2;  // h263p: multiples of 4
    settings.width = 322;
    settings.height = 243;
    settings.audioCodec = 3;  // pcm_s16be cannot go into AVI; bit rates mean nothing to PCM
    options = Translate(settings);
    EXPECT_EQ("320x240", ValueOf(options, "-s"));
    EXPECT_EQ("pcm_s16le", ValueOf(options, "-c:a"));
    EXPECT_EQ("", ValueOf(options, "-b:a"));

    settings.target = TARGET_MPEG;
    settings.videoCodec = 6;  // mpeg1video stores eight frame rates only
    settings.frameRate = 15.0;
    settings.audioCodec = 0;  // ac3: 32 to 48 kHz
    settings.volume = 0;
    options = Translate(settings);
    EXPECT_EQ("24000/1001", ValueOf(options, "-r"));
    EXPECT_EQ("32000", ValueOf(options, "-ar"));
    EXPECT_EQ("322x242", ValueOf(options, "-s"));
    EXPECT_EQ(0u, ValueOf(options, "-af").find("volume=0,"));

    settings.target = TARGET_FLV;  // Flash keeps MP3 at 11, 22 or 44 kHz
    settings.videoCodec = 0;
    settings.sampleRate = 4;
    settings.volume = 768;
    options = Translate(settings);
    EXPECT_EQ("44100", ValueOf(options, "-ar"));
    EXPECT_EQ("swf", ValueOf(options, "-f"));
    EXPECT_EQ(0u, ValueOf(options, "-af").find("volume=3,"));
}

// The fps filter, not FFmpeg's frame repetition, makes a constant rate, so
// that the last frame does not run past the source's end.
TEST(FfmpegOptionsTest, ConstantRateComesFromTheFpsFilter)
{
    EncodeSettings settings;
    settings.frameRate = 10.0;
    settings.videoSync = "cfr";
    EXPECT_EQ("fps=10", ValueOf(FfmpegOutputOptions(settings), "-vf"));
    settings.sourceFrameRate = 23.976;  // forced by a script first
    EXPECT_EQ("fps=24000/1001,fps=10", ValueOf(FfmpegOutputOptions(settings), "-vf"));
    settings.videoSync = "vfr";  // frames keep their own times
    EXPECT_EQ("fps=24000/1001", ValueOf(FfmpegOutputOptions(settings), "-vf"));
}

TEST(FfmpegOptionsTest, ZerosKeepWhatTheSourceHas)
{
    ConverterSettings settings = ExampleSettings();
    settings.width = 0;  // the probe saw only the height
    settings.frameRate = 0.0;
    settings.videoBitrate = 0;
    Strings options = Translate(settings);
    EXPECT_EQ("", ValueOf(options, "-s"));
    EXPECT_EQ("", ValueOf(options, "-r"));
    EXPECT_EQ("", ValueOf(options, "-b:v"));
    EXPECT_EQ("libxvid", ValueOf(options, "-c:v"));
}

TEST(FfmpegOptionsTest, RefusesWhatTheTableDoesNotKnow)
{
    const Strings bad[] = {
        {"-i", "a.avi", "-vcodec", "theora", "-y", "b.avi"},
        {"-i", "a.avi", "-filter_complex", "x", "-y", "b.avi"},
        {"-i", "a.avi", "-s", "320by240", "-y", "b.avi"},
        {"-i", "a.avi", "-s", "-320x240", "-y", "b.avi"},
        {"-i", "a.avi", "-r", "-25.00", "-y", "b.avi"},
        {"-i", "a.avi", "-vol", "-5", "-y", "b.avi"},
        {"-i", "a.avi", "-ab"},
        {"-i", "a.avi", "-b", "800k"},
    };
    for (const Strings& arguments : bad) {
        EncodeSettings settings;
        std::string error;
        EXPECT_FALSE(ParseConverterOptions(arguments, settings, error)) << arguments[2];
        EXPECT_FALSE(error.empty());
    }
}

TEST(ScriptReaderTest, ReadsTheScriptsTheConverterWrites)
{
    ScriptSource source;
    std::string error;
    ASSERT_TRUE(ParseSourceScript("LoadPlugin(\"plugin\\DirectShowSource.dll\")\r\n"
                                  "DirectShowSource(\"D:\\in\\my clip.rmvb\", fps=23.976, convertfps=true )\r\n"
                                  "return last",
                                  source, error))
        << error;
    EXPECT_EQ("D:\\in\\my clip.rmvb", source.path);
    EXPECT_DOUBLE_EQ(23.976, source.frameRate);

    ASSERT_TRUE(ParseSourceScript("DirectShowSource(\"D:\\a.mp4\", fps=23.976, convertfps=false )\nreturn last",
                                  source, error));
    EXPECT_EQ(0.0, source.frameRate);
    ASSERT_TRUE(ParseSourceScript("DirectShowSource(\"D:\\a.vob\")\n", source, error));
    EXPECT_EQ("D:\\a.vob", source.path);
}

TEST(ScriptReaderTest, RefusesAnythingElse)
{
    for (const char* script : {"LoadPlugin(\"C:\\evil\\plugin.dll\")\nDirectShowSource(\"D:\\a.wmv\")",
                               "DirectShowSource(\"D:\\a.wmv\")\nTrim(0, 100)",
                               "DirectShowSource(\"D:\\a.wmv\", audio=false)", "return last",
                               "DirectShowSource(\"D:\\a.wmv\")\nDirectShowSource(\"D:\\b.wmv\")"}) {
        ScriptSource source;
        std::string error;
        EXPECT_FALSE(ParseSourceScript(script, source, error)) << script;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_TRUE(IsScriptPath("C:\\App\\EDIT.AVS"));
    EXPECT_FALSE(IsScriptPath("C:\\App\\clip.avi"));
}

TEST(ProgressTest, PrintsOneParsableLinePerBlock)
{
    Strings printed;
    ProgressReporter reporter([&](const std::string& line) { printed.push_back(line); });
    reporter.Feed("frame=50\nfps=  24.5\nstream_0_0_q=2.0\nbitrate= 450.0kbits/s\ntotal_size=113664\n"
                  "out_time_us=2040000\nspeed=  36x\npro",
                  0);
    EXPECT_TRUE(printed.empty()) << "a block ends with its progress line";
    reporter.Feed("gress=continue\r\nframe=60\nout_time_us=N/A\nbitrate=\nprogress=end\n", 10);
    ASSERT_EQ(2u, printed.size());
    EXPECT_EQ("frame=50 fps=24.5 q=2.0 size=111kB bitrate=450.0kbits/s speed=36x time=2.04\n", printed[0]);
    int seconds = -1;
    EXPECT_TRUE(IsProgressLine(printed[0], &seconds));
    EXPECT_EQ(2, seconds);
    EXPECT_TRUE(IsProgressLine(printed[1], &seconds)) << printed[1];
    EXPECT_EQ(0, seconds);
}

TEST(ProgressTest, KeepsTheConverterInformedWhileFfmpegIsQuiet)
{
    int printed = 0;
    ProgressReporter reporter([&](const std::string& line) {
        ++printed;
        EXPECT_TRUE(IsProgressLine(line)) << line;
    });
    reporter.KeepAlive(1000, 400);
    reporter.KeepAlive(1300, 400);
    EXPECT_EQ(1, printed);
    reporter.KeepAlive(1400, 400);
    EXPECT_EQ(2, printed);
}

// An FFmpeg as the 4.1 build reports: a progress block every 500 ms of a
// clock that only the follower's waits move on, each wait waking up
// `lateness` late as on a busy machine. It ends at `endAt`; a quit makes it
// end `quitTakes` later (never, at 0). The converter's quit comes at `quitAt`.
class SimulatedRun : public EncodingRun {
public:
    unsigned long now = 0;
    unsigned long lateness = 0;
    unsigned long endAt = 3000;
    unsigned long quitAt = 0;
    unsigned long quitTakes = 0;
    int quitsSent = 0;
    unsigned long firstQuitAt = 0;
    std::atomic<bool> quitRequested{false};

    std::string TakeProgress() override
    {
        std::string text;
        for (; m_reported + 500 <= now && m_reported + 500 <= endAt; m_reported += 500)
            text += "out_time_us=" + std::to_string((m_reported + 500) * 1000) + "\nprogress=continue\n";
        return text;
    }
    bool HasEnded(int& exitCode) override
    {
        exitCode = 0;
        return now >= endAt;
    }
    void WaitForEnd(unsigned long milliseconds) override
    {
        now = std::min(now + milliseconds + lateness, endAt);
        if (quitAt && now >= quitAt)
            quitRequested = true;
    }
    void RequestQuit() override
    {
        if (quitsSent++ > 0)
            return;
        firstQuitAt = now;
        if (quitTakes)
            endAt = now + quitTakes;
    }
    std::string Log() override { return ""; }

    // Each printed line with the time it was printed.
    std::vector<std::pair<unsigned long, std::string>> Follow(FollowOutcome& outcome)
    {
        std::vector<std::pair<unsigned long, std::string>> lines;
        outcome = FollowEncoding(
            *this, quitRequested, [&](const std::string& line) { lines.emplace_back(now, line); },
            [this] { return now; });
        return lines;
    }

private:
    unsigned long m_reported = 0;
};

TEST(FollowTest, ConverterHearsAtLeastEveryFourTenthsBetweenFfmpegsRarerReports)
{
    for (unsigned long lateness : {0ul, 1ul, 140ul}) {
        SCOPED_TRACE("late by " + std::to_string(lateness) + " ms");
        SimulatedRun run;
        run.lateness = lateness;
        FollowOutcome outcome;
        auto lines = run.Follow(outcome);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(0u, lines.front().first) << "a line as soon as the encoding starts";
        for (size_t i = 1; i < lines.size(); ++i)
            EXPECT_LT(lines[i].first - lines[i - 1].first, 400u) << lines[i].second;
        int seconds = 0;
        EXPECT_TRUE(IsProgressLine(lines.back().second, &seconds));
        EXPECT_EQ(3, seconds) << "the last report is printed";
        EXPECT_FALSE(outcome.quit);
        EXPECT_EQ(0, run.quitsSent);
    }
}

TEST(FollowTest, QuitIsPassedOnAndRepeatedAndEndsTheLines)
{
    struct {
        unsigned long quitTakes;
        int sends;
    } const cases[] = {{300, 1}, {0, 3}};  // FFmpeg that obeys, FFmpeg that ignores the quit
    for (const auto& c : cases) {
        SimulatedRun run;
        run.endAt = 20000;
        run.quitAt = 1200;
        run.quitTakes = c.quitTakes;
        FollowOutcome outcome;
        auto lines = run.Follow(outcome);
        EXPECT_TRUE(outcome.quit);
        EXPECT_EQ(c.sends, run.quitsSent);
        ASSERT_FALSE(lines.empty());
        EXPECT_GE(run.firstQuitAt, 1200u);
        EXPECT_LE(lines.back().first, run.firstQuitAt) << "nothing printed after the quit";
    }
}

TEST(ProbeInfoTest, ReadsDurationAndTheFirstRealPicture)
{
    MediaFacts facts = ParseProbeOutput(
        "streams_stream_0_codec_type=\"audio\"\nstreams_stream_0_disposition_attached_pic=0\n"
        "streams_stream_1_codec_type=\"video\"\nstreams_stream_1_width=600\nstreams_stream_1_height=600\n"
        "streams_stream_1_disposition_attached_pic=1\n"
        "streams_stream_2_codec_type=\"video\"\nstreams_stream_2_width=321\nstreams_stream_2_height=241\n"
        "streams_stream_2_disposition_attached_pic=0\nformat_duration=\"29.600000\"\n");
    EXPECT_EQ("Duration:30 Width:321 Height:241\n", FormatMediaFacts(facts));
    EXPECT_EQ("Duration:1 Width:0 Height:0\n",
              FormatMediaFacts(ParseProbeOutput("streams_stream_0_codec_type=\"audio\"\nformat_duration=\"0.4\"\n")));
    EXPECT_EQ("Duration:0 Width:0 Height:0\n", FormatMediaFacts(ParseProbeOutput("format_duration=\"N/A\"\n")));
}

}  // namespace
