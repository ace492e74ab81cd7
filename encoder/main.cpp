// vec.exe: the converter's encoder. Checks the access token, then either
// answers "-info" about a media file or converts one file with FFmpeg,
// printing only progress lines while it works and failure lines when it fails.
// Started with "-standby" instead, it waits for its command line on standard
// input, so that the converter can start the next file's encoder early.
#include "services/StageTimes.h"
#include "encoder/CommandLine.h"
#include "encoder/Follow.h"
#include "encoder/FfmpegOptions.h"
#include "encoder/ProbeInfo.h"
#include "encoder/ScriptReader.h"
#include "encoder/ToolHost.h"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace {

const char ACCESS_TOKEN[] = "lumen-quartz-framebridging";

enum ExitCode { EXIT_DONE = 0, EXIT_FAILED = 1, EXIT_REFUSED = 2 };

std::atomic<bool> g_quitRequested(false);

// One write per text, straight to the handle, so that nothing waits in a buffer.
void Print(const std::string& text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// Prints each line of the message as a failure line. No failure line may read
// as a progress line, so no word of it starts with "time=".
void PrintFailure(const std::string& message)
{
    size_t start = 0;
    while (start < message.size()) {
        size_t end = message.find('\n', start);
        std::string line = message.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? message.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        for (size_t at; (at = line.find("time=")) != std::string::npos;)
            line.replace(at, 5, "time: ");
        if (!line.empty())
            Print("vec.exe: error: " + line + "\n");
    }
}

int Fail(const std::string& message)
{
    PrintFailure(message);
    return EXIT_FAILED;
}

// The converter asks for a stop with the letter "q" (and nine zero bytes).
void WatchForQuit()
{
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (!input || input == INVALID_HANDLE_VALUE)
        return;
    std::thread([input] {
        char chunk[64];
        DWORD read = 0;
        while (ReadFile(input, chunk, sizeof chunk, &read, nullptr) && read > 0)
            for (DWORD i = 0; i < read; ++i)
                if (chunk[i] == 'q')
                    g_quitRequested = true;
    }).detach();
}

bool IsFile(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsNonEmptyFile(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
           !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && (data.nFileSizeLow || data.nFileSizeHigh);
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

// Asks ffprobe about an existing file; false with a message when it cannot tell.
bool Probe(ToolHost& host, const std::string& path, MediaFacts& facts, std::string& error)
{
    std::string toolPath;
    ToolResult probe;
    if (!host.ToolPath(path, toolPath) || !host.RunProbe(ProbeArguments(toolPath), probe, error)) {
        error = error.empty() ? "cannot reach \"" + path + "\"" : error;
        return false;
    }
    if (probe.exitCode != 0) {
        error = probe.log + "\nffprobe cannot read \"" + path + "\"";
        return false;
    }
    facts = ParseProbeOutput(probe.output);
    return true;
}

int PrintMediaFacts(ToolHost& host, const std::vector<std::string>& arguments)
{
    if (arguments.size() != 1)
        return Fail("-info takes exactly one file");
    const std::string& path = arguments[0];
    MediaFacts facts;
    std::string error;
    if (!IsFile(path))
        return Fail("source file not found: \"" + path + "\"");
    if (!Probe(host, path, facts, error))
        return Fail(error);
    Print(FormatMediaFacts(facts));
    return EXIT_DONE;
}

int Convert(ToolHost& host, const std::vector<std::string>& arguments)
{
    EncodeSettings settings;
    std::string error;
    if (!ParseConverterOptions(arguments, settings, error))
        return Fail(error);
    std::string source = settings.input;
    if (IsScriptPath(source)) {
        ScriptSource script;
        if (!ReadSourceScript(source, script, error))
            return Fail(error + " (" + source + ")");
        source = script.path;
        settings.sourceFrameRate = script.frameRate;
    }
    if (!IsFile(source))
        return Fail("source file not found: \"" + source + "\"");
    std::string toolSource, toolOutput;
    if (!host.ToolPath(source, toolSource))
        return Fail("cannot reach the source file \"" + source + "\"");
    if (!host.ToolPath(settings.output, toolOutput))
        return Fail("the output folder \"" + FolderOf(settings.output) + "\" does not exist");
    std::vector<std::string> ffmpeg = {"-hide_banner", "-loglevel", "error", "-nostats", "-y", "-i", toolSource};
    std::vector<std::string> options = FfmpegOutputOptions(settings);
    ffmpeg.insert(ffmpeg.end(), options.begin(), options.end());
    ffmpeg.push_back(toolOutput);
    if (g_quitRequested)  // stopped before anything was written
        return EXIT_DONE;
    std::unique_ptr<EncodingRun> run = host.StartEncoding(ffmpeg, error);
    if (!run)
        return Fail(error);
    MarkStage("start-ffmpeg");

    const FollowOutcome outcome = FollowEncoding(*run, g_quitRequested, Print, [] { return GetTickCount(); });
    MarkStage("encoding");
    if (outcome.quit)
        return EXIT_DONE;
    if (outcome.exitCode != 0)
        return Fail(run->Log() + "\nFFmpeg failed with exit code " + std::to_string(outcome.exitCode));
    if (!IsNonEmptyFile(settings.output))
        return Fail(run->Log() + "\nFFmpeg wrote no output file \"" + settings.output + "\"");
    return EXIT_DONE;
}

// A standby encoder is started ahead of its turn, so that its process start
// overlaps the conversion before it. Its command line comes as one line on
// standard input; an input closed first means the converter needs it no more.
// A quit request written right behind the line counts as one.
bool ReceiveCommandLine(std::string& commandLine)
{
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char chunk[512];
    DWORD read = 0;
    while (ReadFile(input, chunk, sizeof chunk, &read, nullptr) && read > 0) {
        const char* end = static_cast<const char*>(memchr(chunk, '\n', read));
        if (!end) {
            commandLine.append(chunk, read);
            continue;
        }
        commandLine.append(static_cast<const char*>(chunk), end);
        if (memchr(end, 'q', chunk + read - end))
            g_quitRequested = true;
        return true;
    }
    return false;
}

bool IsStandby(const std::vector<std::string>& arguments)
{
    return arguments.size() == 2 && arguments[0] == ACCESS_TOKEN && arguments[1] == "-standby";
}

int Run()
{
    char modulePath[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    std::vector<std::string> arguments = SplitArguments(GetCommandLineA(), modulePath);
    if (IsStandby(arguments)) {
        std::string commandLine;
        if (!ReceiveCommandLine(commandLine))
            return EXIT_DONE;
        arguments = SplitArguments(commandLine.c_str(), modulePath);
    } else {
        MarkProcessCreated();
    }
    MarkStage("vec-start");
    if (arguments.empty() || arguments[0] != ACCESS_TOKEN) {
        PrintFailure("access refused: the first argument must be the converter's access token");
        return EXIT_REFUSED;
    }
    arguments.erase(arguments.begin());
    std::unique_ptr<ToolHost> host = CreateToolHost();
    MarkStage("setup");
    if (!arguments.empty() && arguments[0] == "-info")
        return PrintMediaFacts(*host, std::vector<std::string>(arguments.begin() + 1, arguments.end()));
    WatchForQuit();
    return Convert(*host, arguments);
}

}  // namespace

int main()
{
    int exitCode = Run();
    MarkStage("vec-finish");
    WriteStageTimes();
    return exitCode;
}
