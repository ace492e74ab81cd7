// Probing sources: the encoder's "-info" answer, and DirectShow's media
// detector on clips that the host's ffmpeg makes at test time.
#include "COMMON/CFfmpegEncoder.h"
#include "COMMON/MediaProbe.h"
#include "EngineTestSupport.h"
#include "support/HostProcess.h"

#include "services/AppServices.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdio>
#include <string>

namespace {

class EncoderProbeTest : public ::testing::Test {
protected:
    // Probes with the test encoder answering `steps`; returns its verdict.
    int Probe(const std::vector<std::string>& steps)
    {
        EncoderScript script(m_dir, steps);
        m_duration = m_width = m_height = 0;
        return bProbeWithEncoder(R"(D:\in\clip.mov)", &m_duration, &m_width, &m_height);
    }

    ScratchDir m_dir{"encoder probe"};
    int m_duration = 0;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace

TEST_F(EncoderProbeTest, DurationAndOneDimensionAreEnough)
{
    EXPECT_EQ(1, Probe({"write Duration:30 Width:0 Height:240\\r\\n"}));
    EXPECT_EQ(30, m_duration);
    EXPECT_EQ(0, m_width);
    EXPECT_EQ(240, m_height);

    EXPECT_EQ(0, Probe({"write Duration:0 Width:320 Height:240\\r\\n"}));
    EXPECT_EQ(320, m_width);
    EXPECT_EQ(0, Probe({"write Duration:30 Width:0 Height:0"}));
}

TEST_F(EncoderProbeTest, AnswerMustStartAChunk)
{
    EXPECT_EQ(0, Probe({"write Input #0: Duration:30 Width:320 Height:240\\n"}));
    EXPECT_EQ(0, m_duration);
    // Reads are 100 bytes long: the answer after 100 bytes starts the second one.
    EXPECT_EQ(1, Probe({"write " + std::string(100, '.') + "Duration:40 Width:640 Height:480"}));
    EXPECT_EQ(40, m_duration);
    EXPECT_EQ(640, m_width);
    EXPECT_EQ(480, m_height);
}

TEST_F(EncoderProbeTest, ValuesFromEarlierChunksStillCount)
{
    EXPECT_EQ(1, Probe({"write Duration:25 Width:320", "sleep 50", "write Duration:none"}));
    EXPECT_EQ(25, m_duration);
    EXPECT_EQ(320, m_width);
}

TEST_F(EncoderProbeTest, StopsReadingOnceEverythingIsKnown)
{
    const std::string go = m_dir.File("go");
    EncoderScript script(m_dir, {"cmdline " + m_dir.File("cmdline.txt"), "write Duration:9 Width:32 Height:24",
                                 "wait " + go, "write Duration:1 Width:1 Height:1",
                                 "signal " + m_dir.File("done")});
    // The encoder waits until after the probe: a probe that waited for it
    // would not end before its own wait gives up, after a minute.
    const int result = RunWhilePumping(
        [this] { return bProbeWithEncoder(R"(D:\in\my clip.mov)", &m_duration, &m_width, &m_height); }, 20000);
    WriteFileBytes(go, "");
    EXPECT_TRUE(PumpUntilFileExists(m_dir.File("done")));  // no encoder outlives the test
    EXPECT_EQ(1, result);
    EXPECT_EQ(9, m_duration);
    EXPECT_EQ("\"" + GetProgramDir() + R"(vec.exe" lumen-quartz-framebridging -info "D:\in\my clip.mov")",
              ReadFileBytes(m_dir.File("cmdline.txt")));
}

TEST_F(EncoderProbeTest, MissingEncoderOrArgumentsAnswerNo)
{
    ScratchDir empty("no encoder");
    EXPECT_EQ(0, bProbeWithEncoder(R"(D:\in\clip.mov)", &m_duration, &m_width, &m_height, empty.Path()));
    EXPECT_EQ(0, bProbeWithEncoder(nullptr, &m_duration, &m_width, &m_height));
    EXPECT_EQ(0, bProbeWithEncoder(R"(D:\in\clip.mov)", nullptr, &m_width, &m_height));
    const std::string longPath = "D:\\" + std::string(1000, 'a') + ".mov";
    EXPECT_EQ(0, Probe({"signal " + m_dir.File("started")}));
    EXPECT_EQ(0, bProbeWithEncoder(longPath.c_str(), &m_duration, &m_width, &m_height));
}

TEST_F(EncoderProbeTest, EmptyFileGoesToTheEncoderOnly)
{
    const std::string empty = m_dir.File("empty.avi");
    WriteFileBytes(empty, "");
    MediaItem item = {};
    item.m_nSrcChannels = 7;
    EXPECT_EQ(E_FAIL, ProbeWithDirectShow(WidePath(empty.c_str()).c_str(), ProbeFieldsOf(&item)));
    EXPECT_EQ(0, item.m_nSrcChannels);
    EXPECT_EQ(E_FAIL, ProbeWithDirectShow(WidePath(m_dir.File("missing.avi").c_str()).c_str(), ProbeFieldsOf(&item)));

    CoInitialize(nullptr);
    EncoderScript script(m_dir, {"write Duration:12 Width:176 Height:144"});
    CFfmpegEncoder encoder;
    EXPECT_EQ(1, encoder.bGetMediaFileContent(empty.c_str(), &item));
    EXPECT_EQ(0, item.m_bDirectShow);
    EXPECT_EQ(12.0, item.m_dDuration);
    EXPECT_EQ(176, item.m_nSrcWidth);
    EXPECT_EQ(144, item.m_nSrcHeight);
    CoUninitialize();
}

namespace {

// Clips made once for the whole suite by the host's ffmpeg.
class DirectShowProbeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new ScratchDir("clips");
        if (!RunningUnderWine())
            return;
        const std::string host = HostPathOf(s_dir->Path());
        const std::string video = "-f lavfi -i testsrc=size=320x240:rate=25:duration=2 ";
        const std::string tone = "-f lavfi -i sine=duration=2 ";
        const std::string clips[] = {
            video + tone + "-c:v mpeg4 -c:a libmp3lame -shortest clip.avi",
            video + tone + "-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest clip.mp4",
            "-f lavfi -i sine=duration=3 -c:a libmp3lame tone.mp3",
            "-f lavfi -i testsrc=size=160x120:rate=25:duration=1 -f lavfi -i sine=duration=3 "
            "-c:v mpeg4 -c:a pcm_s16le long_audio.avi",
            video + tone + "-c:v flv -c:a libmp3lame -ar 44100 -shortest clip.flv",
            video + tone + "-c:v mpeg4 -c:a aac -shortest clip.mov",
            video + tone + "-c:v mpeg1video -c:a mp2 -shortest clip.mpg",
            video + tone + "-c:v wmv2 -c:a wmav2 -shortest clip.wmv",
        };
        std::string command = "cd '" + host + "' && true";
        for (const std::string& clip : clips)
            command += " && ffmpeg -nostdin -v error -y " + clip;
        RunHostShell(command + " >/dev/null 2>&1");
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }

    void SetUp() override
    {
        if (!RunningUnderWine())
            GTEST_SKIP() << "clips are made by the host's ffmpeg";
        ASSERT_EQ(S_OK, CoInitialize(nullptr));
    }
    void TearDown() override { CoUninitialize(); }

    static HRESULT Probe(const char* name, MediaItem* item)
    {
        *item = {};
        return ProbeWithDirectShow(WidePath(s_dir->File(name).c_str()).c_str(), ProbeFieldsOf(item));
    }

    static ScratchDir* s_dir;
};

ScratchDir* DirectShowProbeTest::s_dir = nullptr;

}  // namespace

TEST_F(DirectShowProbeTest, ReadsVideoAndAudioOfAviAndMp4)
{
    for (const char* name : {"clip.avi", "clip.mp4"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(FileExists(s_dir->File(name)));
        MediaItem item;
        EXPECT_EQ(S_OK, Probe(name, &item));
        EXPECT_EQ(1, item.m_bHasVideo);
        EXPECT_EQ(1, item.m_bHasAudio);
        EXPECT_EQ(320, item.m_nSrcWidth);
        EXPECT_EQ(240, item.m_nSrcHeight);
        EXPECT_NEAR(2.0, item.m_dDuration, 0.2);
        EXPECT_NEAR(25.0, item.m_dSrcFrameRate, 0.1);
        EXPECT_EQ(44100, item.m_nSrcSampleRate);
        EXPECT_EQ(1, item.m_nSrcChannels);
    }
}

TEST_F(DirectShowProbeTest, LongerAudioStreamGivesTheDuration)
{
    MediaItem item;
    EXPECT_EQ(S_OK, Probe("long_audio.avi", &item));
    EXPECT_EQ(160, item.m_nSrcWidth);
    EXPECT_NEAR(3.0, item.m_dDuration, 0.2);
    EXPECT_EQ(44100 * 16, item.m_nSrcAudioBitRate);
}

TEST_F(DirectShowProbeTest, DetectorResultDecidesTheRouteElseTheEncoderDoes)
{
    CFfmpegEncoder encoder;
    MediaItem item = {};
    ASSERT_EQ(1, encoder.bGetMediaFileContent(s_dir->File("clip.avi").c_str(), &item));
    EXPECT_EQ(1, item.m_bDirectShow);
    EXPECT_EQ(320, item.m_nSrcWidth);

    // Audio only: the detector finds no frame size, the encoder decides.
    EncoderScript script(*s_dir, {"write Duration:3 Width:0 Height:0"});
    item = {};
    EXPECT_EQ(0, encoder.bGetMediaFileContent(s_dir->File("tone.mp3").c_str(), &item));
    EXPECT_EQ(0, item.m_bDirectShow);
    EXPECT_EQ(1, item.m_bHasAudio);
    EXPECT_EQ(3.0, item.m_dDuration);
}

// Records which formats Wine's media detector reads on this machine; the
// probe as a whole always decides, through the encoder when it must.
TEST_F(DirectShowProbeTest, ReportsWhatTheDetectorReads)
{
    EncoderScript script(*s_dir, {"write Duration:2 Width:320 Height:240"});
    CFfmpegEncoder encoder;
    for (const char* name : {"clip.avi", "clip.mp4", "tone.mp3", "clip.flv", "clip.mov", "clip.mpg", "clip.wmv"}) {
        MediaItem item;
        const HRESULT status = Probe(name, &item);
        printf("[ detector ] %-9s %6lu bytes: status 0x%08lx video %d audio %d %dx%d %.2f s\n", name,
               GetFileLength(WidePath(s_dir->File(name).c_str()).c_str()), static_cast<unsigned long>(status),
               item.m_bHasVideo, item.m_bHasAudio, item.m_nSrcWidth, item.m_nSrcHeight, item.m_dDuration);
        MediaItem probed = {};
        EXPECT_EQ(1, encoder.bGetMediaFileContent(s_dir->File(name).c_str(), &probed)) << name;
    }
}
