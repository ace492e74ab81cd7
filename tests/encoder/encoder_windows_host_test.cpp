// How vec.exe drives FFmpeg's Windows programs through pipes, with a stand-in
// for them whose behaviour the test decides: probing, progress, quit, failure,
// and missing programs.
#include "encoder/ProbeInfo.h"
#include "encoder/ToolHost.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class WindowsToolHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, temp);
        m_toolDir = std::string(temp) + "vec tools " + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(m_toolDir.c_str(), nullptr);
        std::string fake = FakeFfmpegPath();
        ASSERT_TRUE(CopyFileA(fake.c_str(), (m_toolDir + "ffmpeg.exe").c_str(), FALSE)) << fake;
        ASSERT_TRUE(CopyFileA(fake.c_str(), (m_toolDir + "ffprobe.exe").c_str(), FALSE));
        m_host = CreateWindowsToolHost(m_toolDir);
    }

    void TearDown() override
    {
        for (const char* name : {"ffmpeg.exe", "ffprobe.exe", "out.avi"})
            DeleteFileA((m_toolDir + name).c_str());
        RemoveDirectoryA(m_toolDir.c_str());
    }

    static std::string FakeFfmpegPath()
    {
        std::string path = "Z:" + std::string(FAKE_FFMPEG_HOST_PATH);
        for (char& c : path)
            if (c == '/')
                c = '\\';
        return path;
    }

    std::vector<std::string> EncodeArguments(const char* input)
    {
        return {"-y", "-i", m_toolDir + input, "-c:v", "mpeg4", m_toolDir + "out.avi"};
    }

    // Follows the run to its end, asking it to quit at its first progress
    // when `quitOnProgress`; gives the progress text and the exit code.
    static std::string Follow(EncodingRun& run, int& exitCode, bool quitOnProgress = false)
    {
        std::string progress;
        DWORD start = GetTickCount();
        bool quit = false;
        while (!run.HasEnded(exitCode) && GetTickCount() - start < 60000) {
            progress += run.TakeProgress();
            if (quitOnProgress && !quit && !progress.empty()) {
                run.RequestQuit();
                quit = true;
            }
            Sleep(20);
        }
        return progress + run.TakeProgress();
    }

    std::string m_toolDir;
    std::unique_ptr<ToolHost> m_host;
};

TEST_F(WindowsToolHostTest, ProbesThroughAPipe)
{
    ToolResult result;
    std::string error;
    ASSERT_TRUE(m_host->RunProbe(ProbeArguments(m_toolDir + "clip.avi"), result, error)) << error;
    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ("Duration:4 Width:64 Height:48\n", FormatMediaFacts(ParseProbeOutput(result.output)));
    EXPECT_EQ("fake ffprobe: reading\n", result.log);
}

TEST_F(WindowsToolHostTest, ReadsProgressFromThePipeToTheEnd)
{
    std::string error;
    std::unique_ptr<EncodingRun> run = m_host->StartEncoding(EncodeArguments("clip-1.avi"), error);
    ASSERT_TRUE(run) << error;
    int exitCode = -1;
    std::string progress = Follow(*run, exitCode);
    EXPECT_EQ(0, exitCode);
    EXPECT_NE(std::string::npos, progress.find("out_time_us=500000\n"));
    EXPECT_NE(std::string::npos, progress.find("out_time_us=1000000\nspeed=1x\nprogress=end\n"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((m_toolDir + "out.avi").c_str()));
}

TEST_F(WindowsToolHostTest, QuitGoesToFfmpegsStandardInput)
{
    std::string error;
    std::unique_ptr<EncodingRun> run = m_host->StartEncoding(EncodeArguments("clip-20.avi"), error);
    ASSERT_TRUE(run) << error;
    int exitCode = -1;
    std::string progress = Follow(*run, exitCode, true);
    EXPECT_EQ(0, exitCode);
    EXPECT_NE(std::string::npos, progress.find("progress=end"));
    EXPECT_EQ(std::string::npos, progress.find("out_time_us=20000000\n")) << "it ran to the end of its 20 seconds";
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((m_toolDir + "out.avi").c_str()));
}

TEST_F(WindowsToolHostTest, FailureKeepsFfmpegsMessages)
{
    std::string error;
    std::unique_ptr<EncodingRun> run = m_host->StartEncoding(EncodeArguments("broken.avi"), error);
    ASSERT_TRUE(run) << error;
    int exitCode = 0;
    Follow(*run, exitCode);
    EXPECT_EQ(1, exitCode);
    EXPECT_NE(std::string::npos, run->Log().find("broken.avi: Invalid data found"));
}

TEST_F(WindowsToolHostTest, MissingProgramsAreNamed)
{
    std::unique_ptr<ToolHost> bare = CreateWindowsToolHost(m_toolDir + "nothing here\\");
    ToolResult result;
    std::string error;
    EXPECT_FALSE(bare->RunProbe(ProbeArguments("clip.avi"), result, error));
    EXPECT_NE(std::string::npos, error.find("\"ffprobe.exe\" is not beside vec.exe")) << error;
    EXPECT_FALSE(bare->StartEncoding(EncodeArguments("clip-1.avi"), error));
    EXPECT_NE(std::string::npos, error.find("\"ffmpeg.exe\" is not beside vec.exe")) << error;
}

}  // namespace
