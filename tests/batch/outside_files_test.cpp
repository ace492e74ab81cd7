// Files that reach the real program from outside its Add dialog: named on
// its command line, handed over by a second start, dropped on its window.
#include "ProgramFixture.h"

#include "win/OwnedHandle.h"
#include "services/AppServices.h"
#include "res/resource.h"
#include "support/WindowWatch.h"

#include <algorithm>
#include <atomic>
#include <thread>

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
    const CKernelHandle thread(started.hThread);
    const CKernelHandle process(started.hProcess);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.Get(), 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.Get(), &code);
    else
        TerminateProcess(process.Get(), 1);
    return code;
}

bool Shown(HWND window) { return IsWindowVisible(window) && GetForegroundWindow() == window; }

// The names by which starts of the program find each other, as it makes them
// from the settings key the suite gives it.
std::string ClaimName()
{
    std::string key = SettingsKey();
    std::replace(key.begin(), key.end(), '\\', '/');
    return "Local\\Vodrix Video Converter " + key;
}
std::string WindowMark() { return "Vodrix Video Converter window " + SettingsKey(); }

// A window of this test, another program than the converter, that carries
// the converter's mark, lies above its window and takes any hand-over.
class ForeignMarkedWindow {
public:
    ForeignMarkedWindow()
        : m_thread([this] {
              const WNDCLASSA type = {0, &ForeignMarkedWindow::Procedure, 0, 0, GetModuleHandleA(nullptr), nullptr,
                                      nullptr, nullptr, nullptr, "VodrixForeignMark"};
              RegisterClassA(&type);
              m_hWnd = CreateWindowExA(0, type.lpszClassName, "foreign", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                       nullptr, type.hInstance, this);
              SetPropA(m_hWnd, WindowMark().c_str(), reinterpret_cast<HANDLE>(1));
              MSG msg;
              while (GetMessageA(&msg, nullptr, 0, 0) > 0)
                  DispatchMessageA(&msg);
          })
    {
        WaitUntil([this] { return m_hWnd.load() != nullptr; }, 10000);
    }
    ~ForeignMarkedWindow()
    {
        PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        m_thread.join();
    }
    std::atomic<int> handOvers{0};

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_NCCREATE)
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(
                                                       reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
        auto* self = reinterpret_cast<ForeignMarkedWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (msg == WM_COPYDATA) {
            ++self->handOvers;
            return TRUE;
        }
        if (msg == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcA(hwnd, msg, wp, lp);
    }

    std::atomic<HWND> m_hWnd{nullptr};
    std::thread m_thread;
};

// Another program holds the name of the converter's claim.
class ClaimNameTakenByAnotherProgram : public ConverterProgram {
protected:
    void SetUp() override
    {
        m_foreign.Reset(CreateMutexA(nullptr, TRUE, ClaimName().c_str()));
        ASSERT_TRUE(m_foreign);
        const DWORD start = GetTickCount();
        ConverterProgram::SetUp();
        m_startMs = GetTickCount() - start;
    }
    CKernelHandle m_foreign;
    DWORD m_startMs = 0;
};

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

// A marked window of another program, above the converter's, gets nothing; a
// path too long for the program's calls goes by its short name, and the
// second start ends at once with every file handed over. A dropped path
// without a short name is refused alone, by name, on a window fresh from
// its start.
TEST_F(ConverterProgram, ASecondStartHandsFilesOnlyToThisProgramEvenByAPathTooLongForIt)
{
    HostShell("d=\"$CLIPS/$(printf 'l%.0s' $(seq 100))/$(printf 'm%.0s' $(seq 100))\"; mkdir -p \"$d\"; "
              "cp \"$CLIPS/a.avi\" \"$d/$(printf 'n%.0s' $(seq 60)).avi\"");
    const std::string longPath = Clip(std::string(100, 'l') + "\\" + std::string(100, 'm') + "\\" +
                                      std::string(60, 'n') + ".avi");
    ASSERT_GE(longPath.size(), static_cast<size_t>(MAX_PATH));
    ForeignMarkedWindow foreign;
    EXPECT_EQ(0u, StartAgain(Quoted(longPath) + " " + Quoted(Clip("b.mp4")), ClipFolder()));
    ASSERT_TRUE(m_program.WaitForProbedRows(2, 60000));
    EXPECT_EQ(0, foreign.handOvers);
    const std::vector<RemoteRow> rows = m_program.Rows();
    wchar_t shown[MAX_PATH * 2] = {};
    const std::wstring shortName(rows[0].path.begin(), rows[0].path.end());
    GetLongPathNameW(shortName.c_str(), shown, MAX_PATH * 2);
    EXPECT_EQ(std::wstring(longPath.begin(), longPath.end()), shown) << rows[0].path;
    EXPECT_EQ(Clip("b.mp4"), rows[1].path);

    // Without a short name to go by (here: no file at all) such a path is refused alone, by name.
    const std::string gone = longPath.substr(0, longPath.size() - 4) + " gone.avi";
    m_program.DropFiles({gone, Clip("c.mov")});
    const RemoteDialog refusal = m_program.WaitForDialog(30000, "Info");
    ASSERT_TRUE(refusal.hwnd != nullptr);
    EXPECT_NE(std::string::npos, refusal.AllText().find("too long for the program")) << refusal.AllText();
    EXPECT_NE(std::string::npos, refusal.AllText().find(gone)) << refusal.AllText();
    RemoteProgram::Close(refusal, IDOK);
    ASSERT_TRUE(m_program.WaitForProbedRows(3, 60000));
    EXPECT_EQ(Clip("c.mov"), m_program.Rows()[2].path);
}

// Whatever holds the name, the program starts without waiting for a window
// of its own that will never come.
TEST_F(ClaimNameTakenByAnotherProgram, KeepsNoOneFromStarting) { EXPECT_LT(m_startMs, 30000u); }
