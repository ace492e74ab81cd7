#include "ui/OutputNaming.h"
#include "ui/SourceRecords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

std::string Duration(double seconds)
{
    char text[100] = {};
    EXPECT_EQ(1, FormatDuration(WholeSeconds(seconds), text));
    return text;
}

MediaItem Record(const char* path, int converted = 0)
{
    MediaItem item{};
    strcpy(item.m_szSourcePath, path);
    item.m_bConverted = converted;
    return item;
}

std::vector<std::string> PathsOf(const MediaItem* items, int count)
{
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i)
        paths.push_back(items[i].m_szSourcePath);
    return paths;
}

}  // namespace

TEST(DurationText, DropsTheFractionAndLetsHoursGrow)
{
    EXPECT_EQ("01:02:05", Duration(3725.9));
    EXPECT_EQ("00:00:59", Duration(59.99));
    EXPECT_EQ("100:00:00", Duration(360000.0));
    EXPECT_EQ("00:00:00", Duration(0.4));
    EXPECT_EQ(0, FormatDuration(5, nullptr));
}

TEST(DurationText, OutOfRangeDurationsStayPrintable)
{
    EXPECT_EQ(0, WholeSeconds(-3.0));
    EXPECT_EQ(0, WholeSeconds(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(std::numeric_limits<int>::max(), WholeSeconds(1e300));
    EXPECT_EQ("596523:14:07", Duration(1e300));
}

TEST(FileSelection, OneFileOrADirectoryWithNames)
{
    EXPECT_EQ(std::vector<std::string>{"C:\\in\\a.avi"}, SelectedPaths("C:\\in\\a.avi\0"));
    const std::vector<std::string> several{"C:\\in\\b.mp4", "C:\\in\\a.avi", "C:\\in\\b.mp4"};
    EXPECT_EQ(several, SelectedPaths("C:\\in\0b.mp4\0a.avi\0b.mp4\0"));
    EXPECT_EQ((std::vector<std::string>{"D:\\x.mov", "D:\\y.mov"}), SelectedPaths("D:\\\0x.mov\0y.mov\0"));
    EXPECT_TRUE(SelectedPaths("").empty());
    EXPECT_TRUE(SelectedPaths(static_cast<const char*>(nullptr)).empty());
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\in\\\u65e5.avi", L"C:\\in\\a.avi"}),
              SelectedPaths(L"C:\\in\0\u65e5.avi\0a.avi\0"));
}

TEST(SourceListCapacity, ThirtyRowsAtMost)
{
    EXPECT_EQ(3, RowsThatFit(0, 3));
    EXPECT_EQ(30, RowsThatFit(0, 31));
    EXPECT_EQ(1, RowsThatFit(29, 3));
    EXPECT_EQ(0, RowsThatFit(30, 1));
    EXPECT_EQ(0, RowsThatFit(31, 1));
}

TEST(RemovingRows, RecordsOfEverySelectedRowLeaveAndTheRestCloseUp)
{
    MediaItem items[MEDIA_LIST_CAPACITY] = {Record("a"), Record("b", 1), Record("c"), Record("d")};
    EXPECT_EQ(2, RemoveRecords(items, 4, {2, 0}));
    EXPECT_EQ((std::vector<std::string>{"b", "d"}), PathsOf(items, 2));
    EXPECT_EQ(1, items[0].m_bConverted);
    EXPECT_EQ(0, items[1].m_bConverted);
    // Freed slots are empty: a later Add starts from a clean record.
    EXPECT_STREQ("", items[2].m_szSourcePath);
    EXPECT_STREQ("", items[3].m_szSourcePath);

    EXPECT_EQ(1, RemoveRecords(items, 2, {0, 0}));
    EXPECT_EQ((std::vector<std::string>{"d"}), PathsOf(items, 1));
}

TEST(RemovingRows, TheFirstOfThreeMovesTheOthersUp)
{
    MediaItem items[3] = {Record("a"), Record("b"), Record("c")};
    items[2].m_dDuration = 7;
    EXPECT_EQ(2, RemoveRecords(items, 3, {0}));
    EXPECT_EQ((std::vector<std::string>{"b", "c"}), PathsOf(items, 2));
    EXPECT_EQ(7, items[1].m_dDuration);
}

TEST(SortedRows, RecordsFollowTheirRows)
{
    MediaItem items[4] = {Record("c"), Record("a", 1), Record("b"), Record("a")};
    items[1].m_dDuration = 11;
    items[3].m_dDuration = 22;
    ASSERT_TRUE(MatchRecordsToRows(items, {{"a", false}, {"a", true}, {"b", false}, {"c", false}}));
    EXPECT_EQ((std::vector<std::string>{"a", "a", "b", "c"}), PathsOf(items, 4));
    // The same file twice: the converted state tells the two records apart.
    EXPECT_EQ(0, items[0].m_bConverted);
    EXPECT_EQ(22, items[0].m_dDuration);
    EXPECT_EQ(1, items[1].m_bConverted);
    EXPECT_EQ(11, items[1].m_dDuration);
}

TEST(SortedRows, AnUnknownRowLeavesTheRecordsAlone)
{
    MediaItem items[2] = {Record("a"), Record("b")};
    EXPECT_FALSE(MatchRecordsToRows(items, {{"b", false}, {"x", false}}));
    EXPECT_FALSE(MatchRecordsToRows(items, {{"b", false}, {"a", true}}));
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), PathsOf(items, 2));
}

TEST(OutputNaming, NameUpToTheFirstDot)
{
    EXPECT_EQ("C:\\out\\\\my", ComposeOutputBase("C:\\out\\", "D:\\clips\\my.trip.mpg"));
    EXPECT_EQ("C:\\out\\\\a", ComposeOutputBase("C:\\out\\", "D:\\a.b.avi"));
    EXPECT_EQ("clip", OutputBaseName("clip.avi"));
}

TEST(OutputNaming, NamesWithoutADotKeepTheirWholeName)
{
    EXPECT_EQ("C:\\out\\\\movie", ComposeOutputBase("C:\\out\\", "D:\\v1.0\\movie"));
    EXPECT_NE(OutputBaseName("D:\\clips\\first"), OutputBaseName("D:\\clips\\second"));
    EXPECT_EQ(".avi", OutputBaseName("D:\\clips\\.avi"));
}

TEST(OutputNaming, TheLongestSuffixWithANumberMustStillFit)
{
    // "_h263p_pcm_s16le (9999).avi"
    EXPECT_TRUE(OutputPathFits(std::string(485, 'x'), MEDIA_PATH_CHARS));
    EXPECT_FALSE(OutputPathFits(std::string(486, 'x'), MEDIA_PATH_CHARS));
}
