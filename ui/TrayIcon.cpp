#include "ui/TrayIcon.h"

#include "services/AppVersion.h"

#include <cstring>

void CTrayIcon::Add(HWND owner)
{
    m_hOwner = owner;
    m_bShown = true;
    NOTIFYICONDATAA data = Record(APP_TITLE);
    Shell_NotifyIconA(NIM_ADD, &data);
}

void CTrayIcon::Remove()
{
    m_bShown = false;
    NOTIFYICONDATAA data = Record(APP_TITLE);
    Shell_NotifyIconA(NIM_DELETE, &data);
}

// The tip of a running conversion comes back with its next rewrite.
void CTrayIcon::OnTaskbarCreated() const
{
    if (!m_bShown)
        return;
    NOTIFYICONDATAA data = Record(APP_TITLE);
    Shell_NotifyIconA(NIM_ADD, &data);
}

UINT CTrayIcon::TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void CTrayIcon::SetTip(const char* tip) const
{
    if (!m_hOwner)
        return;
    NOTIFYICONDATAA data = Record(tip);
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

NOTIFYICONDATAA CTrayIcon::Record(const char* tip) const
{
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = m_hOwner;
    data.uID = TRAY_ICON_ID;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = UWM_TRAY_NOTIFY;
    data.hIcon = m_hIcon;
    std::strncpy(data.szTip, tip, sizeof data.szTip - 1);
    return data;
}
