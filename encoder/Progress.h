// Turns FFmpeg's machine-readable progress ("-progress") into the converter's
// progress lines: six blank-separated words, then "time=<seconds>".
#pragma once

#include <functional>
#include <map>
#include <string>

using ProgressBlock = std::map<std::string, std::string>;

// One progress line for a block of FFmpeg's "key=value" progress lines.
std::string FormatProgressLine(const ProgressBlock& block);

class ProgressReporter {
public:
    // `print` receives each finished line, line feed included.
    explicit ProgressReporter(std::function<void(const std::string&)> print);

    // Takes the next piece of FFmpeg's progress text; every block that it
    // completes ("progress=..." ends a block) is printed at once.
    void Feed(const std::string& text, unsigned long nowMilliseconds);

    // Prints the latest state again when nothing was printed for
    // `quietMilliseconds`, so that the converter hears from the encoder at
    // least that often even while FFmpeg is still opening its input, or
    // between FFmpeg's own reports when they come more rarely.
    void KeepAlive(unsigned long nowMilliseconds, unsigned long quietMilliseconds);

    // How long until KeepAlive would print: 0 before the first line.
    unsigned long MillisecondsToKeepAlive(unsigned long nowMilliseconds, unsigned long quietMilliseconds) const;

private:
    void Print(unsigned long nowMilliseconds);

    std::function<void(const std::string&)> m_print;
    std::string m_partialLine;
    ProgressBlock m_block;   // the block being read
    ProgressBlock m_latest;  // the last complete block
    unsigned long m_lastPrint = 0;
    bool m_printed = false;
};
