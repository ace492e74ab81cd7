#include "ui/BatchProgressView.h"

#include <utility>

CBatchProgressView::CBatchProgressView(CWindowConvertView& shown, TickSource clock)
    : m_shown(shown), m_estimate(std::move(clock))
{
}

void CBatchProgressView::RowStarts(const MediaItem& item, double laterSeconds)
{
    m_strSource = item.m_szSourcePath;
    m_nPercent = 0;
    m_estimate.RowStarts(item.m_dDuration, laterSeconds);
}

void CBatchProgressView::RunEnds()
{
    m_estimate.Reset();
    ShowBarTip("");
}

void CBatchProgressView::SetProgressPosition(int position)
{
    m_nPercent = position;
    m_estimate.RowProgress(position);
    m_shown.SetProgressPosition(position);
    const std::string timeLeft = m_estimate.Text();
    ShowBarTip(timeLeft.empty() ? "" : PercentWithTimeLeft(position, timeLeft));
}

void CBatchProgressView::SetTrayTip(const char* tip)
{
    const std::string timeLeft = m_estimate.Text();
    if (timeLeft.empty())
        m_shown.SetTrayTip(tip);
    else
        m_shown.SetTrayTip(TrayTipWithTimeLeft(m_strSource, m_nPercent, timeLeft).c_str());
}

// Reports arrive many times a second; the tooltip changes only with the text.
void CBatchProgressView::ShowBarTip(const std::string& tip)
{
    if (tip == m_strBarTip)
        return;
    m_strBarTip = tip;
    m_shown.SetProgressTip(tip.c_str());
}
