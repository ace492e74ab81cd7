// The application object's start and stop, and the operating-system family.
#include "services/AppServices.h"
#include "app/CConverterApp.h"
#include "app/OsFamily.h"
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

OSVERSIONINFOA Version(DWORD major, DWORD minor)
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    return info;
}

TEST(OsFamilyTest, ClassifiesEachBranchAndVersion)
{
    constexpr DWORD NON_NT = 0x80000000u;
    struct Case {
        DWORD packed;
        DWORD major, minor;
        int family;
    } const cases[] = {
        {NON_NT, 3, 95, OS_WIN32S}, {NON_NT, 4, 0, OS_WIN95},  {NON_NT, 4, 10, OS_WIN98},  {NON_NT, 4, 90, OS_WINME},
        {NON_NT, 5, 0, OS_WIN95},   {0, 4, 0, OS_WINNT4},      {0, 5, 0, OS_WIN2000},      {0, 5, 1, OS_WINXP},
        {0, 5, 2, OS_WINNT3},       {0, 3, 51, OS_WINNT3},     {0, 6, 1, OS_WINNT3},
    };
    for (const Case& c : cases) {
        const OSVERSIONINFOA info = Version(c.major, c.minor);
        EXPECT_EQ(c.family, ClassifyOsFamily(c.packed, &info)) << c.packed << " " << c.major << "." << c.minor;
    }
    EXPECT_EQ(OS_WIN95, ClassifyOsFamily(NON_NT, nullptr));
    EXPECT_EQ(OS_WINNT3, ClassifyOsFamily(0, nullptr));
    EXPECT_STREQ("Win2000", OsFamilyName(OS_WIN2000));
    EXPECT_STREQ("WinXP", OsFamilyName(OS_WINXP));
    EXPECT_STREQ("Win32s", OsFamilyName(OS_WIN32S));
}

TEST(OsFamilyTest, TheLoadTimeFamilyMatchesThisSystem)
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(ClassifyOsFamily(GetVersion(), &info), g_nOsFamily);
}

}  // namespace
