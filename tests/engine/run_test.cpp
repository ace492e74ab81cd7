// Runs of the test encoder: progress on a real progress bar, the tray tip,
// failed runs, the trace file, stopping and the handles a run leaves behind.
#include "COMMON/CFfmpegEncoder.h"
#include "COMMON/MediaProbe.h"
#include "EngineTestSupport.h"
#include "support/EventLogRecorder.h"

#include "services/AppServices.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const SOURCE = R"(D:\in\clip.mov)";

class RunTest : public ::testing::Test {
protected:
    // One window with a tray icon for the whole suite.
    static void SetUpTestSuite() { s_window = new MainWindowWithProgress(true); }
    static void TearDownTestSuite()
    {
        delete s_window;
        s_window = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_tray.Active()) << "the tray calls cannot be observed";
        SendMessageA(m_window.Bar(), PBM_SETPOS, 0, 0);
        m_window.ClearPositions();
    }

    // Builds the AVI item of `duration` seconds and runs it on a worker.
    int Convert(double duration = 60.0, const char* source = SOURCE)
    {
        m_item = AviItem(source, m_dir.File("clip"), duration);
        if (m_encoder.bBuildCommand(&m_item) != 1)
            return -2;
        m_encoder.bSetNotifyView(&m_window.View());
        return RunWhilePumping([this] { return m_encoder.bRun(m_item.m_szOutputPath, m_item.m_nTarget); });
    }

    // Builds the AVI item and starts its run on a worker.
    int StartRun()
    {
        m_item = AviItem(SOURCE, m_dir.File("clip"));
        if (m_encoder.bBuildCommand(&m_item) != 1)
            return 0;
        m_encoder.bSetNotifyView(&m_window.View());
        m_run.reset(new PumpedWorker([this] { return m_encoder.bRun(nullptr, 0); }));
        return 1;
    }

    // The encoder has gone silent, and its first line has reached the bar.
    bool PumpUntilSilentAfterFirstLine()
    {
        return PumpMessagesUntil([this] { return FileExists(m_dir.File("silent")) && !m_window.Positions().empty(); });
    }

    std::string Trace() const { return ReadFileBytes(GetProgramDir() + "trace"); }

    ScratchDir m_dir{"run"};
    EventLogRecorder m_log;
    TrayRecorder m_tray;
    static MainWindowWithProgress* s_window;
    MainWindowWithProgress& m_window = *s_window;
    CFfmpegEncoder m_encoder;
    MediaItem m_item = {};
    std::unique_ptr<PumpedWorker> m_run;
};

MainWindowWithProgress* RunTest::s_window = nullptr;

// What a run shows, with the thread each call came from; no window needed.
class RecordingView : public IConvertView {
public:
    void ShowNotice(const char* text) override { Record(std::string("notice ") + text); }
    void ShowRunFailure(const char* text) override { Record(std::string("failure ") + text); }
    int ProgressPosition() override { return 0; }
    void SetProgressPosition(int position) override { Record("position " + std::to_string(position)); }
    void SetTrayTip(const char* tip) override { Record(std::string("tip ") + tip); }

    std::vector<std::string> calls;
    std::vector<DWORD> threads;

private:
    void Record(const std::string& call)
    {
        calls.push_back(call);
        threads.push_back(GetCurrentThreadId());
    }
};

}  // namespace

TEST_F(RunTest, ProgressMovesTheBarAndTheTrayTipAndEndsAtHundred)
{
    EncoderScript script(m_dir, {"write " + ProgressLine("12.00") + "\\r\\n", "sleep 30",
                                 "write " + ProgressLine("30.50") + "\\n", "sleep 30",
                                 "write " + ProgressLine("54.00") + "\\r\\n"});
    EXPECT_EQ(1, Convert(60.0));
    EXPECT_EQ((std::vector<int>{20, 50, 90, 100}), m_window.Positions());
    EXPECT_EQ(100, m_window.Position());
    EXPECT_EQ((std::vector<std::string>{std::string(SOURCE) + " 20%", std::string(SOURCE) + " 50%",
                                        std::string(SOURCE) + " 90%", std::string(SOURCE) + " 100%"}),
              m_tray.Tips());
    for (const TrayCall& call : m_tray.Calls()) {
        EXPECT_EQ(m_window.Main(), call.window);
        EXPECT_EQ(5u, call.id);
        EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), call.flags);
        EXPECT_EQ(1324u, call.callbackMessage);
        EXPECT_EQ(488u, call.size);
        EXPECT_TRUE(call.result) << "the shell did not accept the tip";
    }
    // Only the command is logged: progress lines are no errors.
    EXPECT_EQ(1u, m_log.Texts().size());
}

TEST_F(RunTest, ZeroSecondLinesShowThatWorkHasBegun)
{
    EncoderScript script(m_dir, {"write " + ProgressLine("0.00") + "\\n", "sleep 20",
                                 "write " + ProgressLine("0.40") + "\\n"});
    EXPECT_EQ(1, Convert());
    // The second zero line finds the bar at 1 and leaves it there.
    EXPECT_EQ((std::vector<int>{1, 100}), m_window.Positions());
}

TEST_F(RunTest, TrayTipIsCutTo127Characters)
{
    const std::string source = "D:\\" + std::string(200, 'v') + ".mov";
    EncoderScript script(m_dir, {"write " + ProgressLine("6") + "\\n"});
    EXPECT_EQ(1, Convert(60.0, source.c_str()));
    const std::vector<std::string> tips = m_tray.Tips();
    ASSERT_EQ(2u, tips.size());
    EXPECT_EQ(source.substr(0, 127), tips[0]);
}

TEST_F(RunTest, OtherLinesFailTheRunAndAreLogged)
{
    EncoderScript script(m_dir, {"write " + ProgressLine("30") + "\\n", "write time=5\\n",
                                 "write \\r\\n", "write " + ProgressLine("45") + "\\n"});
    EXPECT_EQ(0, Convert());
    // No 100 at the end of a failed run.
    EXPECT_EQ((std::vector<int>{50, 75}), m_window.Positions());
    const std::vector<RecordedEvent> events = m_log.Events();
    ASSERT_EQ(2u, events.size());
    EXPECT_EQ(EVENTLOG_ERROR_TYPE, events[1].type);
    EXPECT_EQ(1u, events[1].id);
    EXPECT_EQ("Module:ffff01,Line:PostMessage,Error Info :time=5", events[1].text);
}

TEST_F(RunTest, ProgressAtOrBeyondTheDurationIsLoggedButSucceeds)
{
    const std::string line = ProgressLine("61");
    EncoderScript script(m_dir, {"write " + line + "\\n"});
    EXPECT_EQ(1, Convert(60.0));
    EXPECT_EQ((std::vector<int>{101, 100}), m_window.Positions());
    ASSERT_EQ(2u, m_log.Texts().size());
    EXPECT_EQ("Module:ffff01,Line:PostMessage,Error Info :" + line, m_log.Texts()[1]);
}

TEST_F(RunTest, FailureWhileHandlingALineFailsTheRun)
{
    EncoderScript script(m_dir, {"write garbage\\n"});
    m_log.Clear();
    m_item = AviItem(SOURCE, m_dir.File("clip"));
    ASSERT_EQ(1, m_encoder.bBuildCommand(&m_item));
    m_log.ThrowOnNextEntries(1);  // the entry about the line fails
    m_encoder.bSetNotifyView(&m_window.View());
    EXPECT_EQ(0, RunWhilePumping([this] { return m_encoder.bRun(nullptr, 0); }));
    const std::vector<std::string> texts = m_log.Texts();
    ASSERT_EQ(3u, texts.size());
    EXPECT_EQ("Module:ffff01,Line:PostMessage,Error Info :garbage", texts[1]);
    EXPECT_EQ(texts[1], texts[2]);
}

TEST_F(RunTest, AFailureWhileReadingIsShownFromTheReadingThread)
{
    EncoderScript script(m_dir, {"write garbage\\n"});
    m_item = AviItem(SOURCE, m_dir.File("clip"));
    ASSERT_EQ(1, m_encoder.bBuildCommand(&m_item));
    m_log.ThrowOnNextEntries(2);  // the entry about the line, then the one about its failure
    RecordingView view;
    m_encoder.bSetNotifyView(&view);
    DWORD reader = 0;
    EXPECT_EQ(0, RunWhilePumping([&] {
        reader = GetCurrentThreadId();
        return m_encoder.bRun(nullptr, 0);
    }));
    // The run is abandoned there: no position 100 follows.
    EXPECT_EQ(std::vector<std::string>{"failure ERROR"}, view.calls);
    EXPECT_EQ(std::vector<DWORD>{reader}, view.threads);
}

TEST_F(RunTest, LinesSplitOverReadsAreAssembledAndTraced)
{
    // The 1024-byte reads cut the fifth line; the last one is split by the
    // encoder itself and its end never comes.
    std::vector<std::string> steps;
    std::vector<std::string> lines;
    for (int i = 1; i <= 8; ++i)
        lines.push_back(ProgressLine(std::to_string(i)) + std::string(200, ' ') + "pad");
    std::string firstWrite;
    for (const std::string& line : lines)
        firstWrite += line + "\\r\\n";
    steps.push_back("write " + firstWrite);
    steps.push_back("write frame= 9 fps= 9 q=2.0 ");
    steps.push_back("sleep 50");
    steps.push_back("write size=1kB time=9.00 bitrate=1\\n");
    steps.push_back("write frame= 10 fps= 9 q=2.0 size=1kB time=10.00");
    lines.push_back("frame= 9 fps= 9 q=2.0 size=1kB time=9.00 bitrate=1");
    lines.push_back("frame= 10 fps= 9 q=2.0 size=1kB time=10.00");
    EncoderScript script(m_dir, steps);

    EXPECT_EQ(1, Convert(10.0));
    EXPECT_EQ((std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 100}), m_window.Positions());
    std::string expectedTrace = m_encoder.GetCommand() + "\r\n";
    for (const std::string& line : lines)
        expectedTrace += line + "\r\n";
    EXPECT_EQ(expectedTrace, Trace());
}

TEST_F(RunTest, EncoderThatCannotStartFailsTheRun)
{
    ScratchDir empty("no encoder");
    CFfmpegEncoder encoder(empty.Path());
    m_item = AviItem(SOURCE, m_dir.File("clip"));
    ASSERT_EQ(1, encoder.bBuildCommand(&m_item));
    encoder.bSetNotifyView(&m_window.View());
    EXPECT_EQ(0, RunWhilePumping([&] { return encoder.bRun(nullptr, 0); }));
    EXPECT_EQ((std::vector<int>{100}), m_window.Positions());
    EXPECT_FALSE(FileExists(empty.File("trace")));
}

// A program planted where the folder's first blank would end an unquoted
// path never runs: not for a conversion nor for a probe.
TEST_F(RunTest, ExecutableInADirectoryWithBlanksIsTheOneThatRuns)
{
    ScratchDir dir("planted at blank");
    const std::string planted = dir.Path().substr(0, dir.Path().find(" at blank")) + ".exe";
    ASSERT_TRUE(CopyFileA((GetProgramDir() + "vec.exe").c_str(), dir.File("vec.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((GetProgramDir() + "vec.exe").c_str(), planted.c_str(), FALSE));
    const std::string ran = m_dir.File("ran.txt");
    EncoderScript script(m_dir, {"module " + ran, "cmdline " + m_dir.File("cmdline.txt"),
                                 "write " + ProgressLine("3") + "\\n"});
    CFfmpegEncoder encoder(dir.Path());
    m_item = AviItem(SOURCE, m_dir.File("clip"));
    ASSERT_EQ(1, encoder.bBuildCommand(&m_item));
    encoder.bSetNotifyView(&m_window.View());
    EXPECT_EQ(1, RunWhilePumping([&] { return encoder.bRun(nullptr, 0); }));
    const std::string received = ReadFileBytes(m_dir.File("cmdline.txt"));
    int duration = 0, width = 0, height = 0;
    bProbeWithEncoder(SOURCE, &duration, &width, &height, dir.Path());
    DeleteFileA(planted.c_str());

    EXPECT_EQ(encoder.GetCommand(), received);
    EXPECT_EQ(encoder.GetCommand() + "\r\n" + ProgressLine("3") + "\r\n", ReadFileBytes(dir.File("trace")));
    // The run's encoder, then the probe's.
    EXPECT_EQ(dir.File("vec.exe") + "\n" + dir.File("vec.exe") + "\n", ReadFileBytes(ran));
}

// Whatever way the encoder ends, a run that failed leaves no file of its own
// and never touches a file that was there before it.
TEST_F(RunTest, OnlyACleanEndCountsAndAFailedRunLeavesNothingOfItsOwn)
{
    struct Case {
        const char* what;
        std::vector<std::string> steps;
        int result;
        bool outputStays;
    };
    const std::string output = m_dir.File("clip_xvid_mp3 (2).avi");
    const Case cases[] = {
        {"a finished file", {"fill " + output, "write " + ProgressLine("3") + "\\n"}, 1, true},
        {"a crash after writing, without a word", {"fill " + output, "exit 3"}, 0, false},
        {"an end without a word and without output", {"exit 0"}, 1, false},
        {"an error line after writing", {"fill " + output, "write failed\\n"}, 0, false},
    };
    const std::string partial = m_dir.File("clip_xvid_mp3.avi");
    WriteFileBytes(partial, "an earlier stopped run");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EncoderScript script(m_dir, c.steps);
        EXPECT_EQ(c.result, Convert());
        EXPECT_EQ(output, m_item.m_szOutputPath);
        EXPECT_EQ(c.outputStays, FileExists(output));
        EXPECT_EQ("an earlier stopped run", ReadFileBytes(partial));
        DeleteFileA(output.c_str());
    }
}

TEST_F(RunTest, AScriptThatCannotBeWrittenFailsTheItemWithANotice)
{
    ScratchDir dir("script folder");
    CFfmpegEncoder encoder(dir.File("gone\\"));
    RecordingView view;
    encoder.bSetNotifyView(&view);
    m_item = AviItem(R"(D:\in\clip.rmvb)", m_dir.File("clip"));
    m_item.m_bDirectShow = 1;
    EXPECT_EQ(0, encoder.bBuildCommand(&m_item));
    EXPECT_EQ(std::vector<std::string>{"notice The script file for \"D:\\in\\clip.rmvb\" cannot be written in \"" +
                                       dir.File("gone\\") +
                                       "\". Please make sure that this folder can be written, then convert again."},
              view.calls);
    const std::vector<RecordedEvent> events = m_log.Events();
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(EVENTLOG_ERROR_TYPE, events[0].type);
    EXPECT_NE(std::string::npos, events[0].text.find("Script file not written in " + dir.File("gone\\")));
}

TEST_F(RunTest, StopWhileSilentTakesEffectAtTheNextOutput)
{
    EncoderScript script(m_dir, {"fill " + m_dir.File("clip_xvid_mp3.avi"), "write " + ProgressLine("6") + "\\n",
                                 "signal " + m_dir.File("silent"),
                                 "wait " + m_dir.File("go"), "stdin-pending " + m_dir.File("pending"),
                                 "write " + ProgressLine("12") + "\\n", "read-stdin " + m_dir.File("quit"),
                                 "write " + ProgressLine("18") + "\\n"});
    ASSERT_EQ(1, StartRun());
    ASSERT_TRUE(PumpUntilSilentAfterFirstLine());
    EXPECT_EQ(1, m_encoder.bStop());
    EXPECT_EQ(1, m_encoder.bStop());  // a second click changes nothing
    WriteFileBytes(m_dir.File("go"), "");
    EXPECT_EQ(1, m_run->Finish());

    EXPECT_EQ("0", ReadFileBytes(m_dir.File("pending")));  // nothing was sent while it was silent
    EXPECT_EQ(std::string("q\0\0\0\0\0\0\0\0\0", 10), ReadFileBytes(m_dir.File("quit")));
    // The line read with the stop request and all later output are not looked at.
    EXPECT_EQ(m_encoder.GetCommand() + "\r\n" + ProgressLine("6") + "\r\n", Trace());
    EXPECT_EQ((std::vector<int>{10, 100}), m_window.Positions());
    EXPECT_EQ("encoded data", ReadFileBytes(m_dir.File("clip_xvid_mp3.avi"))) << "a stopped run keeps its file";
}

TEST_F(RunTest, EncoderWritingOnAfterTheQuitRequestCannotBlockTheRun)
{
    EncoderScript script(m_dir, {"write " + ProgressLine("6") + "\\n", "signal " + m_dir.File("silent"),
                                 "wait " + m_dir.File("go"), "write " + ProgressLine("12") + "\\n",
                                 "flood 2000000", "signal " + m_dir.File("flooded")});
    ASSERT_EQ(1, StartRun());
    ASSERT_TRUE(PumpUntilSilentAfterFirstLine());
    m_encoder.bStop();
    WriteFileBytes(m_dir.File("go"), "");
    EXPECT_EQ(1, m_run->Finish());
    EXPECT_TRUE(FileExists(m_dir.File("flooded")));
}

TEST_F(RunTest, StopOutsideARunChangesNothing)
{
    EXPECT_EQ(1, m_encoder.bStop());
    EncoderScript script(m_dir, {"write " + ProgressLine("6") + "\\n", "write " + ProgressLine("12") + "\\n"});
    EXPECT_EQ(1, Convert());
    EXPECT_EQ(1, m_encoder.bStop());
    m_window.ClearPositions();
    EXPECT_EQ(1, Convert());
    EXPECT_EQ((std::vector<int>{10, 20, 100}), m_window.Positions());
}

TEST_F(RunTest, RunsLeaveNoHandlesBehind)
{
    EncoderScript script(m_dir, {"write " + ProgressLine("6") + "\\n"});
    ASSERT_EQ(1, Convert());  // first-run allocations of the system libraries
    const int before = CountOpenHandles();
    ASSERT_GT(before, 0);
    for (int run = 0; run < 50; ++run)
        ASSERT_EQ(1, Convert()) << "run " << run;
    EXPECT_EQ(before, CountOpenHandles());
}
