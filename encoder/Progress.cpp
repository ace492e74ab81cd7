#include "encoder/Progress.h"

#include <cstdio>
#include <cstdlib>

namespace {

// A value as one word: FFmpeg pads some values with blanks, and an empty or
// missing value would leave the line a word short.
std::string Word(const ProgressBlock& block, const char* key, const char* fallback)
{
    auto found = block.find(key);
    std::string word;
    if (found != block.end())
        for (char c : found->second)
            if (c != ' ' && c != '\t')
                word += c;
    return word.empty() ? fallback : word;
}

double SecondsDone(const ProgressBlock& block)
{
    auto found = block.find("out_time_us");
    if (found == block.end())
        return 0.0;
    char* end = nullptr;
    long long microseconds = strtoll(found->second.c_str(), &end, 10);
    return end == found->second.c_str() || microseconds < 0 ? 0.0 : microseconds / 1e6;
}

}  // namespace

std::string FormatProgressLine(const ProgressBlock& block)
{
    long long bytes = strtoll(Word(block, "total_size", "0").c_str(), nullptr, 10);
    char line[512];
    snprintf(line, sizeof line, "frame=%s fps=%s q=%s size=%lldkB bitrate=%s speed=%s time=%.2f\n",
             Word(block, "frame", "0").c_str(), Word(block, "fps", "0").c_str(),
             Word(block, "stream_0_0_q", "0.0").c_str(), bytes > 0 ? bytes / 1024 : 0LL,
             Word(block, "bitrate", "N/A").c_str(), Word(block, "speed", "N/A").c_str(), SecondsDone(block));
    return line;
}

ProgressReporter::ProgressReporter(std::function<void(const std::string&)> print)
    : m_print(std::move(print))
{
}

void ProgressReporter::Feed(const std::string& text, unsigned long nowMilliseconds)
{
    m_partialLine += text;
    size_t start = 0;
    for (size_t end; (end = m_partialLine.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = m_partialLine.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string key = line.substr(0, equals);
        m_block[key] = line.substr(equals + 1);
        if (key == "progress") {
            m_latest = m_block;
            m_block.clear();
            Print(nowMilliseconds);
        }
    }
    m_partialLine.erase(0, start);
}

void ProgressReporter::KeepAlive(unsigned long nowMilliseconds, unsigned long quietMilliseconds)
{
    if (!m_printed || nowMilliseconds - m_lastPrint >= quietMilliseconds)
        Print(nowMilliseconds);
}

unsigned long ProgressReporter::MillisecondsToKeepAlive(unsigned long nowMilliseconds,
                                                       unsigned long quietMilliseconds) const
{
    const unsigned long quiet = nowMilliseconds - m_lastPrint;
    return !m_printed || quiet >= quietMilliseconds ? 0 : quietMilliseconds - quiet;
}

void ProgressReporter::Print(unsigned long nowMilliseconds)
{
    m_print(FormatProgressLine(m_latest));
    m_lastPrint = nowMilliseconds;
    m_printed = true;
}
