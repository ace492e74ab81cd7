// The fair yardstick of the start-up bench: the converter's own main dialog
// template, created by a bare dialog procedure in a program that loads the
// converter's libraries, but with no skin, no set-up and no worker. What the
// converter takes beyond this is what its own start-up adds to its windows.
#include "res/resource.h"
#include "services/StageTimes.h"

#include "ConverterImports.h"
#include "DialogEndingOn.h"

#include <windows.h>
#include <commctrl.h>

namespace {

// The loader maps the converter's libraries before its entry point; this
// maps the same ones, so both pay for them.
void LoadConverterLibraries()
{
    for (const char* library : CONVERTER_IMPORTS)
        LoadLibraryA(library);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    MarkStage("entry");
    LoadConverterLibraries();
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    const INT_PTR result =
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONVERTER), nullptr, DialogEndingOn<IDC_EXIT>, 0);
    WriteStageTimes();
    return static_cast<int>(result);
}
