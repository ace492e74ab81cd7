// How long the rest of a batch will take, told from the speed so far: media
// seconds encoded per wall second since the run's first row began, applied
// to the media seconds still to convert.
#pragma once

#include "ui/TickSource.h"

#include <cstddef>
#include <string>
#include <utility>

// The tray tip's room without its terminator.
constexpr size_t TRAY_TIP_CHARS = 63;

class CTimeLeftEstimate {
public:
    explicit CTimeLeftEstimate(TickSource clock) : m_clock(std::move(clock)) {}

    // A row begins: its duration and those of the rows after it that the run
    // will still convert. The first row of a run starts the clock; a later
    // one means the row before it was done whole.
    void RowStarts(double rowSeconds, double laterSeconds);
    // The share of the current row done, as the progress bar shows it.
    void RowProgress(int percent);
    // The run has ended: the next row starts a new one.
    void Reset() { m_bRunning = false; }
    // "about N min left" or "less than a minute left"; empty until enough of
    // the run is done to tell, and once nothing is left.
    std::string Text() const;

private:
    // Seconds left, or a negative value while there is no estimate.
    double SecondsLeft() const;

    TickSource m_clock;
    bool m_bRunning = false;
    unsigned long m_startTick = 0;   // when the run's first row began
    double m_firstRowSeconds = 0;    // the estimate waits for a share of it
    double m_doneBeforeSeconds = 0;  // media seconds of the rows finished in this run
    double m_rowSeconds = 0;         // the current row's duration
    double m_laterSeconds = 0;       // the rows after it
    int m_nPercent = 0;              // of the current row
};

// `seconds` left in words: "less than a minute left" below a minute, else
// "about N min left" rounded to the nearest minute.
std::string TimeLeftText(double seconds);
// "42% - about 3 min left": the progress bar's tip.
std::string PercentWithTimeLeft(int percent, const std::string& timeLeft);
// The source path, the percentage and the time left within `maxChars`: a
// path too long loses its beginning, so the file's name and the time stay.
std::string TrayTipWithTimeLeft(const std::string& path, int percent, const std::string& timeLeft,
                                size_t maxChars = TRAY_TIP_CHARS);
