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
    return canvas.CountColour(MARKER);
}

TEST(SystemColourTest, NoRepaintedSkinnedControlShowsTheButtonFace)
{
    ButtonFaceMarker marker;
    ControlSkinEngine engine;
    ControlDialog dialog;
    const std::vector<HWND> controls = dialog.AddOneOfEachKind();
    RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (HWND control : controls) {
        EnableWindow(control, FALSE);
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_EQ(0, MarkerPixelsOnScreen(control)) << GetDlgCtrlID(control);
    }
}

}  // namespace
