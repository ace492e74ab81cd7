// The main window: one modal dialog that lives as long as the process. It
// holds the settings panel, the source list and the batch run's host, and
// keeps what belongs to the window as a whole: the output directory, the
// commands and their idle and running states, the progress bar, the system
// menu and the tray icon it hides itself to.
#pragma once

#include "COMMON/CVodrixMediaCntl.h"
#include "controls/ImageButton.h"
#include "controls/PercentProgressCtrl.h"
#include "framework/Dialog.h"
#include "framework/StandardControls.h"
#include "framework/WorkerThread.h"
#include "ui/ArrivingFiles.h"
#include "ui/BatchRun.h"
#include "ui/SettingsPanel.h"
#include "ui/SkinMenu.h"
#include "ui/SourceList.h"
#include "ui/TrayIcon.h"
#include "ui/WindowConvertView.h"

#include <string>
#include <vector>

// Sent by the start-up worker: set up the panel for AVI and enable the settings.
constexpr UINT UWM_STARTUP_SET_UP = WM_APP + 21;

class CConverterDlg : public CDialogBase, private ISourceListOwner, private IArrivalOwner {
public:
    CConverterDlg();
    ~CConverterDlg() override;

    // Before DoModal, for the program's one window: the files of its command
    // line, and the mark by which a second start finds it.
    void TakeStart(const std::vector<std::string>& files, const std::string& windowMark)
    {
        m_arriving.TakeStart(files, windowMark);
    }

    // Idle (on) or running (off): the list's header, Convert, Add, Remove,
    // EXIT and Browse on, Stop the inverse, progress back to 0, then
    // EnableSettings(on).
    void EnableCommands(bool on);
    // Add, Remove, Convert, the family radios, the option lists and the
    // volume slider on (or off); Stop the inverse.
    void EnableSettings(bool on);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    BOOL OnInitDialog() override;
    void OnCommand(UINT id, UINT code, HWND hwndControl) override;
    // Esc and Enter end the dialog like EXIT, but never while a batch runs:
    // the batch worker must not outlive the dialog it drives.
    void OnOK() override;
    void OnCancel() override;

    std::string m_strOutDir;  // output directory, normally with a trailing backslash
    CSettingsPanel m_settingsPanel;
    CWorkerThread m_startupWorker;
    CWorkerThread m_batchWorker;

private:
    LRESULT OnSysCommand(WPARAM wp, LPARAM lp);
    LRESULT OnPaint();
    LRESULT OnDestroy();
    LRESULT OnTrayNotify(WPARAM wp, LPARAM lp);
    LRESULT OnNotify(const NMHDR& header);
    void OnBrowse();
    void ShowAbout();
    // Convert starts the batch worker; Stop asks the running encoder to quit.
    void OnConvert();
    void OnStop();
    // EnableCommands on the dialog's thread, for the batch worker.
    LRESULT OnEnableCommands(bool idle);
    LRESULT OnStartupSetUp();
    bool IsBatchRunning() const { return m_batchWorker.IsRunning(); }

    void OnProbingStarts() override;
    void OnSourceProbed() override;

    bool CanAddArrivedFiles() const override;
    void AddArrivedFiles(const std::vector<std::string>& paths) override;
    void ComeToFront() override;

    static unsigned __stdcall StartupThreadProc(void* param);
    static unsigned __stdcall ConvertThreadProc(void* param);
    void BindControls();
    bool InitControls();
    void AddSystemMenuItem();
    void SetUpImageButtons();
    static void SetUpPictureButton(CImageButton& button, UINT hover, UINT normal, UINT pressed, const char* tip);
    void LoadOutputDirectory();
    // Waits for a worker while still answering the messages it sends to this thread.
    static void WaitPumpingSentMessages(const CWorkerThread& worker);

    HICON m_hIcon;  // shared icon from the module: never destroyed
    CTrayIcon m_tray;
    CWindowConvertView m_view;
    CVodrixMediaCntl m_mediaCntl;
    CSourceList m_sourceList;

    CEditWnd m_editOutDir;
    CImageButton m_btnHelp;
    CImageButton m_btnAbout;
    CImageButton m_btnBrowse;
    CImageButton m_btnAdd;
    CImageButton m_btnRemove;
    CImageButton m_btnStop;
    CImageButton m_btnExit;
    CImageButton m_btnConvert;
    CButtonWnd m_chkShutdown;
    CPercentProgressCtrl m_progress;

    CConverterBatchHost m_batchHost;
    CArrivingFiles m_arriving{*this};
    CSkinMenu m_skinMenu;
    bool m_bFirstPaintMarked = false;  // the start-up bench wants the first paint only
};
