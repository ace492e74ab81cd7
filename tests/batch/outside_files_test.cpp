// Files that reach the real program from outside its Add dialog: named on
// its command line, handed over by a second start, dropped on its window.
#include "ProgramFixture.h"

#include "COMMON/UniqueHandle.h"
#include "res/resource.h"
#include "support/WindowWatch.h"

namespace {

std::vector<std::string> Paths(const std::vector<RemoteRow>& rows)
{
    std::vector<std::string> paths;
    for (const RemoteRow& row : rows)
        paths.push_back(row.path);
    return paths;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A second start, as Explorer's "Open with" makes one: `arguments` as they
// stand on its command line, run in `directory`. Its exit code; STILL_ACTIVE
// (and ended) when it is still running after half a minute.
DWORD StartAgain(const std::string& arguments, const std::string& directory)
{
    std::string commandLine = Quoted(WindowsPathOfHost(PROGRAM_HOST_PATH)) + " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup,
                        &started))
        return GetLastError();
    const UniqueHandle thread(started.hThread);
    const UniqueHandle process(started.hProcess);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.get(), 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.get(), &code);
    else
        TerminateProcess(process.get(), 1);
    return code;
}

bool Shown(HWND window) { return IsWindowVisible(window) && GetForegroundWindow() == window; }

class ProgramStartedWithFiles : public ConverterProgram {
protected:
    void SetUp() override
    {
        MakeClips();
        HostShell("cp \"$CLIPS/b.mp4\" \"$CLIPS/with blank.mp4\"");
        ConverterProgram::SetUp();
    }
    std::vector<std::string> StartFiles() const override { return {Clip("with blank.mp4"), Clip("a.avi")}; }
};

}  // namespace

TEST_F(ProgramStartedWithFiles, ItsCommandLineFilesBecomeRowsInTheirOrder)
{
    ASSERT_TRUE(m_program.WaitForProbedRows(2, 60000));
    EXPECT_EQ((std::vector<std::string>{Clip("with blank.mp4"), Clip("a.avi")}), Paths(m_program.Rows()));
}

TEST_F(ConverterProgram, ASecondStartHandsItsFilesToTheHiddenWindowBringsItToTheFrontAndEnds)
{
    const HWND window = m_program.Window();
    // Named relative to the second start's own folder.
    for (const std::string& arguments : {Quoted("b.mp4") + " c.mov", std::string()}) {
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, 30000));
        EXPECT_EQ(0u, StartAgain(arguments, ClipFolder())) << arguments;
        EXPECT_TRUE(WaitUntil([&] { return Shown(window); }, 30000)) << arguments;
        ASSERT_TRUE(m_program.WaitForProbedRows(2, 60000)) << arguments;
    }
    EXPECT_EQ((std::vector<std::string>{Clip("b.mp4"), Clip("c.mov")}), Paths(m_program.Rows()));
}

// The folder drop takes the media files directly inside, in name order; a
// drop under the running batch was refused, while a second start's file
// waited for the batch to end.
TEST_F(ConverterProgram, DuringABatchHandedOverFilesWaitAndDropsAreRefusedAfterItAFolderDropAddsItsMedia)
{
    HostShell("d=\"$CLIPS/dropped\"; rm -rf \"$d\"; mkdir -p \"$d/sub\"; cp \"$CLIPS/a.avi\" \"$d/Zed.avi\"; "
              "cp \"$CLIPS/b.mp4\" \"$d/b.mp4\"; cp \"$CLIPS/c.mov\" \"$d/A c.mov\"; echo text > \"$d/notes.txt\"; "
              "cp \"$CLIPS/a.avi\" \"$d/sub/inner.avi\"");
    AddClips({"long.avi"});
    m_program.Click(IDC_CONVERT);
    ASSERT_TRUE(WaitUntil([&] { return !m_program.IsEnabled(IDC_ADD); }, 30000));

    EXPECT_EQ(0u, StartAgain(Quoted(Clip("a.avi")), ClipFolder()));
    m_program.DropFiles({Clip("c.mov")});
    EXPECT_FALSE(m_program.WaitUntilIdle(0)) << "the run ended before Stop";
    EXPECT_EQ(1u, m_program.Rows().size());
    m_program.Click(IDC_STOP);
    ASSERT_TRUE(m_program.WaitUntilIdle(60000));
    ASSERT_TRUE(m_program.WaitForProbedRows(2, 60000));

    const std::string folder = Clip("dropped");
    m_program.DropFiles({folder});
    ASSERT_TRUE(m_program.WaitForProbedRows(5, 60000));
    EXPECT_EQ((std::vector<std::string>{Clip("long.avi"), Clip("a.avi"), folder + "\\A c.mov", folder + "\\b.mp4",
                                        folder + "\\Zed.avi"}),
              Paths(m_program.Rows()));
}
