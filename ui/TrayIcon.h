// The main window's icon in the notification area. The dialog adds it when
// it starts and removes it when it goes; a running conversion rewrites its
// tip. The icon calls its window back with UWM_TRAY_NOTIFY. A restarted
// taskbar knows no icons: the window adds it again when the taskbar
// announces itself.
#pragma once

#include <windows.h>
#include <shellapi.h>

enum : UINT {
    TRAY_ICON_ID = 5,
    UWM_TRAY_NOTIFY = WM_USER + 300,
};

class CTrayIcon {
public:
    // `icon` is shared (a resource icon): never destroyed here.
    explicit CTrayIcon(HICON icon) : m_hIcon(icon) {}

    // Shows the icon for `owner` with the program's title as its tip.
    void Add(HWND owner);
    void Remove();
    // The taskbar was made anew (Explorer restarted): the icon, if shown, is back.
    void OnTaskbarCreated() const;
    // The message a new taskbar broadcasts to every top-level window.
    static UINT TaskbarCreatedMessage();
    // Rewrites the tip (cut to fit) once the icon was added; from any thread.
    void SetTip(const char* tip) const;

private:
    NOTIFYICONDATAA Record(const char* tip) const;

    HICON m_hIcon;
    // Set once, before any conversion starts, and kept: a tip written after
    // the icon went away is refused by the shell.
    HWND m_hOwner = nullptr;
    bool m_bShown = false;  // added and not removed since
};
