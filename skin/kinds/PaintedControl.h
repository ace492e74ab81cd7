// What the engine-drawn controls (buttons, labels, group boxes, sliders)
// share: the dialog background behind them, the skin's images and
// transparent colour, and a way to let the system update its state without
// painting over the skinned look.
#pragma once

#include "skin/draw/OffscreenBuffer.h"
#include "skin/draw/SkinDraw.h"
#include "skin/engine/CurrentSkin.h"
#include "skin/engine/SkinnedControl.h"

#include <string>

namespace skin {

class SkinnedPaintedControl : public SkinnedControl {
public:
    using SkinnedControl::SkinnedControl;

    bool Subclass(HWND hwnd) override;

protected:
    // Whether the parent paints the control's place again once it is
    // subclassed (kinds that show the dialog through them).
    virtual bool RepaintsParentWhenSubclassed() const { return false; }
    // Has the owning skinned window paint the dialog background behind this
    // control into `dc` at 0, 0; false when no window answered.
    bool PaintOwnerBackground(HDC dc) const;
    // The kept procedure's answer with WS_VISIBLE taken off the style for
    // the call, so that the system changes its state without painting.
    LRESULT CallHidden(UINT msg, WPARAM wp, LPARAM lp);
    // Repaints the whole control now; `erase` erases its background first.
    void Repaint(bool erase = false) const;
    // Invalidates the control's rectangle in its parent and updates the parent.
    void RepaintInParent() const;

    static COLORREF ButtonFace() { return ::GetSysColor(COLOR_BTNFACE); }
    HFONT WindowFont() const { return reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)); }
    std::string WindowText(int maxChars) const;
    LONG Style() const { return ::GetWindowLongA(m_hWnd, GWL_STYLE); }
    RECT ClientRect() const;
};

// `rect` less the four margins of `grid`.
inline RECT Inset(const RECT& rect, const NineGridImage& grid)
{
    return {rect.left + grid.marginLeft, rect.top + grid.marginTop, rect.right - grid.marginRight,
            rect.bottom - grid.marginBottom};
}

// Draws `grid` over `area`, and fills with `fill` what it cannot draw, all
// of it when the image is absent.
void DrawGridOrFill(HDC dc, const RECT& area, const NineGridImage& grid, const ImageResolver& images, COLORREF fill);

// Paints through `paint(dc)` for WM_PAINT (wParam null) and WM_PRINTCLIENT
// (wParam the context), into one off-screen bitmap of the client size that is
// copied to the target at the end.
template <typename Paint>
void PaintBuffered(HWND hwnd, HDC given, Paint paint)
{
    CPaintDC target(hwnd, given);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    COffscreenBuffer buffer(target.Get(), client);
    if (!buffer)
        return;
    paint(buffer.Dc());
    buffer.CopyTo(target.Get());
}

}  // namespace skin
