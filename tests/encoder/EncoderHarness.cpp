#include "EncoderHarness.h"

#include "encoder/WineHost.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

namespace {

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::stringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

std::string ScratchFile(const char* name)
{
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "vec-harness-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

// How long the file plays: from its first packet to the end of its last.
// Container headers are not asked: SWF keeps no duration, and AVI counts
// the padding frames of MPEG audio as if they were played.
double PlayingTime(const std::string& windowsPath)
{
    std::string packets = RunHostScript("ffprobe -v error -show_entries packet=pts_time,duration_time -of csv=p=0 \"$1\"",
                                        {HostPath(windowsPath)});
    double first = 1e9, end = 0.0;
    for (const std::string& line : SplitLines(packets)) {
        double start = 0.0, length = 0.0;
        if (sscanf(line.c_str(), "%lf,%lf", &start, &length) != 2)
            continue;
        first = start < first ? start : first;
        end = start + length > end ? start + length : end;
    }
    return end > first ? end - first : 0.0;
}

}  // namespace

EncoderOutcome RunEncoder(const std::string& commandLine, int quitAtSecond, const std::string& input,
                          bool closeInput)
{
    EncoderOutcome outcome;
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE outRead, outWrite, inRead, inWrite;
    if (!CreatePipe(&outRead, &outWrite, &inheritable, 0))
        return outcome;
    CreatePipe(&inRead, &inWrite, &inheritable, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = inRead;
    startup.hStdOutput = outWrite;
    startup.hStdError = outWrite;
    PROCESS_INFORMATION process = {};
    std::string text = commandLine;
    outcome.startTick = GetTickCount();
    BOOL started = CreateProcessA(nullptr, &text[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW | NORMAL_PRIORITY_CLASS,
                                  nullptr, nullptr, &startup, &process);
    CloseHandle(outWrite);
    CloseHandle(inRead);
    if (started) {
        outcome.processId = process.dwProcessId;
        DWORD written = 0;
        if (!input.empty())
            WriteFile(inWrite, input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
        if (closeInput) {
            CloseHandle(inWrite);
            inWrite = nullptr;
        }
        std::atomic<int> secondsReported(0);
        std::thread reader([&] {
            char chunk[1024];
            DWORD read = 0;
            while (ReadFile(outRead, chunk, sizeof chunk, &read, nullptr) && read > 0) {
                outcome.output.append(chunk, read);
                const size_t lastEnd = outcome.output.find_last_of('\n');
                const size_t lastStart = outcome.output.find_last_of('\n', lastEnd - 1);
                int seconds = 0;
                if (lastEnd != std::string::npos &&
                    IsProgressLine(outcome.output.substr(lastStart + 1, lastEnd - lastStart - 1), &seconds))
                    secondsReported = seconds;
            }
        });
        if (quitAtSecond) {
            const DWORD start = GetTickCount();
            while (secondsReported < quitAtSecond && WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT &&
                   GetTickCount() - start < 180000) {
            }
            WriteFile(inWrite, "q\0\0\0\0\0\0\0\0\0", 10, &written, nullptr);
        }
        outcome.exited = WaitForSingleObject(process.hProcess, 180000) == WAIT_OBJECT_0;
        if (!outcome.exited)
            TerminateProcess(process.hProcess, 99);
        reader.join();
        GetExitCodeProcess(process.hProcess, &outcome.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(outRead);
    if (inWrite)
        CloseHandle(inWrite);
    outcome.lines = SplitLines(outcome.output);
    return outcome;
}

bool IsProgressLine(const std::string& line, int* seconds)
{
    char copy[512] = {};
    snprintf(copy, sizeof copy, "%s", line.c_str());
    int value = 0;
    bool parsed = sscanf(copy, "%*s %*s %*s %*s %*s %*s time=%d", &value) == 1;
    if (seconds)
        *seconds = value;
    return parsed;
}

std::string HostPath(const std::string& windowsPath)
{
    return WineHost().HostPath(windowsPath);
}

std::string RunHostScript(const std::string& script, const std::vector<std::string>& arguments)
{
    std::string output = ScratchFile("out");
    DeleteFileA(output.c_str());
    // The output file does not exist yet: name it through its folder.
    std::string folder = output.substr(0, output.find_last_of('\\'));
    std::string hostOutput = HostPath(folder) + output.substr(output.find_last_of('\\')).replace(0, 1, "/");
    std::vector<std::string> argv = {"/bin/sh", "-c", "out=$1; shift; { " + script + "\n} >\"$out\" 2>/dev/null",
                                     "sh", hostOutput};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    WineHost().Spawn(argv, true);
    std::string text = ReadWholeFile(output);
    DeleteFileA(output.c_str());
    return text;
}

MediaStreams ProbeMedia(const std::string& windowsPath)
{
    std::string flat = RunHostScript(
        "ffprobe -v error -show_entries format=format_name:format_tags=software:"
        "stream=codec_type,codec_name,width,height,sample_rate "
        "-of flat=s=_ \"$1\"",
        {HostPath(windowsPath)});
    std::map<std::string, std::string> values;
    for (const std::string& line : SplitLines(flat)) {
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string value = line.substr(equals + 1);
        if (value.size() >= 2 && value.front() == '"')
            value = value.substr(1, value.size() - 2);
        values[line.substr(0, equals)] = value;
    }
    MediaStreams media;
    media.format = values["format_format_name"];
    media.writer = values["format_tags_software"];
    media.readable = !media.format.empty();
    media.duration = PlayingTime(windowsPath);
    for (int i = 0; values.count("streams_stream_" + std::to_string(i) + "_codec_type"); ++i) {
        std::string prefix = "streams_stream_" + std::to_string(i) + "_";
        if (values[prefix + "codec_type"] == "video") {
            media.videoCodec = values[prefix + "codec_name"];
            media.width = atoi(values[prefix + "width"].c_str());
            media.height = atoi(values[prefix + "height"].c_str());
        } else if (values[prefix + "codec_type"] == "audio") {
            media.audioCodec = values[prefix + "codec_name"];
            media.sampleRate = atoi(values[prefix + "sample_rate"].c_str());
        }
    }
    return media;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}
