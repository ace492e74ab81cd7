// Skinned controls never erase with a system brush: with the button face set
// to a marker colour, no pixel of a repainted control shows it. The colour
// is the whole desktop's, so this suite runs alone and puts it back.
#include "ControlTestSkin.h"

#include "support/PixelCanvas.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace controltest;

namespace {

constexpr COLORREF MARKER = RGB(1, 254, 3);

class ButtonFaceMarker {
public:
    ButtonFaceMarker() : m_previous(GetSysColor(COLOR_BTNFACE)) { Set(MARKER); }
    ~ButtonFaceMarker() { Set(m_previous); }
    ButtonFaceMarker(const ButtonFaceMarker&) = delete;
    ButtonFaceMarker& operator=(const ButtonFaceMarker&) = delete;

private:
    static void Set(COLORREF colour)
    {
        const INT element = COLOR_BTNFACE;
        SetSysColors(1, &element, &colour);
    }
    COLORREF m_previous;
};

int MarkerPixelsOnScreen(HWND hwnd)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    PixelCanvas canvas(client.right, client.bottom);
    HDC dc = GetDC(hwnd);
    BitBlt(canvas.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
    return canvas.CountColour(MARKER, 0, 0, client.right, client.bottom);
}

TEST(SystemColourTest, NoRepaintedSkinnedControlShowsTheButtonFace)
{
    ButtonFaceMarker marker;
    ControlSkinEngine engine;
    ControlDialog dialog;
    const HWND controls[] = {
        dialog.Add("Button", BS_PUSHBUTTON, {10, 10, 100, 34}, 100, "Stop"),
        dialog.Add("Button", BS_AUTOCHECKBOX, {10, 40, 100, 60}, 101, "Check"),
        dialog.Add("Button", BS_AUTORADIOBUTTON, {10, 70, 100, 90}, 102, "Radio"),
        dialog.Add("Static", SS_LEFT, {110, 10, 200, 30}, 103, "Label"),
        dialog.Add("Button", BS_GROUPBOX, {110, 40, 300, 120}, 104, "Group"),
        dialog.Add(TRACKBAR_CLASSA, 0, {10, 130, 200, 160}, 105),
        dialog.Add(TRACKBAR_CLASSA, TBS_VERT, {210, 130, 240, 260}, kGlassSliderId),
    };
    RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (HWND control : controls) {
        EnableWindow(control, FALSE);
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_EQ(0, MarkerPixelsOnScreen(control)) << GetDlgCtrlID(control);
    }
}

}  // namespace
