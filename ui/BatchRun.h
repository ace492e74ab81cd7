// The main dialog as the batch loop sees it: the source list's rows, the
// settings panel and the output directory as they were when Convert was
// clicked, the engine shown in the dialog's view, the stop request and the
// shut-down option. Its calls come from the batch worker, except that
// Convert begins the run on the dialog's thread: every control is reached
// through its window.
#pragma once

#include "COMMON/CVodrixMediaCntl.h"
#include "COMMON/ConvertView.h"
#include "framework/Dialog.h"
#include "framework/StandardControls.h"
#include "ui/BatchLoop.h"
#include "ui/BatchProgressView.h"
#include "ui/SettingsPanel.h"
#include "ui/SourceList.h"

#include <windows.h>

#include <string>

// Sent to the dialog: the commands switch to idle (wParam TRUE) or running
// on the dialog's own thread, in one piece, rather than control by control
// across threads.
constexpr UINT UWM_ENABLE_COMMANDS = WM_APP + 20;
// Posted to the dialog when a completed run offers to shut down: the
// countdown runs on the dialog's thread, where the skin dresses it.
constexpr UINT UWM_OFFER_SHUTDOWN = WM_APP + 22;

class CConverterBatchHost : public IBatchHost {
public:
    CConverterBatchHost(CDialogBase& dialog, CSourceList& sources, CVodrixMediaCntl& media, CWindowConvertView& view,
                        const CButtonWnd& shutdownOption);
    CConverterBatchHost(const CConverterBatchHost&) = delete;
    CConverterBatchHost& operator=(const CConverterBatchHost&) = delete;

    // Convert, before BeginBatch: the panel and the output directory are
    // disabled while the run lasts, so the worker reads this copy instead of
    // asking the dialog's thread for every row.
    void TakeRunSettings(const PanelSettings& settings, const std::string& outputDirectory);
    // Stop: set before the encoder is asked to quit, so that the loop finds
    // it as soon as the encoder has ended.
    void RequestStop();
    // UWM_OFFER_SHUTDOWN: counts down, then shuts down or, when the user
    // stopped it, goes back to idle.
    void RunShutdownCountdown();

    int RowCount() override;
    MediaItem& Item(int row) override;
    void MarkRowActive(int row) override;
    void ShowRowConverted(int row) override;
    std::string OutputDirectoryText() override;
    bool FillItemSettings(MediaItem& item) override;
    int Convert(MediaItem& item, bool anotherFollows) override;
    void EndConversions() override;
    bool StopRequested() override;
    void ClearStopRequest() override;
    void ShowMessage(const char* text) override;
    void ShowConvertNotice() override;
    bool ShutdownWanted() override;
    void OfferShutdown() override;
    void EnableCommands(bool idle) override;

private:
    // The media seconds of the rows after `item` that the run will still convert.
    double SecondsToConvertAfter(const MediaItem& item);

    CDialogBase& m_dialog;
    CSourceList& m_sources;
    CVodrixMediaCntl& m_media;
    CBatchProgressView m_progressView;  // the engine's view during a run
    const CButtonWnd& m_chkShutdown;
    volatile LONG m_bStopRequested = 0;  // set by Stop, read and cleared by the run
    PanelSettings m_runSettings;
    std::string m_strRunOutDir;
};
