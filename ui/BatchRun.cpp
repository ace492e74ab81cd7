// The batch conversion run: Convert starts a worker that walks the source
// list through the batch loop, Stop asks the running encoder to quit.
#include "ui/ConverterDlg.h"

#include "res/resource.h"
#include "ui/BatchLoop.h"
#include "ui/NoticeDlgs.h"
#include "ui/Shutdown.h"

// The dialog's controls and records as the batch loop sees them. Runs on
// the worker: every control is reached through its window.
class CConverterBatchHost : public IBatchHost {
public:
    explicit CConverterBatchHost(CConverterDlg& dialog) : m_dlg(dialog) {}

    int RowCount() override { return m_dlg.m_listSources.CountRows(ROW_ALL); }
    MediaItem& Item(int row) override { return m_dlg.m_items[row]; }
    void MarkRowActive(int row) override { m_dlg.m_listSources.SetRowState(row, ROW_SELECTED | ROW_FOCUSED); }
    void ShowRowConverted(int row) override { m_dlg.m_listSources.SetCellImage(row, 0, ROW_IMAGE_CONVERTED); }
    std::string OutputDirectoryText() override { return m_dlg.m_strRunOutDir; }
    bool FillItemSettings(MediaItem& item) override
    {
        CConverterDlg::ApplyPanelSettings(m_dlg.m_runSettings, item);
        return item.m_nTarget >= TARGET_AVI && item.m_nTarget <= TARGET_FLV;
    }
    int Convert(MediaItem& item, bool anotherFollows) override
    {
        m_dlg.m_mediaCntl.SetFollowingRun(anotherFollows);
        return m_dlg.m_mediaCntl.bDoConvert(&item, m_dlg.m_progress.GetSafeHwnd());
    }
    void EndConversions() override { m_dlg.m_mediaCntl.EndFollowingRun(); }
    bool StopRequested() override { return InterlockedCompareExchange(&m_dlg.m_bStopRequested, 0, 0) == 1; }
    void ClearStopRequest() override { InterlockedExchange(&m_dlg.m_bStopRequested, 0); }
    void ShowMessage(const char* text) override { MessageBoxA(m_dlg.m_hWnd, text, "Info", MB_OK); }
    void ShowConvertNotice() override
    {
        CConvertNoticeDlg notice;
        notice.DoModal(m_dlg.m_hWnd);
    }
    bool ShutdownWanted() override { return m_dlg.m_chkShutdown.GetCheck() == BST_CHECKED; }
    void ShutdownComputer() override { ::ShutdownComputer(); }
    void EnableCommands(bool idle) override
    {
        ::SendMessageA(m_dlg.m_hWnd, UWM_ENABLE_COMMANDS, idle ? TRUE : FALSE, 0);
    }

private:
    CConverterDlg& m_dlg;
};

void CConverterDlg::OnConvert()
{
    // The previous run's worker may still be on its last lines after it
    // re-enabled the commands.
    WaitPumpingSentMessages(m_batchWorker);
    m_runSettings = ReadPanelSettings();
    m_strRunOutDir = m_editOutDir.GetWindowText();
    CConverterBatchHost host(*this);
    if (!BeginBatch(host))
        return;
    if (!m_batchWorker.Start(&CConverterDlg::ConvertThreadProc, this)) {
        host.EnableCommands(true);
        MessageBoxA(m_hWnd, "The conversion could not be started. Please try again.", "Info", MB_OK);
    }
}

LRESULT CConverterDlg::OnEnableCommands(bool idle)
{
    EnableCommands(idle);
    return 0;
}

unsigned __stdcall CConverterDlg::ConvertThreadProc(void* param)
{
    if (!param)
        return 0;
    static_cast<CConverterDlg*>(param)->RunBatch();
    return 1;
}

int CConverterDlg::RunBatch()
{
    CConverterBatchHost host(*this);
    return RunBatchLoop(host);
}

// The request is set before the encoder is asked to quit, so that the loop
// finds it as soon as the encoder has ended.
void CConverterDlg::OnStop()
{
    InterlockedExchange(&m_bStopRequested, 1);
    m_mediaCntl.bStop();
}
