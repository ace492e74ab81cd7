#include "services/AppServices.h"
#include "ui/BatchLoop.h"
#include "ui/Shutdown.h"
#include "ui/SourceRecords.h"
#include "ui/TimeLeft.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

namespace {

// What the fake engine does with one row.
enum class Engine { Writes, WritesNothing, WritesEmpty, Fails, Refuses };

std::string TempFolder()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + "batch_loop_test\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void WriteFile(const std::string& path, const char* content)
{
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file) << path;
    fputs(content, file);
    fclose(file);
}

std::vector<std::string> g_logged;

void RecordLog(WORD, DWORD eventId, const char* text)
{
    g_logged.push_back(std::to_string(eventId) + " " + (text ? text : ""));
}

class FakeHost : public IBatchHost {
public:
    explicit FakeHost(std::string outDir) : m_outDir(std::move(outDir)) {}

    void AddSource(const std::string& path, Engine engine = Engine::Writes)
    {
        MediaItem item{};
        strcpy(item.m_szSourcePath, path.c_str());
        items.push_back(item);
        engines.push_back(engine);
    }

    int RowCount() override { return static_cast<int>(items.size()); }
    MediaItem& Item(int row) override { return items[row]; }
    void MarkRowActive(int row) override { events.push_back("active " + std::to_string(row)); }
    void ShowRowConverted(int row) override { events.push_back("image 2 on " + std::to_string(row)); }
    std::string OutputDirectoryText() override { return m_outDir; }
    bool FillItemSettings(MediaItem& item) override
    {
        item.m_nTarget = target;
        return target >= TARGET_AVI && target <= TARGET_FLV;
    }
    int Convert(MediaItem& item, bool anotherFollows) override
    {
        const int row = static_cast<int>(&item - items.data());
        events.push_back("convert " + std::to_string(row));
        follows.push_back(anotherFollows);
        bases.push_back(item.m_szOutputPath);
        if (engines[row] == Engine::Refuses) {
            WriteFile(item.m_szOutputPath, "the user's own");  // a file named like the bare base
            return 1;
        }
        strcat(item.m_szOutputPath, "_xvid_mp3.avi");  // as the engine extends the base
        if (onConvert)
            onConvert(row);
        switch (engines[row]) {
        case Engine::Writes: WriteFile(item.m_szOutputPath, "data"); return 1;
        case Engine::WritesEmpty: WriteFile(item.m_szOutputPath, ""); return 1;
        case Engine::WritesNothing: return 1;
        case Engine::Fails:
        case Engine::Refuses: return 0;
        }
        return 0;
    }
    void EndConversions() override { ++conversionsEnded; }
    bool StopRequested() override { return stopRequested; }
    void ClearStopRequest() override { stopRequested = false; }
    void ShowMessage(const char* text) override { events.push_back(std::string("message ") + text); }
    void ShowConvertNotice() override { events.push_back("convert notice"); }
    bool ShutdownWanted() override { return shutdownWanted; }
    void OfferShutdown() override { events.push_back("shut down"); }
    void EnableCommands(bool idle) override { events.push_back(idle ? "idle" : "running"); }

    std::vector<MediaItem> items;
    std::vector<Engine> engines;
    std::vector<std::string> events;
    std::vector<std::string> bases;
    std::vector<bool> follows;  // per Convert: whether the loop said another row follows
    int conversionsEnded = 0;
    std::function<void(int)> onConvert;
    int target = TARGET_AVI;
    bool stopRequested = false;
    bool shutdownWanted = false;

private:
    std::string m_outDir;
};

class BatchLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = TempFolder();
        for (const char* name : {"one.avi", "two.mp4", "three.b.mov", "gone.avi"}) {
            DeleteFileA((m_folder + name).c_str());
            WriteFile(m_folder + name, "source");
        }
        DeleteFileA(Source("gone.avi").c_str());
        for (const char* name : {"one", "two", "three"})
            DeleteFileA((m_folder + name + "_xvid_mp3.avi").c_str());
        g_logged.clear();
        SetEventLogObserver(RecordLog);
    }
    void TearDown() override { SetEventLogObserver(nullptr); }

    std::string Source(const char* name) const { return m_folder + name; }

    std::string m_folder;
};

using Events = std::vector<std::string>;

}  // namespace

TEST_F(BatchLoop, AnEmptyListAsksForFilesAndComesBackAtOnce)
{
    FakeHost host(m_folder);
    EXPECT_EQ(0, RunBatchLoop(host));
    EXPECT_EQ((Events{"message " MSG_EMPTY_LIST, "idle"}), host.events);
    EXPECT_TRUE(g_logged.empty());
}

TEST_F(BatchLoop, ConvertsEveryRowInOrderThenSkipsThemNextTime)
{
    FakeHost host(m_folder);
    host.AddSource(Source("one.avi"));
    host.AddSource(Source("two.mp4"));
    host.AddSource(Source("three.b.mov"));
    EXPECT_EQ(1, RunBatchLoop(host));
    EXPECT_EQ((Events{"active 0", "convert 0", "image 2 on 0", "active 1", "convert 1", "image 2 on 1", "active 2",
                      "convert 2", "image 2 on 2", "message " MSG_BATCH_DONE, "idle"}),
              host.events);
    EXPECT_EQ((std::vector<std::string>{m_folder + "\\one", m_folder + "\\two", m_folder + "\\three"}), host.bases);
    for (const MediaItem& item : host.items) {
        EXPECT_EQ(1, item.m_bConverted);
        EXPECT_EQ(TARGET_AVI, item.m_nTarget);
    }

    host.events.clear();
    EXPECT_EQ(1, RunBatchLoop(host));
    EXPECT_EQ((Events{"message " MSG_BATCH_DONE, "idle"}), host.events);
}

TEST_F(BatchLoop, AMissingSourceEndsTheRunAndStopsThereAgain)
{
    FakeHost host(m_folder);
    host.AddSource(Source("one.avi"));
    host.AddSource(Source("gone.avi"));
    host.AddSource(Source("two.mp4"));
    EXPECT_EQ(0, RunBatchLoop(host));
    EXPECT_EQ((Events{"active 0", "convert 0", "image 2 on 0", "active 1", "message " MSG_MISSING_SOURCE, "idle"}),
              host.events);
    EXPECT_EQ((std::vector<std::string>{"1 Module ID:ff0001 Can not find file :" + Source("gone.avi")}), g_logged);

    host.events.clear();
    EXPECT_EQ(0, RunBatchLoop(host));
    EXPECT_EQ((Events{"active 1", "message " MSG_MISSING_SOURCE, "idle"}), host.events);
    EXPECT_EQ(0, host.items[2].m_bConverted);
}

TEST_F(BatchLoop, ARowIsConvertedOnlyOnceItsOutputHoldsData)
{
    for (Engine engine : {Engine::WritesNothing, Engine::WritesEmpty}) {
        g_logged.clear();
        FakeHost host(m_folder);
        host.AddSource(Source("one.avi"), engine);
        host.AddSource(Source("two.mp4"));
        EXPECT_EQ(0, RunBatchLoop(host));
        EXPECT_EQ((Events{"active 0", "convert 0", "convert notice", "idle"}), host.events);
        EXPECT_EQ(0, host.items[0].m_bConverted);
        EXPECT_EQ((std::vector<std::string>{"1 Module ID:ff0001 Can not convert file :" + m_folder +
                                            "\\one_xvid_mp3.avi "}),
                  g_logged);

        // The next Convert tries the same row again instead of skipping it.
        host.engines[0] = Engine::Writes;
        host.events.clear();
        EXPECT_EQ(1, RunBatchLoop(host));
        EXPECT_EQ("convert 0", host.events[1]);
        EXPECT_EQ(1, host.items[0].m_bConverted);
        DeleteFileA((m_folder + "one_xvid_mp3.avi").c_str());
    }
}

TEST_F(BatchLoop, ARefusedItemIsNotConvertedByAFileNamedLikeItsBase)
{
    FakeHost host(m_folder);
    host.AddSource(Source("one.avi"), Engine::Refuses);
    EXPECT_EQ(0, RunBatchLoop(host));
    EXPECT_EQ((Events{"active 0", "convert 0", "convert notice", "idle"}), host.events);
    EXPECT_EQ(0, host.items[0].m_bConverted);
    DeleteFileA(host.bases[0].c_str());
}

TEST_F(BatchLoop, AnEngineFailureIsReportedUnlessTheUserStopped)
{
    FakeHost host(m_folder);
    host.AddSource(Source("one.avi"), Engine::Fails);
    EXPECT_EQ(0, RunBatchLoop(host));
    EXPECT_EQ((Events{"active 0", "convert 0", "convert notice", "idle"}), host.events);
    EXPECT_EQ((std::vector<std::string>{"1 Module ID:ff0001 123Can not convert file :" + m_folder +
                                        "\\one_xvid_mp3.avi"}),
              g_logged);

    g_logged.clear();
    host.events.clear();
    host.onConvert = [&](int) { host.stopRequested = true; };
    EXPECT_EQ(0, RunBatchLoop(host));
    EXPECT_EQ((Events{"active 0", "convert 0", "idle"}), host.events);
    EXPECT_TRUE(g_logged.empty());
    EXPECT_FALSE(host.stopRequested);
}

TEST_F(BatchLoop, AStopIsNotASuccessWithOrWithoutTheShutdownBox)
{
    for (bool shutdownWanted : {false, true}) {
        SCOPED_TRACE(shutdownWanted ? "shut-down box checked" : "shut-down box clear");
        DeleteFileA((m_folder + "two_xvid_mp3.avi").c_str());
        FakeHost host(m_folder);
        host.shutdownWanted = shutdownWanted;
        host.AddSource(Source("one.avi"));
        host.AddSource(Source("two.mp4"));
        host.AddSource(Source("three.b.mov"));
        // The stopped encoder still leaves a partial file under the usual name.
        host.onConvert = [&](int row) { host.stopRequested = row == 1; };
        EXPECT_EQ(0, RunBatchLoop(host));
        EXPECT_EQ((Events{"active 0", "convert 0", "image 2 on 0", "active 1", "convert 1", "idle"}), host.events);
        EXPECT_FALSE(host.stopRequested);
        EXPECT_EQ(0, host.items[1].m_bConverted);
        EXPECT_TRUE(OutputFileMade((m_folder + "two_xvid_mp3.avi").c_str())) << "the partial output stays";
        EXPECT_TRUE(g_logged.empty());

        host.onConvert = nullptr;
        host.events.clear();
        EXPECT_EQ(1, RunBatchLoop(host));
        const Events completed = shutdownWanted ? Events{"shut down"} : Events{"message " MSG_BATCH_DONE, "idle"};
        Events expected{"active 1", "convert 1", "image 2 on 1", "active 2", "convert 2", "image 2 on 2"};
        expected.insert(expected.end(), completed.begin(), completed.end());
        EXPECT_EQ(expected, host.events) << "the next Convert redoes the stopped row";
    }
}

// The engine readies the next row's encoder only when the loop will reach
// another row, and every way the run ends lets a readied encoder go.
TEST_F(BatchLoop, AConversionIsToldWhetherAnotherFollowsAndEveryEndLetsGoOfIt)
{
    struct Case {
        const char* what;
        std::vector<const char*> sources;
        int convertedBefore;  // a row done by an earlier run, or -1
        int stopAt;           // the row during which Stop is clicked, or -1
        std::vector<bool> follows;
    };
    const Case cases[] = {
        {"completed, the middle row done before", {"one.avi", "two.mp4", "three.b.mov"}, 1, -1, {true, false}},
        {"stopped", {"one.avi", "two.mp4", "three.b.mov"}, -1, 1, {true, true}},
        {"a missing source", {"one.avi", "gone.avi"}, -1, -1, {true}},
        {"an empty list", {}, -1, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeHost host(m_folder);
        for (const char* name : c.sources)
            host.AddSource(Source(name));
        if (c.convertedBefore >= 0)
            host.items[c.convertedBefore].m_bConverted = 1;
        host.onConvert = [&](int row) { host.stopRequested = row == c.stopAt; };
        RunBatchLoop(host);
        EXPECT_EQ(c.follows, host.follows);
        EXPECT_EQ(1, host.conversionsEnded);
    }
}

TEST_F(BatchLoop, AStopBeforeAnyOutputEndsTheRunQuietly)
{
    FakeHost host(m_folder);
    host.AddSource(Source("one.avi"), Engine::WritesNothing);
    host.AddSource(Source("two.mp4"));
    host.onConvert = [&](int) { host.stopRequested = true; };
    EXPECT_EQ(0, RunBatchLoop(host));
    EXPECT_EQ((Events{"active 0", "convert 0", "idle"}), host.events);
    EXPECT_TRUE(g_logged.empty());
    EXPECT_EQ(0, host.items[0].m_bConverted);
}

TEST_F(BatchLoop, AStaleStopRequestIsClearedWhenARunStarts)
{
    FakeHost host(m_folder);
    host.AddSource(Source("one.avi"));
    host.AddSource(Source("two.mp4"));
    host.stopRequested = true;
    BeginBatch(host);
    EXPECT_EQ((Events{"running"}), host.events);
    EXPECT_EQ(1, RunBatchLoop(host));
    EXPECT_EQ(1, host.items[1].m_bConverted);
}

TEST_F(BatchLoop, ShutsDownAfterACompletedRunOnly)
{
    FakeHost host(m_folder);
    host.shutdownWanted = true;
    host.AddSource(Source("one.avi"));
    EXPECT_EQ(1, RunBatchLoop(host));
    EXPECT_EQ((Events{"active 0", "convert 0", "image 2 on 0", "shut down"}), host.events);

    host.AddSource(Source("gone.avi"));
    host.events.clear();
    EXPECT_EQ(0, RunBatchLoop(host));
    EXPECT_EQ((Events{"active 1", "message " MSG_MISSING_SOURCE, "idle"}), host.events);

    host.items.pop_back();
    host.engines.pop_back();
    host.AddSource(Source("two.mp4"), Engine::Fails);
    host.events.clear();
    EXPECT_EQ(0, RunBatchLoop(host));
    EXPECT_EQ((Events{"active 1", "convert 1", "convert notice", "idle"}), host.events);
}

TEST_F(BatchLoop, AnOutputPathTooLongIsRefusedInsteadOfCut)
{
    const std::string longDir = m_folder + std::string(MEDIA_PATH_CHARS - m_folder.size() - 31, 'd') + "\\";
    FakeHost host(longDir);
    host.AddSource(Source("one.avi"));
    host.AddSource(Source("two.mp4"));
    EXPECT_EQ(0, RunBatchLoop(host));
    ASSERT_EQ(3u, host.events.size());
    EXPECT_EQ("active 0", host.events[0]);
    EXPECT_NE(std::string::npos, host.events[1].find("would not fit in 512 characters")) << host.events[1];
    EXPECT_NE(std::string::npos, host.events[1].find(Source("one.avi")));
    EXPECT_EQ("idle", host.events[2]);
    EXPECT_EQ((std::vector<std::string>{"1 Module ID:ff0001 Output path too long for :" + Source("one.avi")}),
              g_logged);
    EXPECT_STREQ("", host.items[0].m_szOutputPath);

    // One character shorter and the same source fits.
    FakeHost shorter(longDir.substr(0, longDir.size() - 2) + "\\");
    shorter.AddSource(Source("one.avi"), Engine::WritesNothing);
    RunBatchLoop(shorter);
    EXPECT_EQ("convert 0", shorter.events[1]);
}

TEST_F(BatchLoop, NoFamilyChosenEndsTheRunWithoutConverting)
{
    FakeHost host(m_folder);
    host.target = 0;
    host.AddSource(Source("one.avi"));
    EXPECT_EQ(0, RunBatchLoop(host));
    EXPECT_EQ((Events{"active 0", "idle"}), host.events);
}

namespace {

std::vector<std::pair<UINT, DWORD>> g_exitCalls;

BOOL WINAPI RecordExitWindows(UINT flags, DWORD reason)
{
    g_exitCalls.emplace_back(flags, reason);
    return TRUE;
}

bool ShutdownPrivilegeEnabled()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    PRIVILEGE_SET wanted{};
    wanted.PrivilegeCount = 1;
    wanted.Control = PRIVILEGE_SET_ALL_NECESSARY;
    LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &wanted.Privilege[0].Luid);
    BOOL held = FALSE;
    PrivilegeCheck(token, &wanted, &held);
    CloseHandle(token);
    return held != FALSE;
}

}  // namespace

TEST(ShutdownComputer, EnablesThePrivilegeThenAsksForAShutdown)
{
    const bool enabledBefore = ShutdownPrivilegeEnabled();
    const ExitWindowsCall previous = SetExitWindowsCall(RecordExitWindows);
    EXPECT_TRUE(ShutdownComputer());
    EXPECT_FALSE(enabledBefore);
    EXPECT_EQ((std::vector<std::pair<UINT, DWORD>>{{EWX_SHUTDOWN, 0u}}), g_exitCalls);
    EXPECT_TRUE(ShutdownPrivilegeEnabled());
    EXPECT_EQ(RecordExitWindows, SetExitWindowsCall(nullptr));
    EXPECT_EQ(ExitWindowsEx, SetExitWindowsCall(previous));
}

TEST_F(BatchLoop, StopBetweenTwoRowsNeverStartsTheNextOne)
{
    struct StopAfterFirstImage : FakeHost {
        using FakeHost::FakeHost;
        void ShowRowConverted(int row) override
        {
            FakeHost::ShowRowConverted(row);
            stopRequested = true;
        }
    } between(m_folder);
    between.AddSource(Source("one.avi"));
    between.AddSource(Source("two.mp4"));
    between.shutdownWanted = true;
    EXPECT_EQ(0, RunBatchLoop(between));
    EXPECT_EQ((Events{"active 0", "convert 0", "image 2 on 0", "idle"}), between.events);
    EXPECT_FALSE(between.stopRequested);

    // A stop that arrives before the first row has started ends the run quietly.
    FakeHost early(m_folder);
    early.AddSource(Source("one.avi"));
    early.stopRequested = true;
    EXPECT_EQ(0, RunBatchLoop(early));
    EXPECT_EQ((Events{"idle"}), early.events);
}

TEST(TimeLeft, IsToldFromTheSpeedSoFarOnceEnoughIsDone)
{
    // The durations of the rows the run converts, the row it is on and the percentage of that row.
    struct Case {
        const char* what;
        std::vector<double> rows;
        int currentRow, percent;
        unsigned long elapsedMs;
        const char* text;
    };
    const Case cases[] = {
        {"too soon after the start", {120}, 0, 50, 2999, ""},
        {"too little of the first row", {600}, 0, 2, 10000, ""},
        {"half of the only row", {120}, 0, 50, 30000, "less than a minute left"},
        {"the rows still to come count", {120, 240, 240}, 0, 50, 30000, "about 5 min left"},
        {"a finished row counts as done", {100, 300}, 1, 0, 50000, "about 3 min left"},
        {"a row without a duration adds nothing", {100, 0, 300}, 1, 0, 50000, "about 3 min left"},
        {"nothing left at the end", {60}, 0, 100, 30000, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        unsigned long now = 1000;
        CTimeLeftEstimate estimate([&] { return now; });
        for (int row = 0; row <= c.currentRow; ++row)
            estimate.RowStarts(c.rows[row], std::accumulate(c.rows.begin() + row + 1, c.rows.end(), 0.0));
        estimate.RowProgress(c.percent);
        now += c.elapsedMs;
        EXPECT_EQ(c.text, estimate.Text());
        estimate.Reset();
        EXPECT_EQ("", estimate.Text()) << "after the run";
    }

    const std::pair<double, const char*> words[] = {
        {59.9, "less than a minute left"}, {60, "about 1 min left"},   {89, "about 1 min left"},
        {90, "about 2 min left"},          {3600, "about 60 min left"}};
    for (const auto& [seconds, text] : words)
        EXPECT_EQ(text, TimeLeftText(seconds)) << seconds;
}

TEST(TimeLeft, TheTrayTipCutsThePathNotTheTime)
{
    EXPECT_EQ("C:\\clips\\a.avi 42% - about 3 min left",
              TrayTipWithTimeLeft("C:\\clips\\a.avi", 42, "about 3 min left"));
    const std::string path = "C:\\" + std::string(80, 'x') + "\\clip.avi";
    const std::string tip = TrayTipWithTimeLeft(path, 7, "less than a minute left");
    EXPECT_EQ(TRAY_TIP_CHARS, tip.size()) << tip;
    EXPECT_EQ(0u, tip.find("...x")) << tip;
    EXPECT_NE(std::string::npos, tip.find("\\clip.avi 7% - less than a minute left")) << tip;
}

TEST(ShutdownCountdown, CountsWholeSecondsFromTheClockAndReadsItsLength)
{
    const std::pair<unsigned long, int> moments[] = {{0, 30},     {999, 30},   {1000, 29},
                                                     {29001, 1}, {30000, 0}, {45000, 0}};
    for (const auto& [elapsedMs, left] : moments)
        EXPECT_EQ(left, CountdownSecondsLeft(30, elapsedMs)) << elapsedMs;

    const std::pair<const char*, int> lengths[] = {{nullptr, 30}, {"5", 5}, {"3600", 3600}, {"0", 30},
                                                   {"3601", 30},  {"5s", 30}, {"", 30}};
    for (const auto& [value, seconds] : lengths) {
        SetEnvironmentVariableA(SHUTDOWN_SECONDS_VARIABLE, value);
        EXPECT_EQ(seconds, ShutdownCountdownSeconds()) << (value ? value : "unset");
    }
    SetEnvironmentVariableA(SHUTDOWN_SECONDS_VARIABLE, nullptr);
}
