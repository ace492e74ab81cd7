// The installer as a Windows user and a deployment tool meet it, in a Wine
// prefix of the suite's own (run_suite.sh): silent installs over an older
// version and into a chosen folder, the installed program converting a clip
// through its window, silent uninstalls that leave the user's media and
// settings and nothing else; and the version resources and manifests of the
// programs it installs.
#include "batch/RemoteProgram.h"

#include "app/AppServices.h"
#include "res/resource.h"
#include "support/HostProcess.h"
#include "support/WindowWatch.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

const char* const UNINSTALL_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vodrix Video Converter";
const char* const CONVERTED = " Media file has been generated.";
const char* const CLIP = "clip.avi";
const char* const CLIP_OUTPUT = "clip_xvid_mp3.avi";
// The host's FFmpeg programs as this suite's prefix finds them (run_suite.sh):
// each call is noted in one file, and they refuse to run while another exists.
const std::string HOST_FFMPEG_CALLS = WindowsPathOfHost(HOST_FFMPEG_DIR "/calls.log");
const std::string HOST_FFMPEG_REFUSED = WindowsPathOfHost(HOST_FFMPEG_DIR "/refuse");
constexpr DWORD EXIT_PROGRAM_RUNNING = 2;

// What an install puts into the program's folder besides the uninstaller.
const char* const INSTALLED_FILES[] = {
    "VodrixVideoConverter.exe", "vec.exe",           "ffmpeg.exe",
    "ffprobe.exe",              "x-plus.smf",        "vodrixvidoeconverter.chm",
    "licenses\\FFmpeg.txt",     "licenses\\GPL-3.txt", "licenses\\LZO-COPYING.txt",
    "licenses\\Capstone-LICENSE.txt",
};

struct Shortcut {
    const char* name;
    const char* target;  // in the program's folder
};
const Shortcut SHORTCUTS[] = {
    {"Vodrix Video Converter.lnk", "VodrixVideoConverter.exe"},
    {"Vodrix Video Converter Help.lnk", "vodrixvidoeconverter.chm"},
    {"Uninstall Vodrix Video Converter.lnk", "uninstall.exe"},
};

std::string KnownFolder(int csidl)
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string DefaultFolder() { return KnownFolder(CSIDL_PROGRAM_FILES) + "\\Vodrix Video Converter"; }
std::string StartMenuFolder() { return KnownFolder(CSIDL_COMMON_PROGRAMS) + "\\Vodrix Video Converter"; }
std::string WorkFolder() { return KnownFolder(CSIDL_LOCAL_APPDATA) + "\\installer suite"; }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteAll(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    return out.good();
}

// Runs a command line to its end and answers its exit code; a run that
// outlives `timeoutMs` is ended and answers STILL_ACTIVE.
DWORD RunToEnd(std::string commandLine, DWORD timeoutMs = 120000, HANDLE output = nullptr)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, output != nullptr, 0, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "could not start " << commandLine;
        return STILL_ACTIVE;
    }
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, STILL_ACTIVE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The uninstall entry, as Programs and Features reads it.
class UninstallEntry {
public:
    UninstallEntry() { RegOpenKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, 0, KEY_READ, &m_hKey); }
    ~UninstallEntry()
    {
        if (m_hKey)
            RegCloseKey(m_hKey);
    }
    UninstallEntry(const UninstallEntry&) = delete;
    UninstallEntry& operator=(const UninstallEntry&) = delete;

    static bool Present() { return UninstallEntry().m_hKey != nullptr; }

    std::string Text(const char* name) const
    {
        char value[1024] = {};
        DWORD size = sizeof value - 1;
        DWORD type = 0;
        if (!m_hKey || RegQueryValueExA(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ||
            type != REG_SZ)
            return "<none>";
        return value;
    }
    DWORD Number(const char* name) const
    {
        DWORD value = 0;
        DWORD size = sizeof value;
        DWORD type = 0;
        if (!m_hKey || RegQueryValueExA(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ||
            type != REG_DWORD)
            return 0xFFFFFFFF;
        return value;
    }

private:
    HKEY m_hKey = nullptr;  // owned
};

std::string ShortcutTarget(const std::string& link)
{
    IShellLinkA* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shellLink))))
        return "<no shell link object>";
    std::string target = "<unreadable>";
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring wide(link.begin(), link.end());
        char path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) && SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0)))
            target = path;
        file->Release();
    }
    shellLink->Release();
    return target;
}

// Everything an install leaves: the files, equal to what the build made; the
// uninstaller; the shortcuts; the uninstall entry of this version.
void ExpectInstalledIn(const std::string& folder)
{
    for (const char* file : INSTALLED_FILES) {
        const std::string built = WindowsPathOfHost(std::string(DIST_HOST_PATH) + "/" + file);
        EXPECT_TRUE(ReadAll(folder + "\\" + file) == ReadAll(built)) << file << " differs from the build's";
    }
    EXPECT_TRUE(Exists(folder + "\\uninstall.exe"));
    for (const Shortcut& shortcut : SHORTCUTS)
        EXPECT_STRCASEEQ((folder + "\\" + shortcut.target).c_str(),
                         ShortcutTarget(StartMenuFolder() + "\\" + shortcut.name).c_str())
            << shortcut.name;

    UninstallEntry entry;
    EXPECT_EQ("Vodrix Video Converter", entry.Text("DisplayName"));
    EXPECT_EQ(APP_VERSION_NUMBER, entry.Text("DisplayVersion"));
    EXPECT_EQ("Vodrix Software", entry.Text("Publisher"));
    EXPECT_EQ(folder + "\\VodrixVideoConverter.exe,0", entry.Text("DisplayIcon"));
    EXPECT_EQ(folder, entry.Text("InstallLocation"));
    EXPECT_EQ(Quoted(folder + "\\uninstall.exe"), entry.Text("UninstallString"));
    EXPECT_EQ(Quoted(folder + "\\uninstall.exe") + " /S", entry.Text("QuietUninstallString"));
    EXPECT_EQ(1u, entry.Number("NoModify"));
    EXPECT_EQ(1u, entry.Number("NoRepair"));
    // In KB: at least the two FFmpeg programs, and not wildly more than all.
    const DWORD kb = entry.Number("EstimatedSize");
    const size_t ffmpegKb = (ReadAll(folder + "\\ffmpeg.exe").size() + ReadAll(folder + "\\ffprobe.exe").size()) / 1024;
    EXPECT_GE(kb, ffmpegKb);
    EXPECT_LE(kb, ffmpegKb * 2);
}

// Nothing of an install is left in `folder`, the Start menu or the registry.
void ExpectRemovedFrom(const std::string& folder)
{
    for (const char* file : INSTALLED_FILES)
        EXPECT_FALSE(Exists(folder + "\\" + file)) << file;
    for (const char* file : {"uninstall.exe", "licenses", "trace", "edit.avs"})
        EXPECT_FALSE(Exists(folder + "\\" + file)) << file;
    EXPECT_FALSE(Exists(StartMenuFolder())) << "the Start-menu folder stayed";
    EXPECT_FALSE(UninstallEntry::Present());
}

// Installs silently; an empty folder takes the installer's choice.
DWORD Install(const char* installerHostPath, const std::string& folder = std::string())
{
    std::string command = Quoted(WindowsPathOfHost(installerHostPath)) + " /S";
    if (!folder.empty())
        command += " /D=" + folder;  // last and unquoted, blanks and all
    return RunToEnd(command);
}

// Uninstalls the way a deployment tool does, with the entry's quiet command.
// The uninstaller hands the work to a copy of itself and ends at once, so the
// uninstall is over when its entry and its own file are gone.
bool UninstallQuietly(const std::string& folder)
{
    const std::string command = UninstallEntry().Text("QuietUninstallString");
    if (RunToEnd(command) != 0)
        return false;
    return WaitUntil([&] { return !UninstallEntry::Present() && !Exists(folder + "\\uninstall.exe"); }, 60000);
}

// The user's one setting, in the key the program really uses.
std::string StoredDirectory()
{
    std::string value = "<none>";
    ReadSetting("Directory", value);
    return value;
}

class Installer : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CoInitialize(nullptr);
        CreateDirectoryA(WorkFolder().c_str(), nullptr);
        ASSERT_TRUE(RunHostShell("ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=160x120:rate=25:duration=2 "
                                 "-f lavfi -i sine=frequency=440:duration=2 -c:v mpeg4 -c:a libmp3lame -shortest '" +
                                 HostPathOf(WorkFolder()) + "/" + CLIP + "'"));
        ASSERT_TRUE(Exists(WorkFolder() + "\\" + CLIP));
    }
    static void TearDownTestSuite() { CoUninitialize(); }

    void SetUp() override
    {
        // The suite must see the key the program and the installer meet.
        ASSERT_EQ(SETTINGS_KEY, SettingsKey());
        ASSERT_FALSE(UninstallEntry::Present()) << "an earlier test left an install behind";
    }

    // An install a failed check left behind would spoil the next test.
    void TearDown() override
    {
        if (UninstallEntry::Present())
            UninstallQuietly(UninstallEntry().Text("InstallLocation"));
    }
};

// A conversion through the installed program's window, into its own folder
// (where a user who keeps the default output folder finds the result).
// `hostCalls` receives the host FFmpeg programs it reached.
void ConvertWithInstalledProgram(RemoteProgram& program, std::string& hostCalls)
{
    ASSERT_TRUE(program.AddFiles(WorkFolder() + "\\", {CLIP}));
    ASSERT_TRUE(program.WaitForProbedRows(1, 60000));
    DeleteFileA(HOST_FFMPEG_CALLS.c_str());
    program.Click(IDC_CONVERT);
    const RemoteDialog message = program.WaitForDialog(120000, "Info");
    hostCalls = ReadAll(HOST_FFMPEG_CALLS);
    ASSERT_TRUE(message.hwnd != nullptr) << "no message after Convert";
    EXPECT_EQ(std::string(CONVERTED) + "\n", message.AllText());
    RemoteProgram::Close(message, IDOK);
    EXPECT_TRUE(program.WaitUntilIdle(30000));
}

// Whether vec.exe in `folder` works without the host's FFmpeg: the host
// programs refuse to run while the switch file exists.
bool EncoderWorksWithoutHostFfmpeg(const std::string& folder)
{
    WriteAll(HOST_FFMPEG_REFUSED, "");
    const std::string answerPath = WorkFolder() + "\\info.txt";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    const HANDLE answer =
        CreateFileA(answerPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    const DWORD code = RunToEnd(Quoted(folder + "\\vec.exe") + " lumen-quartz-framebridging -info " +
                               Quoted(WorkFolder() + "\\" + CLIP),
                           60000, answer);
    CloseHandle(answer);
    DeleteFileA(HOST_FFMPEG_REFUSED.c_str());
    return code == 0 && ReadAll(answerPath).rfind("Duration:2 Width:160 Height:120", 0) == 0;
}

}  // namespace

TEST_F(Installer, UpgradeKeepsSettingsTheProgramConvertsAndUninstallLeavesOnlyTheUsersMediaAndSettings)
{
    const std::string folder = DefaultFolder();
    ASSERT_EQ(0u, Install(OLDER_INSTALLER_HOST_PATH));
    EXPECT_EQ("1.0.0", UninstallEntry().Text("DisplayVersion"));
    ASSERT_FALSE(Exists(folder + "\\ffmpeg.exe")) << "the older version has no FFmpeg of its own";
    // The user's setting; and a damaged file the upgrade must replace.
    ASSERT_EQ(1, WriteSetting("Directory", folder.c_str()));
    ASSERT_TRUE(WriteAll(folder + "\\vec.exe", "damaged"));

    ASSERT_EQ(0u, Install(INSTALLER_HOST_PATH));
    ExpectInstalledIn(folder);
    EXPECT_EQ(folder, StoredDirectory());

    RemoteProgram program;
    ASSERT_TRUE(program.Start(HostPathOf(folder + "\\VodrixVideoConverter.exe"), WorkFolder() + "\\errors.log"));
    // Neither changes anything while the program runs.
    EXPECT_EQ(EXIT_PROGRAM_RUNNING, Install(INSTALLER_HOST_PATH));
    EXPECT_EQ(EXIT_PROGRAM_RUNNING,
              RunToEnd(Quoted(folder + "\\uninstall.exe") + " /S _?=" + folder));
    ExpectInstalledIn(folder);

    // vec.exe under Wine took the host's FFmpeg before it learnt to prefer
    // the programs beside it; once it works without the host's, the
    // installed program must convert with the installed FFmpeg.
    const bool windowsRoute = EncoderWorksWithoutHostFfmpeg(folder);
    std::string hostCalls;
    ConvertWithInstalledProgram(program, hostCalls);
    if (windowsRoute)
        EXPECT_EQ("", hostCalls) << "the conversion reached the host's FFmpeg";
    else
        EXPECT_NE(std::string::npos, hostCalls.find("ffmpeg")) << "no FFmpeg converted the clip";
    std::cout << "converted with " << (windowsRoute ? "the installed ffmpeg.exe" : "the host's FFmpeg") << "\n";
    program.Quit();
    const std::string output = folder + "\\" + CLIP_OUTPUT;
    ASSERT_TRUE(Exists(output));
    EXPECT_TRUE(Exists(folder + "\\trace")) << "the program wrote no trace beside itself";
    // The script of a source that took the script route, as the program writes it.
    ASSERT_TRUE(WriteAll(folder + "\\edit.avs", "DirectShowSource(\"C:\\clip.wmv\")\n"));

    ASSERT_TRUE(UninstallQuietly(folder));
    ExpectRemovedFrom(folder);
    EXPECT_TRUE(Exists(output)) << "the uninstall took the user's converted clip";
    EXPECT_EQ(folder, StoredDirectory()) << "the uninstall took the user's settings";
    EXPECT_TRUE(DeleteFileA(output.c_str()));
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str())) << "the folder held more than the user's clip";
}

TEST_F(Installer, ChosenFolderTakesTheInstallAndTheUninstallRemovesItWhole)
{
    const std::string folder = WorkFolder() + "\\Chosen Place\\Vodrix";
    ASSERT_EQ(0u, Install(INSTALLER_HOST_PATH, folder));
    ExpectInstalledIn(folder);
    EXPECT_FALSE(Exists(DefaultFolder()));

    ASSERT_TRUE(UninstallQuietly(folder));
    ExpectRemovedFrom(folder);
    EXPECT_FALSE(Exists(folder));
}

// What Explorer's properties and support staff read: one maker, product and
// version, the product's numbers from app/AppVersion.h.
TEST(ProgramIdentity, EveryShippedProgramReadsBackTheProductsVersion)
{
    struct Case {
        std::string path;
        const char* description;
    };
    const std::string dist = WindowsPathOfHost(DIST_HOST_PATH) + "\\";
    const Case cases[] = {
        {dist + "VodrixVideoConverter.exe", "Vodrix Video Converter"},
        {dist + "vec.exe", "Vodrix Video Converter encoder"},
        {WindowsPathOfHost(INSTALLER_HOST_PATH), "Vodrix Video Converter Setup"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        DWORD ignored = 0;
        std::vector<char> block(GetFileVersionInfoSizeA(c.path.c_str(), &ignored));
        ASSERT_FALSE(block.empty());
        ASSERT_TRUE(GetFileVersionInfoA(c.path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT size = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
        EXPECT_EQ(MAKELONG(APP_VERSION_MINOR, APP_VERSION_MAJOR), fixed->dwFileVersionMS);
        EXPECT_EQ(MAKELONG(0, APP_VERSION_PATCH), fixed->dwFileVersionLS);
        EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
        EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
        auto text = [&](const char* name) {
            char* value = nullptr;
            const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
            return VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &size) && value
                       ? std::string(value)
                       : std::string("<none>");
        };
        EXPECT_EQ(APP_PUBLISHER, text("CompanyName"));
        EXPECT_EQ(APP_TITLE, text("ProductName"));
        EXPECT_EQ(c.description, text("FileDescription"));
        EXPECT_EQ(APP_VERSION_NUMBER, text("FileVersion"));
        EXPECT_EQ(APP_VERSION_NUMBER, text("ProductVersion"));
    }
}

// The manifest as Windows reads it: run as the user who starts the program,
// every system from Vista on known, and no assembly besides the program's
// own (Common Controls 6 would change every control under the skin).
TEST(ProgramIdentity, BothProgramsDeclareTheirSystemsAndRunAsInvokerWithClassicControls)
{
    static const GUID SYSTEMS[] = {
        {0xe2011457, 0x1546, 0x43c5, {0xa5, 0xfe, 0x00, 0x8d, 0xee, 0xe3, 0xd3, 0xf0}},  // Vista
        {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}},  // 7
        {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}},  // 8
        {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}},  // 8.1
        {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}},  // 10 and 11
    };
    for (const char* program : {"VodrixVideoConverter.exe", "vec.exe"}) {
        SCOPED_TRACE(program);
        const std::string path = WindowsPathOfHost(std::string(DIST_HOST_PATH) + "/" + program);
        ACTCTXA request = {};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = path.c_str();
        request.lpResourceName = MAKEINTRESOURCEA(1);
        const HANDLE context = CreateActCtxA(&request);
        ASSERT_NE(INVALID_HANDLE_VALUE, context) << "no manifest Windows accepts, error " << GetLastError();

        ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level = {};
        EXPECT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &level, sizeof level,
                                 nullptr));
        EXPECT_EQ(ACTCTX_RUN_LEVEL_AS_INVOKER, level.RunLevel);
        EXPECT_EQ(0u, level.UiAccess);

        // Element layouts differ between SDKs: look for each system's id in the answer.
        std::vector<char> systems(4096);
        ASSERT_TRUE(QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, systems.data(),
                                 systems.size(), nullptr));
        EXPECT_EQ(5u, reinterpret_cast<const ACTIVATION_CONTEXT_COMPATIBILITY_INFORMATION*>(systems.data())->ElementCount);
        for (const GUID& system : SYSTEMS)
            EXPECT_NE(systems.end(), std::search(systems.begin(), systems.end(), reinterpret_cast<const char*>(&system),
                                                 reinterpret_cast<const char*>(&system) + sizeof system))
                << "a supported system is missing";

        std::vector<char> detail(4096);
        ASSERT_TRUE(QueryActCtxW(0, context, nullptr, ActivationContextDetailedInformation, detail.data(),
                                 detail.size(), nullptr));
        EXPECT_EQ(1u, reinterpret_cast<const ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(detail.data())->ulAssemblyCount)
            << "the manifest brings in another assembly";
        ReleaseActCtx(context);
    }
}

namespace {

BOOL CALLBACK CollectIconImage(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR images)
{
    const HRSRC found = FindResourceA(module, name, type);
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    if (data)
        reinterpret_cast<std::vector<std::string>*>(images)->emplace_back(data, SizeofResource(module, found));
    return TRUE;
}

}  // namespace

// Explorer shows the installer with the program's own icon: every image of
// res/art/vodrix.ico is one of the installer's.
TEST(ProgramIdentity, TheInstallerWearsTheProgramsIcon)
{
    const HMODULE setup = LoadLibraryExA(WindowsPathOfHost(INSTALLER_HOST_PATH).c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, setup);
    std::vector<std::string> images;
    EnumResourceNamesA(setup, RT_ICON, CollectIconImage, reinterpret_cast<LONG_PTR>(&images));
    FreeLibrary(setup);

    const std::string icon = ReadAll(WindowsPathOfHost(PROGRAM_ICON_HOST_PATH));
    ASSERT_GE(icon.size(), 6u);
    const size_t count = static_cast<unsigned char>(icon[4]) | static_cast<unsigned char>(icon[5]) << 8;
    ASSERT_GT(count, 0u);
    for (size_t i = 0; i < count; ++i) {
        DWORD size = 0;
        DWORD offset = 0;
        ASSERT_LE(6 + 16 * (i + 1), icon.size());
        std::memcpy(&size, &icon[6 + 16 * i + 8], sizeof size);
        std::memcpy(&offset, &icon[6 + 16 * i + 12], sizeof offset);
        ASSERT_LE(offset + size, icon.size());
        EXPECT_NE(images.end(), std::find(images.begin(), images.end(), icon.substr(offset, size)))
            << "image " << i << " of the program's icon is not the installer's";
    }
}
