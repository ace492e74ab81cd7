#include "ui/TimeLeft.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace {

// Too early an estimate swings wildly: the encoder's start-up weighs on the
// first seconds, so wait for some wall time and a share of the first row.
constexpr unsigned long MIN_ELAPSED_MS = 3000;
constexpr double MIN_FIRST_ROW_SHARE = 0.03;

}  // namespace

TickSource SystemTicks()
{
    return [] { return static_cast<unsigned long>(GetTickCount()); };
}

void CTimeLeftEstimate::RowStarts(double rowSeconds, double laterSeconds)
{
    if (m_bRunning) {
        m_doneBeforeSeconds += m_rowSeconds;
    } else {
        m_bRunning = true;
        m_startTick = m_clock();
        m_firstRowSeconds = std::max(rowSeconds, 0.0);
        m_doneBeforeSeconds = 0;
    }
    m_rowSeconds = std::max(rowSeconds, 0.0);
    m_laterSeconds = std::max(laterSeconds, 0.0);
    m_nPercent = 0;
}

void CTimeLeftEstimate::RowProgress(int percent) { m_nPercent = std::min(std::max(percent, 0), 100); }

double CTimeLeftEstimate::SecondsLeft() const
{
    if (!m_bRunning)
        return -1;
    const unsigned long elapsedMs = m_clock() - m_startTick;
    const double rowDone = m_rowSeconds * m_nPercent / 100.0;
    const double done = m_doneBeforeSeconds + rowDone;
    if (elapsedMs < MIN_ELAPSED_MS || done <= 0 || done < m_firstRowSeconds * MIN_FIRST_ROW_SHARE)
        return -1;
    const double mediaLeft = m_rowSeconds - rowDone + m_laterSeconds;
    return mediaLeft * (elapsedMs / 1000.0) / done;
}

std::string CTimeLeftEstimate::Text() const
{
    const double seconds = SecondsLeft();
    return seconds > 0 ? TimeLeftText(seconds) : std::string();
}

std::string TimeLeftText(double seconds)
{
    if (seconds < 60)
        return "less than a minute left";
    return "about " + std::to_string(static_cast<long>(std::lround(seconds / 60))) + " min left";
}

std::string PercentWithTimeLeft(int percent, const std::string& timeLeft)
{
    return std::to_string(percent) + "% - " + timeLeft;
}

std::string TrayTipWithTimeLeft(const std::string& path, int percent, const std::string& timeLeft, size_t maxChars)
{
    const std::string tail = " " + PercentWithTimeLeft(percent, timeLeft);
    if (path.size() + tail.size() <= maxChars)
        return path + tail;
    static const std::string cut = "...";
    const size_t room = maxChars > tail.size() + cut.size() ? maxChars - tail.size() - cut.size() : 0;
    return (cut + path.substr(path.size() - std::min(room, path.size())) + tail).substr(0, maxChars);
}
