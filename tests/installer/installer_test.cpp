// The installer as a user and a deployment tool meet it, in a Wine prefix of
// the suite's own (run_suite.sh), and the identity of the programs it ships.
#include "batch/RemoteProgram.h"

#include "services/AppServices.h"
#include "win/OwnedHandle.h"
#include "res/resource.h"
#include "support/HostProcess.h"
#include "support/WindowWatch.h"
#include "ui/IncomingFiles.h"
#include "ui/MediaFilter.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <fstream>
#include <iterator>

namespace {

const char* const UNINSTALL_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vodrix Video Converter";
const char* const INSTALLED_FILES[] = {
    "VodrixVideoConverter.exe", "vec.exe", "ffmpeg.exe", "ffprobe.exe", "x-plus.smf", "x-night.smf",
    "vodrixvidoeconverter.chm",
    "licenses\\FFmpeg.txt", "licenses\\GPL-3.txt", "licenses\\LZO-COPYING.txt", "licenses\\Capstone-LICENSE.txt",
    "uninstall.exe"};
const char* const SHORTCUTS[] = {"Vodrix Video Converter.lnk", "Vodrix Video Converter Help.lnk",
                                 "Uninstall Vodrix Video Converter.lnk"};
const char* const APPLICATION_KEY = "Software\\Classes\\Applications\\VodrixVideoConverter.exe";
const char* const CLIP = "clip.avi";
constexpr DWORD EXIT_PROGRAM_RUNNING = 2;
constexpr DWORD EXIT_INSTALL_STAYS = 4;
// The host's FFmpeg as the prefix finds it notes each call here (run_suite.sh).
const std::string HOST_FFMPEG_CALLS = WindowsPathOfHost(HOST_FFMPEG_DIR "/calls.log");

std::string KnownFolder(int csidl)
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}
std::string StartMenuFolder() { return KnownFolder(CSIDL_COMMON_PROGRAMS) + "\\Vodrix Video Converter"; }
std::string SendToShortcut() { return KnownFolder(CSIDL_SENDTO) + "\\Vodrix Video Converter.lnk"; }
std::string WorkFolder() { return KnownFolder(CSIDL_LOCAL_APPDATA) + "\\installer suite"; }
std::string UserFilesFolder() { return KnownFolder(CSIDL_LOCAL_APPDATA) + "\\Vodrix Video Converter"; }
std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& content)
{
    ASSERT_TRUE((std::ofstream(path, std::ios::binary) << content).good()) << path;
}

// A command line started as a deployment tool starts it; what still runs
// ends with this object.
class Started {
public:
    explicit Started(std::string commandLine)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                            &startup, &process)) {
            m_startError = GetLastError();
            return;
        }
        CloseHandle(process.hThread);
        m_process.Reset(process.hProcess);
    }
    ~Started()
    {
        if (m_process && WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(m_process.Get(), STILL_ACTIVE);
            WaitForSingleObject(m_process.Get(), 10000);
        }
    }
    // The exit code, STILL_ACTIVE after `timeoutMs`, or the error that kept it from starting.
    DWORD ExitCode(DWORD timeoutMs) const
    {
        DWORD code = STILL_ACTIVE;
        if (!m_process)
            return m_startError;
        if (WaitForSingleObject(m_process.Get(), timeoutMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(m_process.Get(), &code);
        return code;
    }

private:
    CKernelHandle m_process;
    DWORD m_startError = 0;
};

// Runs a command line to its end (at most two minutes).
DWORD RunToEnd(const std::string& commandLine) { return Started(commandLine).ExitCode(120000); }

// A value of the uninstall entry, numbers in decimal; empty when it is missing.
std::string Entry(const char* name)
{
    char value[1024] = {};
    DWORD type = 0;
    DWORD size = sizeof value - 1;
    if (SHGetValueA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, name, &type, value, &size) != ERROR_SUCCESS)
        return "";
    return type == REG_DWORD ? std::to_string(*reinterpret_cast<DWORD*>(value)) : value;
}

bool EntryPresent() { return !Entry("DisplayName").empty(); }

bool KeyPresent(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::string OpenWithEntry(const std::string& extension)
{
    return "Software\\Classes\\" + extension + "\\OpenWithList\\VodrixVideoConverter.exe";
}

// "Open with" offers the program for each type of the Add dialog's filter,
// and starts it with the chosen file.
void ExpectOpenWith(const std::string& folder)
{
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    SHGetValueA(HKEY_LOCAL_MACHINE, (std::string(APPLICATION_KEY) + "\\shell\\open\\command").c_str(), nullptr,
                nullptr, value, &size);
    EXPECT_EQ(Quoted(folder + "\\VodrixVideoConverter.exe") + " \"%1\"", value);
    size = sizeof value - 1;
    SHGetValueA(HKEY_LOCAL_MACHINE, APPLICATION_KEY, "FriendlyAppName", nullptr, value, &size);
    EXPECT_STREQ("Vodrix Video Converter", value);
    const std::vector<std::string> extensions = FilterExtensions(MEDIA_FILE_FILTER);
    ASSERT_FALSE(extensions.empty());
    const std::string supportedTypes = std::string(APPLICATION_KEY) + "\\SupportedTypes";
    for (const std::string& extension : extensions) {
        size = sizeof value;
        EXPECT_EQ(DWORD{ERROR_SUCCESS},
                  SHGetValueA(HKEY_LOCAL_MACHINE, supportedTypes.c_str(), extension.c_str(), nullptr, value, &size))
            << extension;
        EXPECT_TRUE(KeyPresent(OpenWithEntry(extension))) << extension;
    }
}

void ExpectNoOpenWithNorSendTo()
{
    EXPECT_FALSE(KeyPresent(APPLICATION_KEY));
    for (const std::string& extension : FilterExtensions(MEDIA_FILE_FILTER))
        EXPECT_FALSE(KeyPresent(OpenWithEntry(extension))) << extension;
    EXPECT_FALSE(Exists(SendToShortcut()));
}

DWORD Install(const char* installerHostPath, const std::string& folder = "")
{
    // /D= comes last and unquoted, blanks and all.
    return RunToEnd(Quoted(WindowsPathOfHost(installerHostPath)) + " /S" + (folder.empty() ? "" : " /D=" + folder));
}

// As a deployment tool does: the registered string's exit code is the
// result. Only the uninstaller, which cannot go while it runs, goes just after.
::testing::AssertionResult UninstallQuietly(const std::string& folder)
{
    const DWORD code = RunToEnd(Entry("QuietUninstallString"));
    if (code != 0 || EntryPresent())
        return ::testing::AssertionFailure() << "exit code " << code << ", entry present " << EntryPresent();
    if (!WaitUntil([&] { return !Exists(folder + "\\uninstall.exe"); }, 60000))
        return ::testing::AssertionFailure() << "the uninstaller stayed";
    return ::testing::AssertionSuccess();
}

void ExpectInstalledIn(const std::string& folder)
{
    size_t bytes = 0;
    for (const char* file : INSTALLED_FILES) {
        const std::string content = ReadAll(folder + "\\" + file);
        bytes += content.size();
        if (std::string(file) != "uninstall.exe") {
            EXPECT_TRUE(content == ReadAll(WindowsPathOfHost(std::string(DIST_HOST_PATH) + "/" + file))) << file;
        }
    }
    for (const char* shortcut : SHORTCUTS)
        EXPECT_TRUE(Exists(StartMenuFolder() + "\\" + shortcut)) << shortcut;
    ExpectOpenWith(folder);
    const std::string uninstaller = Quoted(folder + "\\uninstall.exe");
    EXPECT_EQ("Vodrix Video Converter|" APP_VERSION_NUMBER "|Vodrix Software|" + folder +
                  "\\VodrixVideoConverter.exe,0|" + folder + "|" + uninstaller + " _?=" + folder + "|" +
                  uninstaller + " /S _?=" + folder + "|1|1",
              Entry("DisplayName") + "|" + Entry("DisplayVersion") + "|" + Entry("Publisher") + "|" +
                  Entry("DisplayIcon") + "|" + Entry("InstallLocation") + "|" + Entry("UninstallString") + "|" +
                  Entry("QuietUninstallString") + "|" + Entry("NoModify") + "|" + Entry("NoRepair"));
    const size_t kb = std::stoul("0" + Entry("EstimatedSize"));
    EXPECT_TRUE(kb > bytes / 1024 * 9 / 10 && kb < bytes / 1024 * 11 / 10) << kb << " KB";
}

void ExpectRemovedFrom(const std::string& folder)
{
    for (const char* file : INSTALLED_FILES)
        EXPECT_FALSE(Exists(folder + "\\" + file)) << file;
    for (const char* file : {"licenses", "trace", "edit.avs"})
        EXPECT_FALSE(Exists(folder + "\\" + file)) << file;
    EXPECT_FALSE(Exists(StartMenuFolder()));
    EXPECT_FALSE(Exists(UserFilesFolder())) << "the user's trace and scripts stayed";
    EXPECT_FALSE(EntryPresent());
    ExpectNoOpenWithNorSendTo();
}

class Installer : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CreateDirectoryA(WorkFolder().c_str(), nullptr);
        RunHostShell("ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=160x120:rate=25:duration=2 -f lavfi "
                     "-i sine=duration=2 -c:v mpeg4 -c:a libmp3lame -shortest '" + HostPathOf(WorkFolder()) + "/" +
                     CLIP + "'");
    }
    void SetUp() override
    {
        ASSERT_EQ(SETTINGS_KEY, SettingsKey()) << "the suite must see the key the program really uses";
        ASSERT_TRUE(Exists(WorkFolder() + "\\" + CLIP));
    }
    // An install that a failed check left would spoil the next test.
    void TearDown() override
    {
        if (EntryPresent())
            UninstallQuietly(Entry("InstallLocation"));
    }
};

}  // namespace

TEST_F(Installer, UpgradeKeepsSettingsTheInstalledProgramConvertsAndUninstallLeavesTheUsersMediaAndSettings)
{
    const std::string folder = KnownFolder(CSIDL_PROGRAM_FILES) + "\\Vodrix Video Converter";
    ASSERT_EQ(0u, Install(OLDER_INSTALLER_HOST_PATH));
    ASSERT_EQ("1.0.0", Entry("DisplayVersion"));
    // The user's setting, and a damaged file that the upgrade must replace.
    ASSERT_EQ(1, WriteSetting("Directory", folder.c_str()));
    WriteAll(folder + "\\vec.exe", "damaged");

    ASSERT_EQ(0u, Install(INSTALLER_HOST_PATH));
    ExpectInstalledIn(folder);
    EXPECT_FALSE(Exists(SendToShortcut())) << "setup made Send to, for the account that elevates";
    std::string directory;
    EXPECT_TRUE(ReadSetting("Directory", directory) && directory == folder) << directory;

    RemoteProgram program;
    ASSERT_TRUE(program.Start(HostPathOf(folder + "\\VodrixVideoConverter.exe"), WorkFolder() + "\\errors.log"));
    EXPECT_TRUE(Exists(SendToShortcut())) << "the first start made no Send to entry";
    EXPECT_EQ(EXIT_PROGRAM_RUNNING, Install(INSTALLER_HOST_PATH));
    EXPECT_EQ(EXIT_PROGRAM_RUNNING, RunToEnd(Entry("QuietUninstallString")));
    ExpectInstalledIn(folder);

    // The installed program converts with the installed ffmpeg.exe; the
    // host's FFmpeg, which vec.exe takes only for a folder without one, is
    // never called.
    ASSERT_TRUE(program.AddFiles(WorkFolder() + "\\", {CLIP}));
    ASSERT_TRUE(program.WaitForProbedRows(1, 60000));
    DeleteFileA(HOST_FFMPEG_CALLS.c_str());
    program.Click(IDC_CONVERT);
    const RemoteDialog done = program.WaitForDialog(120000, "Info");
    EXPECT_EQ(" Media file has been generated.\n", done.AllText());
    RemoteProgram::Close(done, IDOK);
    EXPECT_EQ("", ReadAll(HOST_FFMPEG_CALLS)) << "the installed program ran the host's FFmpeg";
    program.Quit();
    const std::string output = folder + "\\clip_xvid_mp3.avi";
    ASSERT_TRUE(Exists(output));
    // Installed, the program keeps its trace per user, though every user may write to its folder here.
    EXPECT_TRUE(Exists(UserFilesFolder() + "\\trace"));
    EXPECT_FALSE(Exists(folder + "\\trace"));
    // What older versions wrote beside themselves, and a script a run left behind.
    WriteAll(folder + "\\trace", "");
    WriteAll(folder + "\\edit.avs", "DirectShowSource(\"C:\\clip.wmv\")\n");
    WriteAll(UserFilesFolder() + "\\edit-1234-1.avs", "DirectShowSource(\"C:\\clip.wmv\")\n");

    // A program of the folder without a window, run by hand, stops them too.
    {
        const Started ffmpeg(Quoted(folder + "\\ffmpeg.exe") + " -v quiet -re -f lavfi -i nullsrc=s=16x16 -f null -");
        EXPECT_EQ(EXIT_PROGRAM_RUNNING, RunToEnd(Entry("QuietUninstallString")));
        EXPECT_EQ(EXIT_PROGRAM_RUNNING, Install(INSTALLER_HOST_PATH));
        ASSERT_EQ(STILL_ACTIVE, ffmpeg.ExitCode(0)) << "FFmpeg ended before the checks";
    }

    ASSERT_TRUE(UninstallQuietly(folder));
    ExpectRemovedFrom(folder);
    EXPECT_TRUE(ReadSetting("Directory", directory) && directory == folder) << "the settings went";
    EXPECT_TRUE(DeleteFileA(output.c_str())) << "the converted clip went";
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str())) << "the folder held more than the converted clip";
}

// A chosen folder of other files (a user's own FFmpeg) gets the program in
// a folder of its own; a file the uninstall cannot remove keeps the install.
TEST_F(Installer, ChosenFolderOfOtherFilesKeepsThemAndTheUninstallRemovesOnlyItsOwnFolderWhole)
{
    const std::string chosen = WorkFolder() + "\\Chosen Place";
    const std::string folder = chosen + "\\Vodrix Video Converter";
    ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    WriteAll(chosen + "\\ffmpeg.exe", "the user's own");
    ASSERT_EQ(0u, Install(INSTALLER_HOST_PATH, chosen));
    ExpectInstalledIn(folder);
    {
        const CKernelHandle held(CreateFileA((folder + "\\x-night.smf").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                             nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(EXIT_INSTALL_STAYS, RunToEnd(Entry("QuietUninstallString")));
        EXPECT_TRUE(EntryPresent() && Exists(folder + "\\uninstall.exe"));
    }
    ASSERT_TRUE(UninstallQuietly(folder));
    ExpectRemovedFrom(folder);
    EXPECT_FALSE(Exists(folder));
    EXPECT_EQ("the user's own", ReadAll(chosen + "\\ffmpeg.exe"));
}

// Maker, product, description and version as Explorer's properties show them.
TEST(ProgramIdentity, EveryShippedProgramReadsBackTheProductsVersion)
{
    const std::string dist = WindowsPathOfHost(DIST_HOST_PATH) + "\\";
    const std::pair<std::string, const char*> cases[] = {
        {dist + "VodrixVideoConverter.exe", "Vodrix Video Converter"},
        {dist + "vec.exe", "Vodrix Video Converter encoder"},
        {WindowsPathOfHost(INSTALLER_HOST_PATH), "Vodrix Video Converter Setup"},
    };
    for (const auto& [path, description] : cases) {
        DWORD ignored = 0;
        std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &ignored) + 1);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data())) << path;
        std::string seen;
        for (const char* name : {"CompanyName", "ProductName", "FileDescription", "FileVersion", "ProductVersion"}) {
            char* value = nullptr;
            UINT size = 0;
            const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
            seen += VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &size) ? value : "";
            seen += "|";
        }
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT size = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
        for (DWORD part : {fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                           fixed->dwProductVersionLS})
            seen += std::to_string(HIWORD(part)) + "." + std::to_string(LOWORD(part)) + ".";
        const std::string numbers = APP_VERSION_NUMBER ".0.";
        EXPECT_EQ(std::string(APP_PUBLISHER "|" APP_TITLE "|") + description +
                      "|" APP_VERSION_NUMBER "|" APP_VERSION_NUMBER "|" + numbers + numbers,
                  seen)
            << path;
    }
}

// The manifest as Windows reads it: run as whoever starts the program, the
// systems from Vista on declared, and no assembly besides the program's own
// (Common Controls 6 would change every control under the skin).
TEST(ProgramIdentity, BothProgramsRunAsInvokerOnDeclaredSystemsWithClassicControls)
{
    for (const char* program : {"VodrixVideoConverter.exe", "vec.exe"}) {
        const std::string path = WindowsPathOfHost(std::string(DIST_HOST_PATH) + "/" + program);
        ACTCTXA request = {};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = path.c_str();
        request.lpResourceName = MAKEINTRESOURCEA(1);
        const HANDLE context = CreateActCtxA(&request);
        ASSERT_NE(INVALID_HANDLE_VALUE, context) << program << ": no manifest Windows accepts";
        ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level = {};
        std::vector<char> systems(4096), detail(4096);
        EXPECT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &level, sizeof level,
                                 nullptr) &&
                    QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, systems.data(),
                                 systems.size(), nullptr) &&
                    QueryActCtxW(0, context, nullptr, ActivationContextDetailedInformation, detail.data(),
                                 detail.size(), nullptr));
        ReleaseActCtx(context);
        EXPECT_EQ(ACTCTX_RUN_LEVEL_AS_INVOKER, level.RunLevel) << program;
        // Vista, 7, 8, 8.1 and 10/11.
        EXPECT_EQ(5u, reinterpret_cast<ACTIVATION_CONTEXT_COMPATIBILITY_INFORMATION*>(systems.data())->ElementCount)
            << program;
        EXPECT_EQ(1u, reinterpret_cast<ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(detail.data())->ulAssemblyCount)
            << program;
    }
}
