// The record of the main dialog's tray icon. The dialog adds and removes the
// icon; the encoder rewrites its tip while a conversion runs. Both must
// describe the very same icon, so both build the record here.
#pragma once

#include <windows.h>
#include <shellapi.h>

enum : UINT {
    TRAY_ICON_ID = 5,
    UWM_TRAY_NOTIFY = WM_USER + 300,
    TRAY_ICON_RESOURCE = 128,
};

// The icon record of `hWnd` with the given icon and tip (cut to fit).
NOTIFYICONDATAA MakeTrayIconRecord(HWND hWnd, HICON hIcon, const char* tip);
