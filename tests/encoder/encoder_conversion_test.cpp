// End-to-end: vec.exe under Wine converts clips made at test time by the
// host's FFmpeg, through the command lines the converter builds: beside the
// bundled Windows FFmpeg, as the program ships, and some cases again from a
// folder without it, where vec.exe runs the host's FFmpeg instead.
#include "BuiltCommand.h"
#include "EncoderHarness.h"

#include "COMMON/OptionTables.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdlib>

namespace {

const double CLIP_SECONDS = 2.0;

std::string g_work;          // clips and outputs; the path holds a blank
std::string g_programDir;    // vec.exe, ffmpeg.exe and ffprobe.exe, with a blank, as the converter's may have
std::string g_hostRouteDir;  // vec.exe alone

enum class Route { WindowsFfmpeg, HostFfmpeg };

std::string ProgramDir(Route route) { return route == Route::WindowsFfmpeg ? g_programDir : g_hostRouteDir; }

std::string RouteName(const ::testing::TestParamInfo<Route>& info)
{
    return info.param == Route::WindowsFfmpeg ? "WindowsFfmpeg" : "HostFfmpeg";
}

// The libavformat of the bundled FFmpeg 4.1 build names itself so in the files it writes.
const char BUNDLED_WRITER[] = "Lavf58.";

std::string WindowsPathOfHostFile(std::string hostPath)
{
    for (char& c : hostPath)
        if (c == '/')
            c = '\\';
    return "Z:" + hostPath;
}

void RemoveFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(folder + name + "\\");
            else
                DeleteFileA((folder + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// Two seconds of the test pattern with a tone at 320x240 and at an odd size,
// a tone alone, a long clip to stop early, and a streamed format for scripts.
const char CLIP_SCRIPT[] =
    "cd \"$1\" || exit 1\n"
    "pattern() { echo \"testsrc=size=$1:rate=25:duration=$2\"; }\n"
    "tone() { echo \"sine=frequency=440:sample_rate=44100:duration=$1\"; }\n"
    "ff() { ffmpeg -nostdin -v error -y \"$@\" || echo failed; }\n"
    "ff -f lavfi -i \"$(pattern 320x240 2)\" -f lavfi -i \"$(tone 2)\" -c:v mpeg4 -c:a aac clip.mp4\n"
    "ff -f lavfi -i \"$(pattern 321x241 2)\" -f lavfi -i \"$(tone 2)\" -c:v mpeg4 -c:a libmp3lame odd.avi\n"
    "ff -f lavfi -i \"$(tone 2)\" -c:a libmp3lame tone.mp3\n"
    "ff -f lavfi -i \"$(pattern 320x240 20)\" -f lavfi -i \"$(tone 20)\" -c:v mpeg4 -c:a aac long.mp4\n"
    "ff -f lavfi -i \"$(pattern 320x240 2)\" -f lavfi -i \"$(tone 2)\" -c:v wmv2 -c:a wmav2 clip.wmv\n"
    "echo made\n";

class EncoderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, temp);
        g_work = std::string(temp) + "vec clips\\";
        RemoveFolder(g_work);
        g_programDir = g_work + "prog dir\\";
        g_hostRouteDir = g_work + "without ffmpeg\\";
        CreateDirectoryA(g_work.c_str(), nullptr);
        for (const std::string& dir : {g_programDir, g_hostRouteDir}) {
            CreateDirectoryA(dir.c_str(), nullptr);
            CopyFileA(WindowsPathOfHostFile(VEC_EXE_HOST_PATH).c_str(), (dir + "vec.exe").c_str(), FALSE);
        }
        // Linked where the file system allows: they are large.
        for (const char* tool : {FFMPEG_EXE_HOST_PATH, FFPROBE_EXE_HOST_PATH}) {
            const std::string from = WindowsPathOfHostFile(tool);
            const std::string to = g_programDir + from.substr(from.find_last_of('\\') + 1);
            if (!CreateHardLinkA(to.c_str(), from.c_str(), nullptr))
                CopyFileA(from.c_str(), to.c_str(), FALSE);
        }
        std::string work = g_work.substr(0, g_work.size() - 1);
        s_clipsMade = RunHostScript(CLIP_SCRIPT, {HostPath(work)}) == "made\n";
    }

    static void TearDownTestSuite() { RemoveFolder(g_work); }

    void SetUp() override
    {
        ASSERT_TRUE(s_clipsMade) << "the host's FFmpeg could not make the test clips";
        for (const char* program : {"vec.exe", "ffmpeg.exe", "ffprobe.exe"})
            ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((g_programDir + program).c_str())) << program;
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((g_hostRouteDir + "vec.exe").c_str()));
    }

    static std::string Clip(const char* name) { return g_work + name; }

    static ConverterCommand Command(ConverterSettings settings, const char* source, const char* outputName,
                                    Route route = Route::WindowsFfmpeg)
    {
        settings.input = Clip(source);
        settings.outputBase = g_work + outputName;
        return BuildConverterCommand(ProgramDir(route), settings);
    }

    // The converter hands a DirectShow source over through a script of its
    // own beside the program.
    static bool ReadsTheScript(const ConverterCommand& command, Route route = Route::WindowsFfmpeg)
    {
        const size_t script = command.commandLine.find("-i \"" + ProgramDir(route) + "edit-");
        return script != std::string::npos && command.commandLine.find(".avs\" ", script) != std::string::npos;
    }

    static std::string InfoCommand(const std::string& path, Route route = Route::WindowsFfmpeg)
    {
        return ProgramDir(route) + "vec.exe lumen-quartz-framebridging -info \"" + path + "\"";
    }

    // Every line a progress line, the last one near the end of the clip.
    static void ExpectOnlyProgress(const EncoderOutcome& run, double seconds)
    {
        ASSERT_TRUE(run.exited);
        ASSERT_FALSE(run.lines.empty());
        for (const std::string& line : run.lines)
            EXPECT_TRUE(IsProgressLine(line)) << line;
        int last = 0;
        IsProgressLine(run.lines.back(), &last);
        EXPECT_GE(last, static_cast<int>(seconds) - 1) << run.lines.back();
        EXPECT_EQ(0u, run.exitCode);
    }

    // A failure: at least one line, the last is no progress line, and no
    // progress line claims that the work was done.
    static void ExpectFailure(const EncoderOutcome& run)
    {
        ASSERT_TRUE(run.exited);
        ASSERT_FALSE(run.lines.empty());
        EXPECT_FALSE(IsProgressLine(run.lines.back())) << run.lines.back();
        for (const std::string& line : run.lines) {
            int seconds = 0;
            if (IsProgressLine(line, &seconds)) {
                EXPECT_LT(seconds, CLIP_SECONDS) << line;
            }
        }
        EXPECT_NE(0u, run.exitCode);
    }

    static bool s_clipsMade;
};

bool EncoderTest::s_clipsMade = false;

// No temporary folder of the given encoder process is left behind.
// vec.exe names its folder "vec-<process id>-<tick count>". Process ids are
// reused, so only a folder made since this run started counts as its own.
bool TemporaryFolderRemoved(const EncoderOutcome& run)
{
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string prefix = "vec-" + std::to_string(run.processId) + "-";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(temp) + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return true;
    bool removed = true;
    do {
        const DWORD createdAt = std::strtoul(found.cFileName + prefix.size(), nullptr, 10);
        if (createdAt - run.startTick < 0x80000000u)  // at or after the start, across a wrap
            removed = false;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return removed;
}

struct ConversionCase {
    const char* name;
    int target;
    int video;
    int audio;
    const char* source;
    int width, height;  // what the converter asks for
    double rate;
    const char* format;      // ffprobe's container name holds this
    const char* videoCodec;  // ffprobe's codec names
    const char* audioCodec;
    int outWidth, outHeight;  // what the file must hold
};

const ConversionCase CASES[] = {
    {"avi_xvid_mp3", TARGET_AVI, 0, 0, "clip.mp4", 320, 240, 25, "avi", "mpeg4", "mp3", 320, 240},
    {"avi_h263_mp2", TARGET_AVI, 1, 1, "clip.mp4", 176, 144, 10, "avi", "h263", "mp2", 176, 144},
    {"avi_h263p_pcm_s16le", TARGET_AVI, 2, 2, "odd.avi", 321, 241, 15, "avi", "h263", "pcm_s16le", 320, 240},
    {"avi_mpeg4_pcm_s16be", TARGET_AVI, 3, 3, "clip.mp4", 160, 120, 20, "avi", "mpeg4", "pcm_s16le", 160, 120},
    {"avi_mjpeg_mp3", TARGET_AVI, 4, 0, "odd.avi", 321, 241, 23.97, "avi", "mjpeg", "mp3", 321, 241},
    {"avi_h264_mp2", TARGET_AVI, 5, 1, "odd.avi", 321, 241, 24, "avi", "h264", "mp2", 320, 240},
    {"mpeg_pal_vcd_ac3", TARGET_MPEG, 0, 0, "clip.mp4", 352, 288, 25, "mpeg", "mpeg1video", "ac3", 352, 288},
    {"mpeg_ntsc_vcd_mp2", TARGET_MPEG, 1, 1, "clip.mp4", 352, 240, 29.97, "mpeg", "mpeg1video", "mp2", 352, 240},
    {"mpeg_pal_svcd_mp2", TARGET_MPEG, 2, 1, "clip.mp4", 480, 576, 25, "mpeg", "mpeg2video", "mp2", 480, 576},
    {"mpeg_ntsc_svcd_ac3", TARGET_MPEG, 3, 0, "clip.mp4", 480, 480, 29.97, "mpeg", "mpeg2video", "ac3", 480, 480},
    {"mpeg_pal_dvd_ac3", TARGET_MPEG, 4, 0, "clip.mp4", 720, 576, 25, "mpeg", "mpeg2video", "ac3", 720, 576},
    {"mpeg_ntsc_dvd_mp2", TARGET_MPEG, 5, 1, "clip.mp4", 720, 480, 29.97, "mpeg", "mpeg2video", "mp2", 720, 480},
    {"mpeg_mpeg1video_mp2", TARGET_MPEG, 6, 1, "clip.mp4", 320, 240, 15, "mpeg", "mpeg1video", "mp2", 320, 240},
    {"mpeg_mpeg2video_ac3", TARGET_MPEG, 7, 0, "odd.avi", 321, 241, 23.97, "mpeg", "mpeg2video", "ac3", 320, 240},
    {"wmv_wmv2_mp3", TARGET_WMV, 0, 0, "clip.mp4", 320, 240, 30, "asf", "wmv2", "mp3", 320, 240},
    {"wmv_wmv1_mp2", TARGET_WMV, 1, 1, "odd.avi", 321, 241, 25, "asf", "wmv1", "mp2", 320, 240},
    {"wmv_msmpeg4_mp3", TARGET_WMV, 2, 0, "clip.mp4", 240, 180, 29.97, "asf", "msmpeg4v3", "mp3", 240, 180},
    {"asf_msmpeg4v2_mp2", TARGET_WMV, 3, 1, "clip.mp4", 320, 200, 20, "asf", "msmpeg4v2", "mp2", 320, 200},
    {"mov_xvid_aac", TARGET_MOV, 0, 0, "clip.mp4", 320, 240, 25, "mov", "mpeg4", "aac", 320, 240},
    {"mov_h264_pcm_alaw", TARGET_MOV, 1, 1, "clip.mp4", 320, 240, 24, "mov", "h264", "pcm_alaw", 320, 240},
    {"mov_h263_pcm_s16le", TARGET_MOV, 2, 2, "clip.mp4", 320, 240, 15, "mov", "h263", "pcm_s16le", 352, 288},
    {"mov_mpeg4_pcm_s16be", TARGET_MOV, 3, 3, "clip.mp4", 192, 144, 10, "mov", "mpeg4", "pcm_s16be", 192, 144},
    {"mov_svq1_aac", TARGET_MOV, 4, 0, "odd.avi", 321, 241, 30, "mov", "svq1", "aac", 321, 241},
    {"swf_swf_mp3", TARGET_FLV, 0, 0, "clip.mp4", 320, 240, 25, "swf", "flv1", "mp3", 320, 240},
    {"flv_flv_mp3", TARGET_FLV, 1, 0, "clip.mp4", 320, 240, 29.97, "flv", "flv1", "mp3", 320, 240},
};

class ConversionTest : public EncoderTest, public ::testing::WithParamInterface<int> {
protected:
    // Converts one case and checks the file against it; an AVI file also
    // tells which FFmpeg wrote it.
    static void ExpectConvertsAsAsked(int index, Route route);
};
class HostRouteConversionTest : public ConversionTest {};
class RouteTest : public EncoderTest, public ::testing::WithParamInterface<Route> {};

// The cases walk through every entry of the audio bit-rate, sample-rate and
// aspect tables, both channel counts and the whole volume range.
ConverterSettings SettingsFor(int index)
{
    const ConversionCase& c = CASES[index];
    const int volumes[] = {256, 0, 768, 128};
    ConverterSettings settings;
    settings.target = c.target;
    settings.videoCodec = c.video;
    settings.audioCodec = c.audio;
    settings.width = c.width;
    settings.height = c.height;
    settings.frameRate = c.rate;
    settings.videoBitrate = 600 + 100 * (index % 5);
    settings.audioBitrate = index % 15;
    settings.sampleRate = index % 5;
    settings.aspect = index % 3;
    settings.channels = 1 + index % 2;
    settings.volume = volumes[index % 4];
    return settings;
}

void ConversionTest::ExpectConvertsAsAsked(int index, Route route)
{
    const ConversionCase& c = CASES[index];
    ConverterCommand command = Command(SettingsFor(index), c.source, c.name, route);
    DeleteFileA(command.outputPath.c_str());
    SCOPED_TRACE(command.commandLine);

    EncoderOutcome run = RunEncoder(command.commandLine);
    ExpectOnlyProgress(run, CLIP_SECONDS);
    EXPECT_GE(run.lines.size(), 2u) << "a progress line at the start and one at the end";

    MediaStreams media = ProbeMedia(command.outputPath);
    ASSERT_TRUE(media.readable) << command.outputPath;
    EXPECT_NE(std::string::npos, media.format.find(c.format)) << media.format;
    EXPECT_EQ(c.videoCodec, media.videoCodec);
    EXPECT_EQ(c.audioCodec, media.audioCodec);
    EXPECT_NEAR(CLIP_SECONDS, media.duration, CLIP_SECONDS * 0.1);
    EXPECT_EQ(c.outWidth, media.width);
    EXPECT_EQ(c.outHeight, media.height);
    if (std::string(c.format) == "avi") {
        EXPECT_EQ(0u, media.writer.find("Lavf")) << media.writer;
        EXPECT_EQ(route == Route::WindowsFfmpeg, media.writer.find(BUNDLED_WRITER) == 0) << media.writer;
    }
    EXPECT_TRUE(TemporaryFolderRemoved(run));
    DeleteFileA(command.outputPath.c_str());
}

TEST_P(ConversionTest, ConvertsToThePlayableFileAsked) { ExpectConvertsAsAsked(GetParam(), Route::WindowsFfmpeg); }

INSTANTIATE_TEST_SUITE_P(EveryCodecEntry, ConversionTest, ::testing::Range(0, static_cast<int>(std::size(CASES))),
                         [](const ::testing::TestParamInfo<int>& info) { return std::string(CASES[info.param].name); });

TEST_P(HostRouteConversionTest, ConvertsToThePlayableFileAsked) { ExpectConvertsAsAsked(GetParam(), Route::HostFfmpeg); }

// One case of each container family that FFmpeg writes differently.
INSTANTIATE_TEST_SUITE_P(SomeCodecEntries, HostRouteConversionTest, ::testing::Values(0, 7, 15, 19, 24),
                         [](const ::testing::TestParamInfo<int>& info) { return std::string(CASES[info.param].name); });

TEST_F(EncoderTest, CasesCoverEveryTableEntry)
{
    for (int target = TARGET_AVI; target <= TARGET_FLV; ++target) {
        const OptionTable& videos = *FindOptionTable(target);
        for (int video = 0; video < videos.count; ++video) {
            bool used = false;
            for (const ConversionCase& c : CASES)
                used = used || (c.target == target && c.video == video);
            EXPECT_TRUE(used) << OptionEntry(videos, video);
        }
        const OptionTable& audios = *FindOptionTable(target + AUDIO_LIST_OFFSET);
        for (int audio = 0; audio < audios.count; ++audio) {
            bool used = false;
            for (const ConversionCase& c : CASES)
                used = used || (c.target == target && c.audio == audio);
            EXPECT_TRUE(used) << OptionEntry(audios, audio);
        }
    }
    EXPECT_GE(std::size(CASES), 15u) << "every audio bit rate is used once";
}

TEST_P(RouteTest, InfoGivesDurationAndFrameSize)
{
    struct {
        const char* clip;
        const char* answer;
    } const expected[] = {
        {"clip.mp4", "Duration:2 Width:320 Height:240"},
        {"odd.avi", "Duration:2 Width:321 Height:241"},
        {"tone.mp3", "Duration:2 Width:0 Height:0"},
        {"long.mp4", "Duration:20 Width:320 Height:240"},
    };
    for (const auto& e : expected) {
        EncoderOutcome run = RunEncoder(InfoCommand(Clip(e.clip), GetParam()));
        ASSERT_TRUE(run.exited);
        EXPECT_EQ(std::string(e.answer) + "\n", run.output) << e.clip;
        EXPECT_EQ(0u, run.exitCode);
    }
}

TEST_F(EncoderTest, InfoOnAMissingFileGivesNoFacts)
{
    EncoderOutcome run = RunEncoder(InfoCommand(Clip("missing.avi")));
    ASSERT_TRUE(run.exited);
    EXPECT_NE(0u, run.exitCode);
    EXPECT_EQ(std::string::npos, run.output.find("Duration:"));
    EXPECT_NE(std::string::npos, run.output.find("missing.avi"));
}

TEST_F(EncoderTest, ScriptSourcesConvertWithTheirFrameRate)
{
    // A streamed source gets a constant 23.976 frames per second from the
    // script; an MP4 keeps its own timing; other names get the plain form.
    CopyFileA(Clip("clip.mp4").c_str(), Clip("clip.dat").c_str(), FALSE);
    for (const char* source : {"clip.wmv", "clip.mp4", "clip.dat"}) {
        SCOPED_TRACE(source);
        ConverterSettings settings;
        settings.frameRate = 23.97;
        settings.directShow = 1;
        ConverterCommand command = Command(settings, source, "scripted");
        ASSERT_TRUE(ReadsTheScript(command)) << command.commandLine;
        EncoderOutcome run = RunEncoder(command.commandLine);
        ExpectOnlyProgress(run, CLIP_SECONDS);
        MediaStreams media = ProbeMedia(command.outputPath);
        EXPECT_EQ("mpeg4", media.videoCodec);
        EXPECT_EQ("mp3", media.audioCodec);
        EXPECT_NEAR(CLIP_SECONDS, media.duration, CLIP_SECONDS * 0.1);
        DeleteFileA(command.outputPath.c_str());
    }
}

TEST_P(RouteTest, QuitBytesFinishAPlayableFile)
{
    ConverterSettings settings;
    settings.videoCodec = 5;  // h264 at the largest frame size, so that 20 seconds take a while
    settings.width = 720;
    settings.height = 576;
    ConverterCommand command = Command(settings, "long.mp4", "stopped", GetParam());
    // The quit comes once a progress line shows that FFmpeg encodes.
    EncoderOutcome run = RunEncoder(command.commandLine, 1);
    ASSERT_TRUE(run.exited);
    int seconds = 0;
    ASSERT_FALSE(run.lines.empty());
    EXPECT_TRUE(IsProgressLine(run.lines.back(), &seconds) && seconds >= 1)
        << "the encoder ended before it reported progress";
    for (const std::string& line : run.lines)
        EXPECT_TRUE(IsProgressLine(line)) << line;
    MediaStreams media = ProbeMedia(command.outputPath);
    ASSERT_TRUE(media.readable);
    EXPECT_EQ("h264", media.videoCodec);
    EXPECT_GT(media.duration, 0.0);
    EXPECT_LT(media.duration, 19.0) << "stopped before the end";
    EXPECT_TRUE(TemporaryFolderRemoved(run));
    DeleteFileA(command.outputPath.c_str());
}

TEST_P(RouteTest, FailuresEndWithAFailureLine)
{
    ConverterSettings settings;
    ConverterCommand missingSource = Command(settings, "missing.mp4", "failed", GetParam());
    ExpectFailure(RunEncoder(missingSource.commandLine));

    settings.input = Clip("clip.mp4");
    settings.outputBase = g_work + "no such folder\\out";
    EncoderOutcome noFolder = RunEncoder(BuildConverterCommand(ProgramDir(GetParam()), settings).commandLine);
    ExpectFailure(noFolder);
    EXPECT_TRUE(TemporaryFolderRemoved(noFolder));

    settings.directShow = 1;
    ConverterCommand missingScripted = Command(settings, "missing.rmvb", "failed", GetParam());
    ASSERT_TRUE(ReadsTheScript(missingScripted, GetParam())) << missingScripted.commandLine;
    ExpectFailure(RunEncoder(missingScripted.commandLine));
    settings.directShow = 0;

    // FFmpeg itself refuses a file that is no media.
    HANDLE garbage = CreateFileA(Clip("garbage.avi").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(garbage, "this is no video at all", 23, &written, nullptr);
    CloseHandle(garbage);
    ConverterCommand notMedia = Command(settings, "garbage.avi", "failed", GetParam());
    EncoderOutcome refused = RunEncoder(notMedia.commandLine);
    ExpectFailure(refused);
    EXPECT_TRUE(TemporaryFolderRemoved(refused));
}

INSTANTIATE_TEST_SUITE_P(BothFfmpegs, RouteTest, ::testing::Values(Route::WindowsFfmpeg, Route::HostFfmpeg), RouteName);

// The converter starts the next file's encoder early as a standby: it runs
// the command line it then receives as if started with it, and one that is
// not needed ends quietly when its input closes.
TEST_F(EncoderTest, AStandbyRunsTheCommandLineItReceivesOrEndsUnused)
{
    const std::string standby = g_programDir + "vec.exe lumen-quartz-framebridging -standby";
    ConverterCommand command = Command(ConverterSettings(), "clip.mp4", "standby");
    EncoderOutcome run = RunEncoder(standby, 0, command.commandLine + "\n");
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(0u, run.exitCode) << run.output;
    for (const std::string& line : run.lines)
        EXPECT_TRUE(IsProgressLine(line)) << line;
    MediaStreams media = ProbeMedia(command.outputPath);
    EXPECT_TRUE(media.readable);
    EXPECT_NEAR(CLIP_SECONDS, media.duration, 0.5);
    DeleteFileA(command.outputPath.c_str());

    EncoderOutcome unused = RunEncoder(standby, 0, "", true);
    ASSERT_TRUE(unused.exited);
    EXPECT_EQ(0u, unused.exitCode);
    EXPECT_EQ("", unused.output);
}

TEST_F(EncoderTest, RefusesToWorkWithoutTheAccessToken)
{
    EncoderOutcome run = RunEncoder(g_programDir + "vec.exe -info \"" + Clip("clip.mp4") + "\"");
    ExpectFailure(run);
    EXPECT_EQ(std::string::npos, run.output.find("Duration:"));
    EXPECT_NE(std::string::npos, run.output.find("access token"));
}

}  // namespace
