// Files from outside the Add dialog, without a window: the media types of
// the dialog's filter, folders expanded, command lines split, and the
// hand-over payload a second start sends (untrusted input).
#include "ui/IncomingFiles.h"
#include "ui/MediaFilter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

namespace {

using Paths = std::vector<std::string>;

std::string TempFolder(const char* name)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

void Touch(const std::string& path) { std::ofstream(path) << "x"; }

}  // namespace

TEST(MediaTypes, ComeFromTheFilterPatternsWithTheirBlanksAndCaseAndWithoutTheCatchAll)
{
    const struct {
        const char* filter;
        Paths extensions;
    } cases[] = {
        {"All Files (*.*)|*.*||", {}},
        {"A (*.x) | *.MOV |B|*.a;*.b||", {".mov", ".a", ".b"}},
        {"A|*.a|Again|*.A||", {".a"}},
        {MEDIA_FILE_FILTER, {".mov", ".mp4", ".3gp", ".mpg", ".mpeg", ".avi", ".wmv", ".asf", ".jpg", ".bmp", ".gif"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.extensions, FilterExtensions(c.filter)) << c.filter;

    const std::pair<const char*, bool> names[] = {
        {"clip.AVI", true}, {"C:\\a b\\clip.mpeg", true}, {"clip.avi.txt", false}, {"avi", false}, {"x.mp", false},
    };
    for (const auto& [name, media] : names)
        EXPECT_EQ(media, IsMediaFileName(name)) << name;
}

TEST(DroppedFolders, GiveTheirOwnMediaFilesInNameOrderAndLeaveFilesAsTheyAre)
{
    const std::string folder = TempFolder("vodrix_expand");
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\sub.avi").c_str(), nullptr);
    for (const char* name : {"b.MP4", "A.avi", "c.txt", "C.mov", "sub.avi\\deep.avi"})
        Touch(folder + "\\" + name);

    const Paths expected = {folder + "\\A.avi", folder + "\\b.MP4", folder + "\\C.mov", "C:\\single.txt",
                            folder + "\\A.avi", folder + "\\b.MP4", folder + "\\C.mov"};
    EXPECT_EQ(expected, ExpandFolders({folder, "C:\\single.txt", folder + "\\"}));
}

TEST(CommandLine, NamesFilesByTheWindowsQuotingRulesMadeAbsolute)
{
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    const std::string here = std::string(current) + (current[strlen(current) - 1] == '\\' ? "" : "\\");
    const struct {
        const wchar_t* commandLine;
        Paths files;
    } cases[] = {
        {L"\"C:\\Program Files\\V\\v.exe\"", {}},
        {L"v.exe \"C:\\a b\\c d.avi\" C:\\e.mp4", {"C:\\a b\\c d.avi", "C:\\e.mp4"}},
        {L"v.exe clip.avi \"sub dir\\x.mov\"", {here + "clip.avi", here + "sub dir\\x.mov"}},
        {L"v.exe \"\" C:\\x\\..\\y.avi", {"C:\\y.avi"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.files, FilesOfCommandLine(c.commandLine));
}

TEST(HandOver, PathsSurviveTheTripAndEveryMalformedPayloadIsRefused)
{
    // A path too long for the program's calls still arrives, for the window to name it when it refuses it.
    const std::string longPath = "C:\\" + std::string(MAX_PATH, 'a');
    for (const Paths& paths : {Paths{}, Paths{"C:\\a b\\c.avi"}, Paths{"C:\\x.avi", longPath, "D:\\y z.mp4"}}) {
        const std::string payload = EncodeHandOver(paths);
        Paths decoded = {"left over"};
        EXPECT_TRUE(DecodeHandOver(HANDOVER_TAG, payload.data(), static_cast<DWORD>(payload.size()), decoded));
        EXPECT_EQ(paths, decoded);
    }

    const std::string tooLong = std::string(HANDOVER_LONGEST_PATH + 1, 'a') + std::string(2, '\0');
    std::string huge;  // well formed, but too large
    while (huge.size() < HANDOVER_MAX_BYTES)
        huge += std::string("a\0", 2);
    const struct {
        ULONG_PTR tag;
        std::string payload;
        const char* why;
    } refused[] = {
        {HANDOVER_TAG + 1, std::string("a\0\0", 3), "another version"},
        {HANDOVER_TAG, std::string(), "empty"},
        {HANDOVER_TAG, std::string("a", 1), "no zero at all"},
        {HANDOVER_TAG, std::string("a\0", 2), "the list's zero missing"},
        {HANDOVER_TAG, std::string("a\0b", 3), "cut off"},
        {HANDOVER_TAG, std::string("\0\0", 2), "an empty path"},
        {HANDOVER_TAG, std::string("a\0\0b\0\0", 6), "bytes after the list"},
        {HANDOVER_TAG, tooLong, "a path too long for Windows"},
        {HANDOVER_TAG, huge + '\0', "larger than allowed"},
    };
    for (const auto& r : refused) {
        Paths decoded = {"left over"};
        EXPECT_FALSE(DecodeHandOver(r.tag, r.payload.data(), static_cast<DWORD>(r.payload.size()), decoded)) << r.why;
        EXPECT_TRUE(decoded.empty()) << r.why;
    }
    Paths decoded;
    EXPECT_FALSE(DecodeHandOver(HANDOVER_TAG, nullptr, 3, decoded));
}

// A file whose name the code page cannot hold, or whose path is MAX_PATH
// characters or longer, is named so that the ANSI calls open it: alone, or
// listed from its folder.
TEST(AnsiPaths, AFileWhoseNameTheCodePageCannotHoldIsNamedSoThatAnsiCallsOpenIt)
{
    // The file's identity on its volume, through the wide or the ANSI name.
    auto identity = [](HANDLE file) {
        BY_HANDLE_FILE_INFORMATION info{};
        const bool known = file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &info);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        return known ? (static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow) : 0ULL;
    };
    const std::wstring folder = L"C:\\vodrix_ansi_paths";
    const std::wstring deep = folder + L"\\" + std::wstring(100, L'd') + L"\\" + std::wstring(100, L'e');
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((L"\\\\?\\" + deep.substr(0, deep.rfind(L'\\'))).c_str(), nullptr);
    CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr);
    const std::wstring paths[] = {folder + L"\\plain clip.avi", folder + L"\\clip \u65e5\u672c \u0436.avi",
                                  deep + L"\\" + std::wstring(60, L'f') + L".avi"};
    for (const std::wstring& path : paths) {
        const std::wstring wide = L"\\\\?\\" + path;
        const auto made = identity(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_NE(0ULL, made);
        const std::string ansi = AnsiPath(path);
        EXPECT_LT(ansi.size(), static_cast<size_t>(MAX_PATH));
        EXPECT_EQ(made, identity(CreateFileA(ansi.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)))
            << ansi;
        const std::string folderOfFile = AnsiPath(path.substr(0, path.rfind(L'\\')));
        const Paths listed = ExpandFolders({folderOfFile});
        ASSERT_EQ(1u, listed.size()) << folderOfFile;
        EXPECT_EQ(made, identity(CreateFileA(listed[0].c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                             nullptr)))
            << listed[0];
        DeleteFileW(wide.c_str());
    }
    EXPECT_EQ("C:\\vodrix_ansi_paths\\plain clip.avi", AnsiPath(paths[0]));
    RemoveDirectoryW((L"\\\\?\\" + deep).c_str());
    RemoveDirectoryW((L"\\\\?\\" + deep.substr(0, deep.rfind(L'\\'))).c_str());
    RemoveDirectoryW(folder.c_str());
}
