// The converter under test as a user meets it: the real program from the
// build's distribution folder, with vec.exe beside it, working on small
// clips made by the host's FFmpeg when the suite starts.
#pragma once

#include "RemoteProgram.h"
#include "support/HostProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Family radios with the output name suffix of their default codecs.
struct Family {
    int radioId;
    const char* suffix;
};
extern const Family FAMILIES[5];

class ConverterProgram : public ::testing::Test {
public:
    // Windows paths of the suite's folders, with their trailing backslash.
    static std::string ClipFolder();
    static std::string OutputFolder();
    static std::string Clip(const std::string& name) { return ClipFolder() + name; }
    static std::string Output(const std::string& name) { return OutputFolder() + name; }
    // The program's folder (where "trace" is written).
    static std::string ProgramFolder();
    // Makes the clips the tests add, once per run of the suite.
    static void MakeClips();

protected:
    static void SetUpTestSuite();
    void SetUp() override;
    // The host path of the program the test starts.
    virtual std::string ProgramPath() const { return PROGRAM_HOST_PATH; }
    // The output directory stored before the program starts; none when empty.
    virtual std::string StoredOutputDirectory() const { return OutputFolder(); }
    // Files named on the program's command line.
    virtual std::vector<std::string> StartFiles() const { return {}; }
    void TearDown() override;

    // Adds the clips and checks that they became rows.
    void AddClips(const std::vector<std::string>& names);
    void RemoveAllRows();
    void ChooseFamily(int radioId);
    // Clicks Convert, follows the progress bar and answers the closing
    // message, which must have the caption "Info" and `text`. Returns the
    // bar's position each time the next row started and when the run ended.
    std::vector<int> ConvertExpecting(const std::string& text, DWORD timeoutMs = 120000);
    std::vector<std::string> LoggedErrors() const;

    RemoteProgram m_program;
    std::string m_logPath;
};

// A copy of the program and its encoder in a folder of its own beside the
// build's distribution folder, made afresh; its host path.
std::string CopyOfProgram(const std::string& folderName);
// Runs a host shell command on the suite's folders ($CLIPS and $OUT).
void HostShell(const std::string& command);
bool FileExists(const std::string& windowsPath);
// Waits until `window`, painted by another process, has nothing left to
// paint and shows the same picture for a while; false after 20 s.
bool WaitUntilShownSettles(HWND window);
// Keeps a picture of `window` as the screen shows it: a PNG at `windowsPath`
// with ".png" added.
void KeepWindowPicture(HWND window, const std::string& windowsPath);
// True when FFmpeg's prober decodes video frames from the file.
bool Plays(const std::string& windowsPath);
FILETIME LastWriteTime(const std::string& windowsPath);
