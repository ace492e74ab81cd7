// The yardstick of the start-up bench: the smallest dialog a Windows program
// can show, one OK button, built and started like the converter.
#include "services/StageTimes.h"

#include "DialogEndingOn.h"

#include <windows.h>

#include <cstddef>

namespace {

// A dialog template in memory, so the yardstick needs no resource script.
#pragma pack(push, 4)
struct OneButtonTemplate {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;  // none, the dialog class, no title; the item then starts on a DWORD boundary
    DLGITEMTEMPLATE button;
    WORD classMarker, buttonClass;  // 0xFFFF then the predefined button class
    WCHAR text[3];
    WORD creationData;
};
#pragma pack(pop)
static_assert(offsetof(OneButtonTemplate, button) % 4 == 0, "a dialog item starts on a DWORD boundary");

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    MarkStage("entry");
    OneButtonTemplate form{};
    form.dialog = {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME, 0, 1, 10, 10, 120, 60};
    form.button = {WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 0, 35, 20, 50, 14, IDOK};
    form.classMarker = 0xFFFF;
    form.buttonClass = 0x0080;
    form.text[0] = L'O';
    form.text[1] = L'K';
    const INT_PTR result = DialogBoxIndirectParamA(instance, &form.dialog, nullptr, DialogEndingOn<IDOK>, 0);
    WriteStageTimes();
    return static_cast<int>(result);
}
