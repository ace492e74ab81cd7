#include "COMMON/TrayIcon.h"

#include <cstring>

NOTIFYICONDATAA MakeTrayIconRecord(HWND hWnd, HICON hIcon, const char* tip)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = hWnd;
    data.uID = TRAY_ICON_ID;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = UWM_TRAY_NOTIFY;
    data.hIcon = hIcon;
    std::strncpy(data.szTip, tip, sizeof data.szTip - 1);
    return data;
}
