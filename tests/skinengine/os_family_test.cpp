#include "TestedFamily.h"

#include "skin/engine/XpProbe.h"

#include <gtest/gtest.h>

using namespace skin;

namespace {

constexpr DWORD kNonNt = 0x80000000u;

struct VersionRow {
    const char* system;
    OsVersion version;
    OsFamily expected;
};

const VersionRow kVersionRows[] = {
    {"non-NT 3.x", {kNonNt | 3, false, 0, 0}, kOsOldNonNt},
    {"Windows 95", {kNonNt | 4, true, 4, 0}, kOsWindows95},
    {"non-NT without a version record", {kNonNt | 4, false, 0, 0}, kOsWindows95},
    {"Windows 98", {0xC0000A04u, true, 4, 10}, kOsWindows98},
    {"Windows Me", {0xC0005A04u, true, 4, 90}, kOsWindowsMe},
    {"NT 4.0", {0x05650004u, true, 4, 0}, kOsNt4},
    {"Windows 2000", {0x08930005u, true, 5, 0}, kOsWindows2000},
    {"Windows XP", {0x0A280105u, true, 5, 1}, kOsWindowsXp},
    {"Windows 7", {0x1DB10106u, true, 6, 1}, kOsOtherNt},
    {"NT without a version record", {0x0A280105u, false, 0, 0}, kOsOtherNt},
};

TEST(OsFamilyTest, ClassifiesEachSystem)
{
    for (const VersionRow& row : kVersionRows)
        EXPECT_EQ(ClassifyOsFamily(row.version), row.expected) << row.system;
}

TEST(OsFamilyTest, DetectsTheVersionThisExecutableIsShown)
{
    EXPECT_EQ(DetectOsFamily(), TestedFamily());
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
