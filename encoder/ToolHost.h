// Where FFmpeg comes from and how the encoder talks to it: "ffmpeg.exe" and
// "ffprobe.exe" beside vec.exe, through pipes, on Windows as under Wine; under
// Wine without them, the host's own "ffmpeg" and "ffprobe", through files in a
// private folder (ToolHost.cpp; WindowsToolHost.cpp for the pipes).
#pragma once

#include <memory>
#include <string>
#include <vector>

// A folder of the encoder's own for the files it shares with the host's
// FFmpeg, removed with its content when the object goes.
class PrivateFolder {
public:
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    bool IsReady() const { return !m_path.empty(); }
    // The Windows path of a file in the folder.
    std::string File(const char* name) const { return m_path + name; }

private:
    std::string m_path;  // with its trailing backslash
};

struct ToolResult {
    int exitCode = -1;
    std::string output;  // standard output
    std::string log;     // error messages
};

// One FFmpeg encoding under way.
class EncodingRun {
public:
    virtual ~EncodingRun() = default;
    // FFmpeg's "-progress" text written since the last call.
    virtual std::string TakeProgress() = 0;
    // True once FFmpeg has ended, with its exit code.
    virtual bool HasEnded(int& exitCode) = 0;
    // Returns when FFmpeg has ended, or after `milliseconds` at the latest.
    virtual void WaitForEnd(unsigned long milliseconds) = 0;
    // Asks FFmpeg to stop the way its user would: it finishes the file and
    // exits. Asking again never harms the file.
    virtual void RequestQuit() = 0;
    // FFmpeg's error messages so far.
    virtual std::string Log() = 0;
};

class ToolHost {
public:
    virtual ~ToolHost() = default;
    // The path under which FFmpeg finds a file; false when it has none (the
    // file's folder does not exist).
    virtual bool ToolPath(const std::string& path, std::string& toolPath) = 0;
    // Runs ffprobe to its end. False (with a message) when it could not start.
    virtual bool RunProbe(const std::vector<std::string>& arguments, ToolResult& result, std::string& error) = 0;
    // Starts ffmpeg; the host adds its own progress and input options.
    virtual std::unique_ptr<EncodingRun> StartEncoding(const std::vector<std::string>& arguments,
                                                       std::string& error) = 0;
};

// The programs beside vec.exe when both lie there; else, under Wine, the
// host's programs; else the programs beside vec.exe again, whose absence
// then fails with a message naming the missing one.
std::unique_ptr<ToolHost> CreateToolHost();

// True when "ffmpeg.exe" and "ffprobe.exe" both lie in `toolDir`.
bool HasWindowsTools(const std::string& toolDir);

// The Windows host, with "ffmpeg.exe" and "ffprobe.exe" in `toolDir`
// (a folder path with its trailing backslash).
std::unique_ptr<ToolHost> CreateWindowsToolHost(const std::string& toolDir);

// Reads a whole file, or from `offset` on (the offset moves past what was read).
std::string ReadFileText(const std::string& path, unsigned long long* offset = nullptr);
