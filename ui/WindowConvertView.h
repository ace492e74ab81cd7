// The conversion shown on the main window: notices as message boxes, the
// progress bar moved by its position messages, the tip of the tray icon.
// Each call is carried out on the calling thread (the batch worker), so its
// messages are sent from there as the engine itself would send them.
#pragma once

#include "COMMON/ConvertView.h"
#include "ui/TrayIcon.h"

#include <windows.h>

class CWindowConvertView : public IConvertView {
public:
    explicit CWindowConvertView(const CTrayIcon& tray) : m_tray(tray) {}

    // Before the first conversion: the notices' owner and the progress bar (range 0 to 100).
    void Attach(HWND owner, HWND progressBar);

    void ShowNotice(const char* text) override;
    void ShowRunFailure(const char* text) override;
    int ProgressPosition() override;
    void SetProgressPosition(int position) override;
    void SetTrayTip(const char* tip) override;
    // The tip of the progress bar; empty: none.
    void SetProgressTip(const char* tip);

private:
    const CTrayIcon& m_tray;
    HWND m_hOwner = nullptr;
    HWND m_hBar = nullptr;
};
