// Runs vec.exe the way the converter does, and looks at files with the
// host's FFmpeg tools.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct EncoderOutcome {
    std::vector<std::string> lines;  // non-empty output lines, carriage returns dropped
    std::string output;              // everything the encoder wrote
    DWORD processId = 0;
    DWORD startTick = 0;             // GetTickCount just before the start
    DWORD exitCode = 0;
    bool exited = false;
};

// Starts the command line hidden with a pipe for standard input and one pipe
// for standard output and error, reads everything, and waits for the end.
// With `quitAtSecond`, writes the converter's quit bytes once a progress line
// reports that many seconds encoded. `input` goes to standard input right
// after the start (a standby's command line); `closeInput` closes it there.
EncoderOutcome RunEncoder(const std::string& commandLine, int quitAtSecond = 0, const std::string& input = "",
                          bool closeInput = false);

// The converter's own test of a progress line.
bool IsProgressLine(const std::string& line, int* seconds = nullptr);

// Runs a host shell script with arguments ($1...) under Wine and returns its
// standard output.
std::string RunHostScript(const std::string& script, const std::vector<std::string>& arguments);

// The host path of a Windows path.
std::string HostPath(const std::string& windowsPath);

struct MediaStreams {
    std::string format;      // ffprobe's format name
    std::string videoCodec;  // empty without a video stream
    std::string audioCodec;  // empty without an audio stream
    std::string writer;      // AVI's "software" tag: the FFmpeg library that wrote the file
    double duration = 0.0;   // seconds until the end of the last packet
    int width = 0;
    int height = 0;
    int sampleRate = 0;
    bool readable = false;
};

MediaStreams ProbeMedia(const std::string& windowsPath);

std::string ReadWholeFile(const std::string& path);
