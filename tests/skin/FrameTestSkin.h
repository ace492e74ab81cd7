// A skin for the frame tests whose every frame part, caption look and
// button state has a colour of its own, and dialogs that wear it.
#pragma once

#include "skin/core/FrameObjects.h"
#include "skin/core/Skin.h"
#include "support/PixelCanvas.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace frametest {

// Frame colours, one per part of the default 276 x 160 design.
COLORREF PartColour(int part);
constexpr COLORREF kInactiveTop = RGB(90, 90, 90);
constexpr COLORREF kCaptionText = RGB(255, 255, 0);
constexpr COLORREF kTransparent = RGB(255, 0, 255);
// Caption button looks.
constexpr COLORREF kButtonNormal = RGB(0, 200, 0);
constexpr COLORREF kButtonPressed = RGB(0, 100, 0);
// Side of the transparent square in each top corner of the frame.
constexpr int kCornerCut = 3;

struct CaptionButtonLayout {
    int32_t anchor;
    int32_t action;
    uint32_t commandId;
    skin::SkinRect placement;  // in the design frame
};

// The frame object "MainDialog" with the given caption buttons; the
// transparent colour is used when `useTransparent`.
std::unique_ptr<skin::Skin> MakeFrameSkin(bool useTransparent, const std::vector<CaptionButtonLayout>& buttons);
// The frame object of a frame skin.
skin::FrameWnd& FrameOf(skin::Skin& skin);
// A slice of the frame skin's image that is the transparent colour all over.
skin::ImageSlice TransparentSlice();

// A dialog made from a template with `style`, shown at 20, 20 with the
// outer size `width` x `height`; destroyed with the object. Records the
// system commands its dialog procedure is given.
class FrameDialog {
public:
    FrameDialog(DWORD style, int width, int height, DWORD exStyle = 0, HWND parent = nullptr);
    ~FrameDialog();
    FrameDialog(const FrameDialog&) = delete;
    FrameDialog& operator=(const FrameDialog&) = delete;

    HWND Handle() const { return m_hWnd; }
    void Resize(int width, int height);
    // Sends a non-client mouse message at a point in window coordinates.
    LRESULT SendAt(UINT msg, POINT point, WPARAM hitTest = HTCAPTION) const;
    LRESULT HitTest(POINT point) const;
    // The first posted message in [first, last] for the dialog, taken from the queue; 0 when none.
    MSG TakePosted(UINT first, UINT last) const;
    // Whole-window pixels as they are on the screen.
    COLORREF PixelAt(POINT point) const { return WindowPixel(m_hWnd, point.x, point.y); }
    // The system commands that reached the dialog procedure.
    static std::vector<WPARAM>& SystemCommands();

private:
    HWND m_hWnd = nullptr;
};

}  // namespace frametest
