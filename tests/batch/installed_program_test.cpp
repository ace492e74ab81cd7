// The real program started from a read-only view of its folder
// (readonly_view.sh), as a standard user meets an installed copy.
#include "ProgramFixture.h"

#include "services/AppServices.h"
#include "res/resource.h"
#include "support/WindowWatch.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = {};
    return SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK ? path + std::string("\\") : "";
}

std::string UserFile(const char* name) { return ShellFolder(CSIDL_LOCAL_APPDATA) + "Vodrix Video Converter\\" + name; }

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class InstalledProgram : public ConverterProgram {
protected:
    void SetUp() override
    {
        if (const char* refused = getenv("VODRIX_READONLY_REFUSED"))
            GTEST_SKIP() << "no read-only program folder can be made here: " << refused;
        ASSERT_FALSE(FolderAcceptsFiles(ProgramFolder())) << "the program's folder takes files";
        // An earlier run's files must not pass for this run's.
        DeleteFileA(UserFile("edit.avs").c_str());
        DeleteFileA(UserFile("trace").c_str());
        ConverterProgram::SetUp();
    }
};

struct InstalledProgramFirstStart : InstalledProgram {
    std::string StoredOutputDirectory() const override { return {}; }
};

struct InstalledProgramWritingBesideItself : InstalledProgram {
    std::string StoredOutputDirectory() const override { return ProgramFolder(); }
};

}  // namespace

TEST_F(InstalledProgramFirstStart, OffersTheUsersVideosFolder)
{
    const std::string videos = ShellFolder(CSIDL_MYVIDEO);
    ASSERT_FALSE(videos.empty()) << "this system has no Videos folder";
    EXPECT_EQ(videos, WindowText(m_program.Item(IDC_OUTPUT_DIR)));
    std::string stored;
    ReadSetting("Directory", stored);
    EXPECT_EQ(videos, stored);
}

TEST_F(InstalledProgram, KeepsScriptAndTraceInTheUsersFolderWhichTheNoticeNames)
{
    // DirectShow reads the MPEG-4 clip, so it reaches the encoder through the script.
    AddClips({"b.mp4"});
    ConvertExpecting(" Media file has been generated.");
    EXPECT_TRUE(Plays(Output("\\b_xvid_mp3.avi")));
    EXPECT_EQ(0u, ReadText(UserFile("trace")).find("\"" + ProgramFolder() + "vec.exe\" lumen-quartz-framebridging -i \"" +
                                                    UserFile("edit-")));
    WIN32_FIND_DATAA found;
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA(UserFile("edit-*.avs").c_str(), &found)) << "the run's script stayed";

    // A source spoilt after it was added makes the encoder fail.
    HostShell("cp \"$CLIPS/a.avi\" \"$CLIPS/spoilt.avi\"");
    AddClips({"spoilt.avi"});
    HostShell("printf 'not a video' > \"$CLIPS/spoilt.avi\"");
    m_program.Click(IDC_CONVERT);
    const RemoteDialog notice = m_program.WaitForDialog(60000, "Notice");
    ASSERT_TRUE(notice.hwnd != nullptr);
    EXPECT_NE(std::string::npos, notice.AllText().find("file:\"" + UserFile("trace") + "\" to ")) << notice.AllText();
    RemoteProgram::Close(notice, IDCANCEL);
    EXPECT_NE(std::string::npos, ReadText(UserFile("trace")).find("-i \"" + Clip("spoilt.avi") + "\""));
}

TEST_F(InstalledProgramWritingBesideItself, ConvertNamesTheFolderAndStartsNothing)
{
    AddClips({"a.avi", "c.mov"});
    ConvertExpecting("The output directory \"" + ProgramFolder() +
                     "\" cannot be written. Please choose another output directory.");
    // Every row is kept as it was, and the encoder never ran.
    const std::vector<RemoteRow> rows = m_program.Rows();
    ASSERT_EQ(2u, rows.size());
    EXPECT_TRUE(rows[0].image == 0 && rows[1].image == 0);
    EXPECT_FALSE(FileExists(UserFile("trace")));
    const std::vector<std::string> errors = LoggedErrors();
    EXPECT_NE(errors.end(), std::find(errors.begin(), errors.end(),
                                      "Module ID:ff0001 Can not write to directory :" + ProgramFolder()));
}
