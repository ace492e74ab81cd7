#include "TestedFamily.h"

#include "skin/engine/Interception.h"
#include "skin/engine/XpProbe.h"

#include <gtest/gtest.h>

using namespace skin;

namespace {

constexpr DWORD kNonNt = 0x80000000u;

struct VersionRow {
    const char* system;
    OsVersion version;
    OsFamily family;        // the one classification, which the program names at load
    OsFamily engineFamily;  // what the skin engine intercepts by
    const char* name;
};

const VersionRow kVersionRows[] = {
    {"non-NT 3.x", {kNonNt | 3, false, 0, 0}, kOsOldNonNt, kOsOldNonNt, "Win32s"},
    {"non-NT 3.95 with a version record", {kNonNt | 3, true, 3, 95}, kOsOldNonNt, kOsOldNonNt, "Win32s"},
    {"Windows 95", {kNonNt | 4, true, 4, 0}, kOsWindows95, kOsWindows95, "Win95"},
    {"non-NT without a version record", {kNonNt | 4, false, 0, 0}, kOsWindows95, kOsWindows95, "Win95"},
    {"Windows 98", {0xC0000A04u, true, 4, 10}, kOsWindows98, kOsWindows98, "Win98"},
    {"Windows Me", {0xC0005A04u, true, 4, 90}, kOsWindowsMe, kOsWindowsMe, "WinME"},
    {"non-NT 5.0", {kNonNt | 5, true, 5, 0}, kOsWindows95, kOsWindows95, "Win95"},
    {"NT 3.51", {0x04213303u, true, 3, 51}, kOsOtherNt, kOsOtherNt, "WinNT3"},
    {"NT 4.0", {0x05650004u, true, 4, 0}, kOsNt4, kOsNt4, "WinNT4"},
    {"NT 4.1", {0x00000104u, true, 4, 1}, kOsNt4, kOsOtherNt, "WinNT4"},
    {"Windows 2000", {0x08930005u, true, 5, 0}, kOsWindows2000, kOsWindows2000, "Win2000"},
    {"Windows XP", {0x0A280105u, true, 5, 1}, kOsWindowsXp, kOsWindowsXp, "WinXP"},
    {"Windows Server 2003", {0x0ECE0205u, true, 5, 2}, kOsOtherNt, kOsOtherNt, "WinNT3"},
    {"Windows 7", {0x1DB10106u, true, 6, 1}, kOsOtherNt, kOsOtherNt, "WinNT3"},
    {"NT without a version record", {0x0A280105u, false, 0, 0}, kOsOtherNt, kOsOtherNt, "WinNT3"},
};

TEST(OsFamilyTest, ClassifiesEachSystem)
{
    for (const VersionRow& row : kVersionRows) {
        EXPECT_EQ(ClassifyOsFamily(row.version), row.family) << row.system;
        EXPECT_EQ(EngineOsFamily(row.version), row.engineFamily) << row.system;
        EXPECT_STREQ(OsFamilyName(row.family), row.name) << row.system;
    }
    EXPECT_STREQ(OsFamilyName(kOsWindowsXp + 1), "Unknown");
}

TEST(OsFamilyTest, DetectsTheVersionThisExecutableIsShown)
{
    EXPECT_EQ(RunningOsFamily(), TestedFamily());
    EXPECT_EQ(EngineOsFamily(RunningOsVersion()), TestedFamily());
}

TEST(XpProbeTest, FindsTheButtonProcedureAndCanRunAgain)
{
    WNDCLASSA button = {};
    ASSERT_TRUE(GetClassInfoA(nullptr, "BUTTON", &button));
    HINSTANCE instance = GetModuleHandleA(nullptr);
    EXPECT_EQ(ProbeButtonProcedure(instance), button.lpfnWndProc);
    EXPECT_EQ(ProbeButtonProcedure(instance), button.lpfnWndProc);
}

}  // namespace
