// The program's entry point: the one application object runs everything.
#include "app/CConverterApp.h"
#include "app/StageTimes.h"

#include <commctrl.h>

namespace {
CConverterApp g_app;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    MarkProcessCreated();
    MarkStage("entry");
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    return g_app.Run();
}
