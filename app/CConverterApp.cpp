#include "app/CConverterApp.h"

#include "services/AppServices.h"
#include "services/Installation.h"
#include "services/StageTimes.h"
#include "skin/SkinEngine.h"
#include "ui/ConverterDlg.h"
#include "ui/SkinChoice.h"

#include <objbase.h>

#include <cstdio>

namespace {

std::string EntryText(const char* suffix)
{
    char text[256];
    std::snprintf(text, sizeof text, "%s%s%s", APP_TITLE, APP_VERSION, suffix);
    return text;
}

}  // namespace

std::string CConverterApp::StartText() { return EntryText(" start"); }

std::string CConverterApp::StopText() { return EntryText(" stop"); }

// The skin engine starts before any window exists, so that its hooks see
// every window of this thread. Without an engine or a readable skin file the
// program simply keeps the system's look.
bool CConverterApp::InitInstance()
{
    CoInitialize(nullptr);  // the folder browser, DirectShow and shortcuts need COM on this thread
    MakeSendToEntryOnce();
    InitSkinEngine(GetModuleHandleA(nullptr), APP_TITLE);
    WearRememberedSkin();
    SetDialogSkin(DIALOG_SKIN_NAME);
    MarkStage("skin");
    LogEvent(EVENTLOG_INFORMATION_TYPE, EVENT_ID_INFO, StartText().c_str());
    {
        CConverterDlg dialog;
        dialog.TakeStart(m_startFiles, m_strWindowMark);
        dialog.DoModal();
    }
    return false;  // the dialog was the whole program: no message loop after it
}

int CConverterApp::ExitInstance()
{
    ExitSkinEngine();
    WriteStageTimes();
    LogEvent(EVENTLOG_INFORMATION_TYPE, EVENT_ID_INFO, StopText().c_str());
    CoUninitialize();
    return CApplication::ExitInstance();
}
