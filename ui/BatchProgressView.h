// A batch's conversions as the main window shows them: the window's own view,
// with the time the rest of the batch will take added to the tray tip and,
// as its tooltip, to the progress bar once it can be told. Called on the
// batch worker, like the view it wraps.
#pragma once

#include "COMMON/MediaItem.h"
#include "ui/TimeLeft.h"
#include "ui/WindowConvertView.h"

#include <string>

class CBatchProgressView : public IConvertView {
public:
    CBatchProgressView(CWindowConvertView& shown, TickSource clock);

    // A row is handed to the engine; `laterSeconds`: the media seconds of
    // the rows after it that the run will still convert.
    void RowStarts(const MediaItem& item, double laterSeconds);
    // The run has ended: the estimate goes, and with it the bar's tip.
    void RunEnds();

    void ShowNotice(const char* text) override { m_shown.ShowNotice(text); }
    void ShowRunFailure(const char* text) override { m_shown.ShowRunFailure(text); }
    int ProgressPosition() override { return m_shown.ProgressPosition(); }
    void SetProgressPosition(int position) override;
    // The engine's tip (the source and the percentage) until there is an estimate.
    void SetTrayTip(const char* tip) override;

private:
    void ShowBarTip(const std::string& tip);

    CWindowConvertView& m_shown;
    CTimeLeftEstimate m_estimate;
    std::string m_strSource;  // of the row being converted
    int m_nPercent = 0;       // of the row being converted
    std::string m_strBarTip;  // the bar's tip now
};
