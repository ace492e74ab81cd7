// The source list and the batch run of the real program under Wine, driven
// from outside: the real open-file dialog, the real vec.exe and FFmpeg.
#include "ProgramFixture.h"

#include "res/resource.h"
#include "support/WindowWatch.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

constexpr int IMAGE_ADDED = 0;
constexpr int IMAGE_CONVERTED = 2;
const char* const DONE = " Media file has been generated.";
const char* const MISSING = " There is a internal error !Please restart the apllication to try again! ";

std::vector<std::string> Paths(const std::vector<RemoteRow>& rows)
{
    std::vector<std::string> paths;
    for (const RemoteRow& row : rows)
        paths.push_back(row.path);
    return paths;
}

std::vector<int> Images(const std::vector<RemoteRow>& rows)
{
    std::vector<int> images;
    for (const RemoteRow& row : rows)
        images.push_back(row.image);
    return images;
}

bool Contains(const std::vector<std::string>& texts, const std::string& wanted)
{
    return std::find(texts.begin(), texts.end(), wanted) != texts.end();
}

}  // namespace

TEST_F(ConverterProgram, AddingFilesKeepsTheDialogsOrderRefusesUnprobedFilesAndStopsAtThirty)
{
    AddClips({"c.mov", "a.avi", "b.mp4"});
    std::vector<RemoteRow> rows = m_program.Rows();
    for (const RemoteRow& row : rows) {
        EXPECT_EQ("00:00:02", row.duration) << row.path;
        EXPECT_EQ(IMAGE_ADDED, row.image) << row.path;
    }
    RemoveAllRows();

    // The second file cannot be probed: the first stays, the third never comes.
    ASSERT_TRUE(m_program.AddFiles(ClipFolder(), {"a.avi", "bad.avi", "c.mov"}));
    const RemoteDialog notice = m_program.WaitForDialog(30000, "Notice");
    ASSERT_TRUE(notice.hwnd != nullptr);
    EXPECT_NE(std::string::npos, notice.AllText().find("This media file maybe include unsupport codec."));
    RemoteProgram::Close(notice, IDCANCEL);
    EXPECT_EQ((std::vector<std::string>{Clip("a.avi")}), Paths(m_program.Rows()));

    // No duplicate check: the same file twice gives two rows.
    AddClips({"a.avi"});
    EXPECT_EQ((std::vector<std::string>{Clip("a.avi"), Clip("a.avi")}), Paths(m_program.Rows()));

    // 2 + 29 chosen: 28 fit, the 31st file is refused and nothing else changes.
    std::vector<std::string> many;
    for (int i = 1; i <= 29; ++i)
        many.push_back((i < 10 ? "n0" : "n") + std::to_string(i) + ".avi");
    ASSERT_TRUE(m_program.AddFiles(ClipFolder(), many));
    const RemoteDialog full = m_program.WaitForDialog(120000, "Info");
    ASSERT_TRUE(full.hwnd != nullptr);
    EXPECT_NE(std::string::npos, full.AllText().find("at most 30 media files. 1 file(s) were not added")) << full.AllText();
    RemoteProgram::Close(full, IDOK);
    rows = m_program.Rows();
    ASSERT_EQ(30u, rows.size());
    EXPECT_EQ(Clip("a.avi"), rows[1].path);
    EXPECT_EQ(Clip("n28.avi"), rows[29].path);
    EXPECT_EQ("00:00:02", rows[29].duration);

    // A full list refuses at once, without a file dialog.
    m_program.Click(IDC_ADD);
    const RemoteDialog refused = m_program.WaitForDialog(30000, "Info");
    ASSERT_TRUE(refused.hwnd != nullptr);
    EXPECT_NE(std::string::npos, refused.AllText().find("at most 30 media files")) << refused.AllText();
    RemoteProgram::Close(refused, IDOK);
    EXPECT_EQ(30u, m_program.Rows().size());
}

TEST_F(ConverterProgram, ThreeRowsConvertIntoEveryFamilyToFilesThatPlay)
{
    for (const Family& family : FAMILIES) {
        SCOPED_TRACE(family.suffix);
        AddClips({"a.avi", "b.mp4", "c.mov"});
        ChooseFamily(family.radioId);
        // Each of the three files ended with the bar at 100.
        EXPECT_EQ((std::vector<int>{100, 100, 100}), ConvertExpecting(DONE));
        EXPECT_EQ((std::vector<int>{IMAGE_CONVERTED, IMAGE_CONVERTED, IMAGE_CONVERTED}), Images(m_program.Rows()));
        for (const char* name : {"a", "b", "c"}) {
            const std::string output = Output(std::string("\\") + name + family.suffix);
            EXPECT_TRUE(FileExists(output)) << output;
            EXPECT_TRUE(Plays(output)) << output;
        }
        RemoveAllRows();
    }
    EXPECT_EQ(0, m_program.ProgressPosition());
}

TEST_F(ConverterProgram, AMissingSourceEndsTheRunAndTheNextConvertStopsThereAgain)
{
    HostShell("cp \"$CLIPS/a.avi\" \"$CLIPS/m1.avi\"; cp \"$CLIPS/a.avi\" \"$CLIPS/m2.avi\"; "
              "cp \"$CLIPS/a.avi\" \"$CLIPS/m3.avi\"");
    AddClips({"m1.avi", "m2.avi", "m3.avi"});
    HostShell("rm \"$CLIPS/m2.avi\"");
    ConvertExpecting(MISSING);
    EXPECT_EQ((std::vector<int>{IMAGE_CONVERTED, IMAGE_ADDED, IMAGE_ADDED}), Images(m_program.Rows()));
    EXPECT_TRUE(Contains(LoggedErrors(), "Module ID:ff0001 Can not find file :" + Clip("m2.avi")));
    const std::string first = Output("\\m1_xvid_mp3.avi");
    ASSERT_TRUE(FileExists(first));
    const FILETIME written = LastWriteTime(first);

    ConvertExpecting(MISSING);
    const FILETIME rewritten = LastWriteTime(first);
    EXPECT_EQ(0, CompareFileTime(&written, &rewritten)) << "the converted row was converted again";
    EXPECT_FALSE(FileExists(Output("\\m3_xvid_mp3.avi")));
    EXPECT_EQ((std::vector<int>{IMAGE_CONVERTED, IMAGE_ADDED, IMAGE_ADDED}), Images(m_program.Rows()));
}

TEST_F(ConverterProgram, StopDuringTheSecondRowAndTheWindowAnswersWhileTheEncoderRuns)
{
    AddClips({"a.avi", "long.avi", "c.mov"});
    ChooseFamily(IDC_TO_MPEG);
    m_program.Click(IDC_CONVERT);
    // The second row runs once the first shows its check mark and the bar moves again.
    ASSERT_TRUE(WaitUntil([&] {
        const std::vector<RemoteRow> rows = m_program.Rows();
        const int position = m_program.ProgressPosition();
        return rows.size() == 3 && rows[0].image == IMAGE_CONVERTED && rows[1].selected && position > 0 &&
               position < 100;
    }, 60000));

    // Only a hung window takes this long; how quickly it answers is measured by bench/window_answer.sh.
    for (int i = 0; i < 5; ++i) {
        DWORD_PTR answer = 0;
        ASSERT_NE(0, SendMessageTimeoutA(m_program.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer));
    }
    // A header click would sort the rows under the running loop: the header takes none.
    EXPECT_FALSE(IsWindowEnabled(m_program.Heading()));
    EXPECT_FALSE(m_program.WaitUntilIdle(0)) << "the run ended before Stop";

    // A stop is no success: no completion message, and the stopped row stays
    // unconverted with its partial output on disk.
    m_program.Click(IDC_STOP);
    ASSERT_TRUE(m_program.WaitUntilIdle(60000));
    EXPECT_EQ(nullptr, m_program.CurrentDialog().hwnd);
    EXPECT_TRUE(IsWindowEnabled(m_program.Heading()));
    EXPECT_EQ((std::vector<int>{IMAGE_CONVERTED, IMAGE_ADDED, IMAGE_ADDED}), Images(m_program.Rows()));
    EXPECT_TRUE(FileExists(Output("\\long_ntsc-dvd_ac3.mpg")));
    EXPECT_FALSE(FileExists(Output("\\c_ntsc-dvd_ac3.mpg")));

    // The partial file stays the user's: the redone row gets a name of its own.
    ConvertExpecting(DONE);
    EXPECT_TRUE(Plays(Output("\\long_ntsc-dvd_ac3.mpg")));
    EXPECT_TRUE(Plays(Output("\\long_ntsc-dvd_ac3 (2).mpg")));
    EXPECT_EQ((std::vector<int>{IMAGE_CONVERTED, IMAGE_CONVERTED, IMAGE_CONVERTED}), Images(m_program.Rows()));
    EXPECT_TRUE(Plays(Output("\\c_ntsc-dvd_ac3.mpg")));
}

TEST_F(ConverterProgram, AnEncoderFailureNamesTheTraceFileWithTheCommandAndTheEncodersLines)
{
    // A source spoilt after it was added makes the encoder fail.
    HostShell("cp \"$CLIPS/a.avi\" \"$CLIPS/spoilt.avi\"");
    AddClips({"spoilt.avi"});
    HostShell("printf 'not a video' > \"$CLIPS/spoilt.avi\"");
    m_program.Click(IDC_CONVERT);
    const RemoteDialog notice = m_program.WaitForDialog(60000, "Notice");
    ASSERT_TRUE(notice.hwnd != nullptr);
    const std::string tracePath = ProgramFolder() + "trace";
    EXPECT_NE(std::string::npos, notice.AllText().find("Please send the following file:\"" + tracePath + "\" to "))
        << notice.AllText();
    RemoteProgram::Close(notice, IDCANCEL);
    ASSERT_TRUE(m_program.WaitUntilIdle(30000));
    const std::vector<RemoteRow> rows = m_program.Rows();
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(IMAGE_ADDED, rows[0].image);
    const std::string output = OutputFolder() + "\\spoilt_xvid_mp3.avi";
    EXPECT_TRUE(Contains(LoggedErrors(), "Module ID:ff0001 123Can not convert file :" + output));
    EXPECT_FALSE(FileExists(output)) << "the failed run left its file behind";

    std::ifstream trace(tracePath, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(trace)), std::istreambuf_iterator<char>());
    const std::string command = "\"" + ProgramFolder() + "vec.exe\" lumen-quartz-framebridging -i \"" +
                                Clip("spoilt.avi") + "\" -vcodec xvid -b 1150k -s 160x120 ";
    EXPECT_EQ(0u, content.find(command)) << content;
    const size_t commandEnd = content.find("\"" + output + "\"");
    ASSERT_NE(std::string::npos, commandEnd) << content;
    EXPECT_GT(content.size(), commandEnd + output.size() + 2) << "no encoder lines after the command";
}

TEST_F(ConverterProgram, SameNamedSourcesAndAnOlderFileEachKeepAFileOfTheirOwn)
{
    HostShell("cp \"$CLIPS/b.mp4\" \"$CLIPS/holiday.2019.mp4\"; cp \"$CLIPS/b.mp4\" \"$CLIPS/holiday.2020.mp4\"; "
              "printf 'the user' > \"$OUT/holiday_xvid_mp3.avi\"");
    AddClips({"holiday.2019.mp4", "holiday.2020.mp4"});
    ConvertExpecting(DONE);
    EXPECT_EQ((std::vector<int>{IMAGE_CONVERTED, IMAGE_CONVERTED}), Images(m_program.Rows()));
    std::ifstream old(Output("\\holiday_xvid_mp3.avi"), std::ios::binary);
    EXPECT_EQ("the user", std::string(std::istreambuf_iterator<char>(old), std::istreambuf_iterator<char>()));
    EXPECT_TRUE(Plays(Output("\\holiday_xvid_mp3 (2).avi")));
    EXPECT_TRUE(Plays(Output("\\holiday_xvid_mp3 (3).avi")));
}

TEST_F(ConverterProgram, RemoveAndSortKeepEveryRowWithItsOwnFile)
{
    HostShell("for k in k1 k2 k3 k4 k5; do cp \"$CLIPS/a.avi\" \"$CLIPS/$k.avi\"; done");
    AddClips({"k3.avi", "k1.avi", "k4.avi", "k2.avi"});
    m_program.SelectRows({0, 2});
    m_program.Click(IDC_REMOVE);
    WaitUntil([&] { return m_program.Rows().size() == 2; }, 30000);
    EXPECT_EQ((std::vector<std::string>{Clip("k1.avi"), Clip("k2.avi")}), Paths(m_program.Rows()));
    AddClips({"k5.avi"});

    // Ascending, then descending.
    m_program.ClickHeading(0);
    m_program.ClickHeading(0);
    ASSERT_EQ((std::vector<std::string>{Clip("k5.avi"), Clip("k2.avi"), Clip("k1.avi")}), Paths(m_program.Rows()));

    // Row 1 shows k2: when its file is missing, exactly the row above it was converted.
    HostShell("mv \"$CLIPS/k2.avi\" \"$CLIPS/k2.keep\"");
    ConvertExpecting(MISSING);
    EXPECT_TRUE(Contains(LoggedErrors(), "Module ID:ff0001 Can not find file :" + Clip("k2.avi")));
    EXPECT_TRUE(FileExists(Output("\\k5_xvid_mp3.avi")));
    EXPECT_FALSE(FileExists(Output("\\k1_xvid_mp3.avi")));
    EXPECT_FALSE(FileExists(Output("\\k3_xvid_mp3.avi")));
    EXPECT_FALSE(FileExists(Output("\\k4_xvid_mp3.avi")));

    HostShell("mv \"$CLIPS/k2.keep\" \"$CLIPS/k2.avi\"");
    ConvertExpecting(DONE);
    EXPECT_TRUE(FileExists(Output("\\k2_xvid_mp3.avi")));
    EXPECT_TRUE(FileExists(Output("\\k1_xvid_mp3.avi")));
    EXPECT_FALSE(FileExists(Output("\\k3_xvid_mp3.avi")));
    EXPECT_FALSE(FileExists(Output("\\k4_xvid_mp3.avi")));
}
