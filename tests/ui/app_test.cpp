// The application object's start and stop.
#include "services/AppServices.h"
#include "app/CConverterApp.h"
#include "res/resource.h"
#include "support/WindowWatch.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

struct LoggedEntry {
    WORD type;
    DWORD id;
    std::string text;
};
std::vector<LoggedEntry> g_entries;

void RecordEntry(WORD type, DWORD id, const char* text) { g_entries.push_back({type, id, text ? text : ""}); }

TEST(ConverterAppTest, RunsTheMainDialogBetweenAStartAndAStopEntry)
{
    g_entries.clear();
    SetEventLogObserver(&RecordEntry);
    // A user ends the program with EXIT once the window is up and idle.
    std::thread user([] {
        HWND main = WaitForTopWindow(APP_TITLE, 20000, "Output Directory");
        if (!main)
            return;
        WaitUntil([main] { return !IsWindowEnabled(GetDlgItem(main, IDC_STOP)); }, 20000);
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
    });
    CConverterApp app;
    const int exitCode = app.Run();
    user.join();
    SetEventLogObserver(nullptr);

    EXPECT_EQ(0, exitCode);
    ASSERT_GE(g_entries.size(), 2u);
    EXPECT_EQ("Vodrix Video ConverterV2.0.5 start", g_entries.front().text);
    EXPECT_EQ(EVENTLOG_INFORMATION_TYPE, g_entries.front().type);
    EXPECT_EQ(3u, g_entries.front().id);
    EXPECT_EQ("Vodrix Video ConverterV2.0.5 stop", g_entries.back().text);
    EXPECT_EQ(EVENTLOG_INFORMATION_TYPE, g_entries.back().type);
    EXPECT_EQ(3u, g_entries.back().id);
}

}  // namespace
