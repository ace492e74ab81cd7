// The program's entry point: the one application object runs everything.
#include "app/CConverterApp.h"
#include "app/OneInstance.h"
#include "services/StageTimes.h"
#include "ui/IncomingFiles.h"

#include <commctrl.h>

namespace {
CConverterApp g_app;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    MarkProcessCreated();
    MarkStage("entry");
    // A second start hands its files to the running window before anything
    // of its own (skin, event log, window) begins.
    const std::vector<std::string> files = FilesOfCommandLine(GetCommandLineW());
    COneInstance instance;
    if (!instance.ClaimOrHandOver(files))
        return 0;
    g_app.TakeStart(files, instance.WindowMark());
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    return g_app.Run();
}
