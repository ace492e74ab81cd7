#include "COMMON/EncoderOutput.h"

#include <climits>
#include <cstdio>

std::vector<std::string> LineAssembler::Feed(const char* data, size_t size)
{
    std::vector<std::string> lines;
    size_t lineStart = 0;
    for (size_t i = 0; i < size; ++i) {
        if (m_bTrailByteDue) {
            m_bTrailByteDue = false;
            continue;
        }
        if (IsDBCSLeadByteEx(m_codePage, static_cast<BYTE>(data[i]))) {
            m_bTrailByteDue = true;
            continue;
        }
        if (data[i] != '\n')
            continue;
        m_pending.append(data + lineStart, i - lineStart);
        if (!m_pending.empty() && m_pending.back() == '\r')
            m_pending.pop_back();
        lines.push_back(TakePending());
        lineStart = i + 1;
    }
    m_pending.append(data + lineStart, size - lineStart);
    return lines;
}

std::string LineAssembler::TakePending()
{
    std::string line;
    line.swap(m_pending);
    return line;
}

int ParseProgressSeconds(const char* line, int* seconds)
{
    *seconds = 0;
    return sscanf(line, "%*s %*s %*s %*s %*s %*s time=%d", seconds) == 1 ? 1 : 0;
}

int ProgressPercent(int seconds, double duration)
{
    if (duration <= 0.0)
        return 0;
    const double percent = seconds / duration * 100.0;
    // A tiny duration must not overflow the conversion.
    if (percent >= INT_MAX)
        return INT_MAX;
    if (percent <= INT_MIN)
        return INT_MIN;
    return static_cast<int>(percent);
}

void ParseProbeChunk(const char* chunk, int* duration, int* width, int* height)
{
    sscanf(chunk, "Duration:%d Width:%d Height:%d", duration, width, height);
}
