// The main window: one modal dialog that lives as long as the process, with
// the source list, the output settings panel, the output directory, the
// commands, the progress bar and a tray icon it hides itself to.
#pragma once

#include "COMMON/CVodrixMediaCntl.h"
#include "COMMON/MediaItem.h"
#include "controls/ImageButton.h"
#include "controls/MediaListCtrl.h"
#include "controls/PercentProgressCtrl.h"
#include "framework/Dialog.h"
#include "framework/StandardControls.h"
#include "framework/WorkerThread.h"

#include <shellapi.h>

#include <string>

// Rows of the source list, and records behind them.
constexpr int MAX_MEDIA_ITEMS = 30;

// Sent by the batch worker: the commands switch to idle (wParam TRUE) or
// running on the dialog's own thread, in one piece, rather than control by
// control across threads.
constexpr UINT UWM_ENABLE_COMMANDS = WM_APP + 20;
// Sent by the start-up worker: set up the panel for AVI and enable the settings.
constexpr UINT UWM_STARTUP_SET_UP = WM_APP + 21;

// The settings panel as a conversion reads it.
struct PanelSettings {
    int frameSize = 0;       // FRAME_SIZES index; 0 keeps the source's size
    int videoCodec = 0;      // index into the family's video table
    int videoBitrate = 0;    // kbit/s
    double frameRate = 0;    // frames per second
    int aspect = 0;          // aspect list index
    int audioCodec = 0;      // index into the family's audio table
    int audioBitrate = 0;    // audio bitrate list index
    int channels = 0;        // 1 or 2
    int volume = 0;          // slider position
    int sampleRate = 0;      // sample-rate list index
    int target = 0;          // TARGET_*
};

class CConverterDlg : public CDialogBase {
    friend class CConverterBatchHost;  // the batch loop's view of the dialog

public:
    CConverterDlg();
    ~CConverterDlg() override;

    // Idle (on) or running (off): the list's header, Convert, Add, Remove,
    // EXIT and Browse on, Stop the inverse, progress back to 0, then
    // EnableSettings(on).
    void EnableCommands(bool on);
    // Add, Remove, Convert, the family radios, the option lists and the
    // volume slider on (or off); Stop the inverse.
    void EnableSettings(bool on);

    // The settings panel.
    void EnableOptionControls(bool on);
    void FillOptionLists(int videoListType, int audioListType);
    void SelectAvi();
    void SelectMpeg();
    void SelectWmv();
    void SelectMov();
    void SelectFlv();
    // Copies the panel's current state into `item` (its probe fields are already filled).
    void FillItemSettings(MediaItem& item) const;
    PanelSettings ReadPanelSettings() const;
    static void ApplyPanelSettings(const PanelSettings& settings, MediaItem& item);

    int CurrentTarget() const { return m_nCurTarget; }
    const std::string& OutputDirectory() const { return m_strOutDir; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    BOOL OnInitDialog() override;
    void OnCommand(UINT id, UINT code, HWND hwndControl) override;
    // Esc and Enter end the dialog like EXIT, but never while a batch runs:
    // the batch worker must not outlive the dialog it drives.
    void OnOK() override;
    void OnCancel() override;

    // Frame.
    LRESULT OnSysCommand(WPARAM wp, LPARAM lp);
    LRESULT OnPaint();
    LRESULT OnDestroy();
    LRESULT OnTrayNotify(WPARAM wp, LPARAM lp);
    LRESULT OnNotify(const NMHDR& header);
    void OnBrowse();
    void ShowAbout();

    // Source list (SourceList.cpp).
    void SetUpSourceList();
    void OnAdd();
    // Appends a row for `path` and probes the file into its record; false
    // (row gone, codec notice shown) when the probe fails.
    bool AddSource(const std::string& path);
    void OnRemove();
    // Moves the records with their rows after a header click sorted them.
    LRESULT OnSourcesSorted();
    // Batch run (BatchRun.cpp).
    void OnConvert();
    // EnableCommands on the dialog's thread, for the batch worker.
    LRESULT OnEnableCommands(bool idle);
    LRESULT OnStartupSetUp();
    void OnStop();
    static unsigned __stdcall ConvertThreadProc(void* param);
    int RunBatch();
    bool IsBatchRunning() const { return m_batchWorker.IsRunning(); }

    // Settings panel (SettingsPanel.cpp).
    void OnFamilyClicked(UINT id);
    void OnVideoCodecChanged();
    void UpdateVolumeLabel();

    volatile LONG m_bStopRequested;          // set by Stop, read and cleared by the batch run
    MediaItem m_items[MAX_MEDIA_ITEMS];      // slot k backs row k of the source list
    int m_nCurTarget;                        // TARGET_AVI .. TARGET_FLV
    std::string m_strOutDir;                 // output directory, normally with a trailing backslash

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
    CComboBoxWnd m_cbVideoCodec;
    CComboBoxWnd m_cbAudioCodec;
    CComboBoxWnd m_cbChannels;
    CComboBoxWnd m_cbSampleRate;
    CComboBoxWnd m_cbVideoBitrate;
    CComboBoxWnd m_cbFrameRate;
    CComboBoxWnd m_cbFrameSize;
    CComboBoxWnd m_cbAspect;
    CComboBoxWnd m_cbAudioBitrate;
    CTrackBarWnd m_sliderVolume;
    CButtonWnd m_radioAvi;
    CButtonWnd m_radioMpeg;
    CButtonWnd m_radioWmv;
    CButtonWnd m_radioMov;
    CButtonWnd m_radioFlv;

    CVodrixMediaCntl m_mediaCntl;
    CMediaListCtrl m_listSources;
    HICON m_hIcon;                            // shared icon from the module: never destroyed

    CWorkerThread m_startupWorker;
    bool m_bFirstPaintMarked = false;  // the start-up bench wants the first paint only
    CWorkerThread m_batchWorker;
    // The panel and the output directory as a run found them at its start:
    // both are disabled while it lasts, so the worker reads these instead of
    // asking the dialog's thread for every row.
    PanelSettings m_runSettings;
    std::string m_strRunOutDir;

private:
    static unsigned __stdcall StartupThreadProc(void* param);
    void BindControls();
    bool InitControls();
    void AddSystemMenuItem();
    void SetUpImageButtons();
    static void SetUpPictureButton(CImageButton& button, UINT hover, UINT normal, UINT pressed, const char* tip);
    void LoadOutputDirectory();
    NOTIFYICONDATAA TrayIconData() const;
    // Waits for a worker while still answering the messages it sends to this thread.
    static void WaitPumpingSentMessages(const CWorkerThread& worker);
};
