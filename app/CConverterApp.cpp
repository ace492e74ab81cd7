#include "app/CConverterApp.h"

#include "app/AppServices.h"
#include "ui/ConverterDlg.h"

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

// The window-skinning engine is not part of the program yet: once it is, it
// starts here before any window exists, loads SKIN_FILE_NAME from the program
// directory and names DIALOG_SKIN_NAME, and stops first in ExitInstance.
bool CConverterApp::InitInstance()
{
    CoInitialize(nullptr);  // the folder browser and DirectShow need COM on this thread
    LogEvent(EVENTLOG_INFORMATION_TYPE, EVENT_ID_INFO, StartText().c_str());
    {
        CConverterDlg dialog;
        dialog.DoModal();
    }
    return false;  // the dialog was the whole program: no message loop after it
}

int CConverterApp::ExitInstance()
{
    LogEvent(EVENTLOG_INFORMATION_TYPE, EVENT_ID_INFO, StopText().c_str());
    CoUninitialize();
    return CApplication::ExitInstance();
}
