#include "ProgramFixture.h"

#include "services/AppServices.h"
#include "res/resource.h"
#include "support/HostProcess.h"
#include "support/PixelCanvas.h"
#include "support/ScreenShot.h"
#include "support/WindowWatch.h"

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

const Family FAMILIES[5] = {
    {IDC_TO_AVI, "_xvid_mp3.avi"},  {IDC_TO_MPEG, "_ntsc-dvd_ac3.mpg"}, {IDC_TO_WMV, "_wmv2_mp3.wmv"},
    {IDC_TO_MOV, "_xvid_aac.mov"}, {IDC_TO_FLV, "_swf_mp3.swf"},
};

namespace {

// A folder for each suite that uses the fixture, since such suites run side by side.
std::string SuiteFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string name = exe + DirectoryOfPath(exe).size();
    return std::string(temp) + "vodrix_" + name.substr(0, name.rfind('.')) + "\\";
}

void ForgetStoredDirectory()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey().c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "Directory");
        RegCloseKey(key);
    }
}

std::string Exports()
{
    return "CLIPS='" + HostPathOf(ConverterProgram::ClipFolder().c_str()) + "' OUT='" +
           HostPathOf(ConverterProgram::OutputFolder().c_str()) + "'; ";
}

// A test card with a tone, `seconds` long, small and quick to encode.
std::string MakeClip(const char* name, double seconds, const char* codecs)
{
    char command[512];
    snprintf(command, sizeof command,
             "ffmpeg -v error -y -f lavfi -i testsrc=size=160x120:rate=25:duration=%.2f "
             "-f lavfi -i sine=frequency=440:duration=%.2f %s -shortest \"$CLIPS/%s\"; ",
             seconds, seconds, codecs, name);
    return command;
}

}  // namespace

std::string ConverterProgram::ClipFolder() { return SuiteFolder() + "clips\\"; }
std::string ConverterProgram::OutputFolder() { return SuiteFolder() + "out\\"; }
std::string ConverterProgram::ProgramFolder() { return DirectoryOfPath(WindowsPathOfHost(PROGRAM_HOST_PATH).c_str()); }

std::string CopyOfProgram(const std::string& folderName)
{
    const std::string program = PROGRAM_HOST_PATH;
    const std::string dist = program.substr(0, program.rfind('/'));
    const std::string folder = dist + "/../program_copies/" + folderName;
    HostShell("rm -rf '" + folder + "'; mkdir -p '" + folder + "'; cp '" + program + "' '" + dist + "/vec.exe' '" +
              folder + "/'");
    return folder;
}

void HostShell(const std::string& command) { ASSERT_TRUE(RunHostShell(Exports() + command)) << command; }

void ConverterProgram::SetUpTestSuite() { MakeClips(); }

void ConverterProgram::MakeClips()
{
    static bool made = false;
    if (made)
        return;
    made = true;
    CreateDirectoryA(SuiteFolder().c_str(), nullptr);
    CreateDirectoryA(ClipFolder().c_str(), nullptr);
    CreateDirectoryA(OutputFolder().c_str(), nullptr);
    std::string script = "rm -f \"$CLIPS\"/*; ";
    script += MakeClip("a.avi", 2.5, "-c:v mpeg4 -c:a libmp3lame");
    script += MakeClip("b.mp4", 2.5, "-c:v mpeg4 -c:a aac");
    script += MakeClip("c.mov", 2.5, "-c:v mpeg4 -c:a aac");
    // Long enough that Stop always lands while it converts.
    script += MakeClip("long.avi", 300, "-c:v mpeg4 -c:a libmp3lame");
    script += "echo 'not a media file' > \"$CLIPS/bad.avi\"; ";
    script += "for i in $(seq -w 1 29); do cp \"$CLIPS/a.avi\" \"$CLIPS/n$i.avi\"; done; ";
    HostShell(script);
    ASSERT_TRUE(Plays(Clip("a.avi")));
    ASSERT_TRUE(FileExists(Clip("n29.avi")));
}

void ConverterProgram::SetUp()
{
    HostShell("rm -rf \"$OUT\"; mkdir -p \"$OUT\"");
    const std::string stored = StoredOutputDirectory();
    if (!stored.empty())
        ASSERT_EQ(1, WriteSetting("Directory", stored.c_str()));
    else
        ForgetStoredDirectory();
    m_logPath = SuiteFolder() + "program_errors.log";
    ASSERT_TRUE(m_program.Start(ProgramPath(), m_logPath, StartFiles()));
}

void ConverterProgram::TearDown()
{
    // A dialog left over from a failed check would keep the program from ending.
    for (RemoteDialog open = m_program.CurrentDialog(); open.hwnd; open = m_program.CurrentDialog())
        RemoteProgram::Close(open, IDCANCEL);
    m_program.Quit();
}

void ConverterProgram::AddClips(const std::vector<std::string>& names)
{
    const size_t before = m_program.Rows().size();
    ASSERT_TRUE(m_program.AddFiles(ClipFolder(), names));
    ASSERT_TRUE(m_program.WaitForProbedRows(before + names.size(), 60000));
    const std::vector<RemoteRow> rows = m_program.Rows();
    ASSERT_EQ(before + names.size(), rows.size()) << "rows read back from the program";
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(Clip(names[i]), rows[before + i].path);
}

void ConverterProgram::RemoveAllRows()
{
    std::vector<int> all;
    for (size_t i = 0; i < m_program.Rows().size(); ++i)
        all.push_back(static_cast<int>(i));
    m_program.SelectRows(all);
    m_program.Click(IDC_REMOVE);
    ASSERT_TRUE(WaitUntil([&] { return m_program.Rows().empty(); }, 30000));
}

void ConverterProgram::ChooseFamily(int radioId)
{
    SendMessageA(m_program.Item(radioId), BM_CLICK, 0, 0);
    ASSERT_EQ(BST_CHECKED, SendMessageA(m_program.Item(radioId), BM_GETCHECK, 0, 0));
}

std::vector<int> ConverterProgram::ConvertExpecting(const std::string& text, DWORD timeoutMs)
{
    // The run focuses each row as it starts it; the bar still shows how the
    // previous row ended until the encoder reports on the new one.
    std::vector<int> endings;
    std::atomic<bool> done(false);
    const HWND list = m_program.Item(IDC_SOURCE_LIST);
    std::thread follow([&] {
        int focused = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
        while (!done) {
            const int now = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
            if (now == focused + 1)
                endings.push_back(m_program.ProgressPosition());
            focused = now;
            Sleep(1);
        }
    });
    m_program.Click(IDC_CONVERT);
    const RemoteDialog message = m_program.WaitForDialog(timeoutMs, "Info");
    done = true;
    follow.join();
    EXPECT_TRUE(message.hwnd != nullptr) << "no message after Convert";
    if (!message.hwnd)
        return endings;
    endings.push_back(m_program.ProgressPosition());
    EXPECT_EQ(text + "\n", message.AllText());
    RemoteProgram::Close(message, IDOK);
    EXPECT_TRUE(m_program.WaitUntilIdle(30000));
    return endings;
}

std::vector<std::string> ConverterProgram::LoggedErrors() const { return ::LoggedErrors(m_logPath); }

namespace {

// What the screen shows of a window.
std::vector<COLORREF> ShownPixels(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    PixelCanvas canvas(rect.right - rect.left, rect.bottom - rect.top);
    canvas.CopyScreen(rect.left, rect.top);
    return canvas.Pixels();
}

bool HasPaintPending(HWND window)
{
    if (GetUpdateRect(window, nullptr, FALSE))
        return true;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE))
            return true;
    return false;
}

}  // namespace

// Another process paints when it gets to it: nothing left to paint, and the
// same picture at ten looks in a row.
bool WaitUntilShownSettles(HWND window)
{
    std::vector<COLORREF> shown;
    int unchangedLooks = 0;
    return WaitUntil(
        [&] {
            std::vector<COLORREF> now = ShownPixels(window);
            const bool same = !HasPaintPending(window) && now == shown;
            unchangedLooks = same ? unchangedLooks + 1 : 0;
            shown = std::move(now);
            return unchangedLooks >= 10;
        },
        20000);
}

void KeepWindowPicture(HWND window, const std::string& windowsPath)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    const std::string bmp = windowsPath + ".bmp";
    int colours = 0;
    ASSERT_TRUE(SaveScreenArea(rect, bmp.c_str(), colours));
    EXPECT_GT(colours, 8) << "a blank picture";
    const std::string host = HostPathOf(bmp);
    EXPECT_TRUE(RunHostShell("convert '" + host + "' '" + host.substr(0, host.size() - 4) + ".png' && rm '" + host +
                             "'"));
}

bool FileExists(const std::string& windowsPath)
{
    const DWORD attributes = GetFileAttributesA(windowsPath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Plays(const std::string& windowsPath)
{
    const std::string answer = SuiteFolder() + "ffprobe.txt";
    DeleteFileA(answer.c_str());
    // Decoding every frame is what a player does too.
    RunHostShell("ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames "
                 "-of csv=p=0 '" + HostPathOf(windowsPath) + "' > '" + HostPathOf(answer) + "' 2>/dev/null");
    std::ifstream in(answer);
    int frames = 0;
    in >> frames;
    return frames > 0;
}

FILETIME LastWriteTime(const std::string& windowsPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(windowsPath.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}
