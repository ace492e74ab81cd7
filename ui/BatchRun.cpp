#include "ui/BatchRun.h"

#include "ui/NoticeDlgs.h"
#include "ui/Shutdown.h"
#include "ui/ShutdownCountdownDlg.h"

CConverterBatchHost::CConverterBatchHost(CDialogBase& dialog, CSourceList& sources, CVodrixMediaCntl& media,
                                         CWindowConvertView& view, const CButtonWnd& shutdownOption)
    : m_dialog(dialog), m_sources(sources), m_media(media), m_progressView(view, SystemTicks()),
      m_chkShutdown(shutdownOption)
{
}

void CConverterBatchHost::TakeRunSettings(const PanelSettings& settings, const std::string& outputDirectory)
{
    m_runSettings = settings;
    m_strRunOutDir = outputDirectory;
}

void CConverterBatchHost::RequestStop() { InterlockedExchange(&m_bStopRequested, 1); }

int CConverterBatchHost::RowCount() { return m_sources.RowCount(); }

MediaItem& CConverterBatchHost::Item(int row) { return m_sources.Item(row); }

void CConverterBatchHost::MarkRowActive(int row) { m_sources.MarkRowActive(row); }

void CConverterBatchHost::ShowRowConverted(int row) { m_sources.ShowRowConverted(row); }

std::string CConverterBatchHost::OutputDirectoryText() { return m_strRunOutDir; }

bool CConverterBatchHost::FillItemSettings(MediaItem& item)
{
    CSettingsPanel::ApplyPanelSettings(m_runSettings, item);
    return item.m_nTarget >= TARGET_AVI && item.m_nTarget <= TARGET_FLV;
}

int CConverterBatchHost::Convert(MediaItem& item, bool anotherFollows)
{
    m_media.SetFollowingRun(anotherFollows);
    m_progressView.RowStarts(item, SecondsToConvertAfter(item));
    return m_media.bDoConvert(&item, &m_progressView);
}

// Rows run in order and a run ends at its first failure, so every row still
// unconverted besides this one lies after it.
double CConverterBatchHost::SecondsToConvertAfter(const MediaItem& item)
{
    double seconds = 0;
    for (int row = 0; row < RowCount(); ++row) {
        const MediaItem& other = Item(row);
        if (&other != &item && other.m_bConverted != 1 && other.m_dDuration > 0)
            seconds += other.m_dDuration;
    }
    return seconds;
}

void CConverterBatchHost::EndConversions()
{
    m_media.EndFollowingRun();
    m_progressView.RunEnds();
}

bool CConverterBatchHost::StopRequested() { return InterlockedCompareExchange(&m_bStopRequested, 0, 0) == 1; }

void CConverterBatchHost::ClearStopRequest() { InterlockedExchange(&m_bStopRequested, 0); }

void CConverterBatchHost::ShowMessage(const char* text)
{
    MessageBoxA(m_dialog.GetSafeHwnd(), text, "Info", MB_OK);
}

void CConverterBatchHost::ShowConvertNotice()
{
    CConvertNoticeDlg notice;
    notice.DoModal(m_dialog.GetSafeHwnd());
}

bool CConverterBatchHost::ShutdownWanted() { return m_chkShutdown.GetCheck() == BST_CHECKED; }

void CConverterBatchHost::OfferShutdown() { ::PostMessageA(m_dialog.GetSafeHwnd(), UWM_OFFER_SHUTDOWN, 0, 0); }

// A countdown that cannot be shown must not keep the computer running
// against the user's choice: it shuts down as if nobody had acted. A quit
// that ends the countdown's loop is no such choice; the loop posts it again
// and the program ends on it.
void CConverterBatchHost::RunShutdownCountdown()
{
    CShutdownCountdownDlg countdown(ShutdownCountdownSeconds(), SystemTicks());
    countdown.DoModal(m_dialog.GetSafeHwnd());
    if (countdown.Outcome() == CountdownOutcome::KeepRunning) {
        EnableCommands(true);
        return;
    }
    if (::ShutdownComputer())
        return;
    EnableCommands(true);
    ShowMessage("The media files have been generated, but the computer could not be shut down: "
                "Windows refused it.");
}

void CConverterBatchHost::EnableCommands(bool idle)
{
    ::SendMessageA(m_dialog.GetSafeHwnd(), UWM_ENABLE_COMMANDS, idle ? TRUE : FALSE, 0);
}
