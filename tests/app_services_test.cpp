#include "services/AppServices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct LoggedEntry {
    WORD type;
    DWORD id;
    std::string text;
    bool hasText;
};
std::vector<LoggedEntry> g_logged;

void RecordEntry(WORD type, DWORD id, const char* text)
{
    g_logged.push_back({type, id, text ? text : "", text != nullptr});
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey().c_str()); }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey().c_str()); }

    static void StoreRaw(const char* bytes, DWORD size)
    {
        ASSERT_EQ(1, WriteSetting("Directory", "x"));
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey().c_str(), 0, KEY_SET_VALUE, &key));
        RegSetValueExA(key, "Directory", 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes), size);
        RegCloseKey(key);
    }
};

}  // namespace

TEST(LogEventTest, ReportsEachEntryWithItsTypeIdAndText)
{
    g_logged.clear();
    SetEventLogObserver(RecordEntry);
    EXPECT_EQ(1, LogEvent(EVENTLOG_INFORMATION_TYPE, EVENT_ID_INFO, APP_TITLE APP_VERSION " start"));
    EXPECT_EQ(1, LogEvent(EVENTLOG_ERROR_TYPE, EVENT_ID_ERROR, nullptr));
    SetEventLogObserver(nullptr);

    ASSERT_EQ(2u, g_logged.size());
    EXPECT_EQ(EVENTLOG_INFORMATION_TYPE, g_logged[0].type);
    EXPECT_EQ(3u, g_logged[0].id);
    EXPECT_EQ("Vodrix Video ConverterV2.0.5 start", g_logged[0].text);
    EXPECT_EQ(EVENTLOG_ERROR_TYPE, g_logged[1].type);
    EXPECT_EQ(1u, g_logged[1].id);
    EXPECT_FALSE(g_logged[1].hasText);
}

TEST_F(SettingsTest, MissingKeyReadsAsFailureAndLeavesOutputAlone)
{
    std::string value = "unchanged";
    EXPECT_EQ(0, ReadSetting("Directory", value));
    EXPECT_EQ("unchanged", value);
}

TEST_F(SettingsTest, WrittenValueReadsBackExactly)
{
    ASSERT_EQ(1, WriteSetting("Directory", "C:\\Out Folder\\"));
    std::string value;
    EXPECT_EQ(1, ReadSetting("Directory", value));
    EXPECT_EQ("C:\\Out Folder\\", value);
}

TEST_F(SettingsTest, UnterminatedValueFillingTheWholeBufferReadsCompletely)
{
    // The byte after the counted data is not zero, so the registry stores
    // exactly 1024 bytes and no terminator.
    const std::string stored(1025, 'd');
    StoreRaw(stored.data(), 1024);
    std::string value;
    EXPECT_EQ(1, ReadSetting("Directory", value));
    EXPECT_EQ(std::string(1024, 'd'), value);
}

TEST_F(SettingsTest, ValueLongerThanTheBufferReadsAsMissing)
{
    const std::string stored(1025, 'd');
    StoreRaw(stored.c_str(), 1025);
    std::string value = "unchanged";
    EXPECT_EQ(0, ReadSetting("Directory", value));
    EXPECT_EQ("unchanged", value);
}

// Suites that run side by side each name a key of their own in the environment.
TEST_F(SettingsTest, TheEnvironmentNamesAnotherKey)
{
    char suiteKey[MAX_PATH] = {};
    const bool suiteHasKey = GetEnvironmentVariableA(SETTINGS_KEY_VARIABLE, suiteKey, sizeof suiteKey) > 0;
    SetEnvironmentVariableA(SETTINGS_KEY_VARIABLE, nullptr);
    EXPECT_EQ(SETTINGS_KEY, SettingsKey());

    const char* const other = "Software\\Vodrix Tests\\another key";
    SetEnvironmentVariableA(SETTINGS_KEY_VARIABLE, other);
    EXPECT_EQ(1, WriteSetting("Directory", "C:\\other\\"));
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, other, 0, KEY_READ, &key));
    RegCloseKey(key);
    RegDeleteKeyA(HKEY_CURRENT_USER, other);
    SetEnvironmentVariableA(SETTINGS_KEY_VARIABLE, suiteHasKey ? suiteKey : nullptr);
}

TEST(ProgramDirTest, EndsWithBackslashAndHoldsTheExecutable)
{
    const std::string dir = GetProgramDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ('\\', dir.back());
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    EXPECT_EQ(0u, std::string(exe).find(dir));
    EXPECT_EQ(std::string::npos, std::string(exe).find('\\', dir.size()));
}

TEST(ProgramDirTest, DirectoryOfPathCutsAfterTheLastBackslash)
{
    EXPECT_EQ("C:\\", DirectoryOfPath("C:\\vodrix.exe"));
    EXPECT_EQ("C:\\Program Files\\Vodrix\\", DirectoryOfPath("C:\\Program Files\\Vodrix\\vodrix.exe"));
    EXPECT_EQ("", DirectoryOfPath("vodrix.exe"));
}
