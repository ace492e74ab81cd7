// Push buttons, check boxes and radio buttons: controls of the system class
// "Button" that the engine draws itself, unless their owner draws them. The
// family shares one window procedure: the engine tracks hover and press,
// completes the automatic styles' clicks and keeps the system from painting.
#pragma once

#include "skin/kinds/PaintedControl.h"

namespace skin {

class SkinnedButtonFamily : public SkinnedPaintedControl {
public:
    using SkinnedPaintedControl::SkinnedPaintedControl;

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    // Draws the whole control into `dc` (an off-screen bitmap of the client size).
    virtual void Draw(HDC dc) = 0;
    // What a completed click changes beyond the notification.
    virtual void PerformClick() {}
    virtual LRESULT OnSize(WPARAM wp, LPARAM lp) { return CallKeptProc(WM_SIZE, wp, lp); }

    bool IsHovered() const { return m_bHovered; }
    bool IsPressed() const { return m_bPressed; }
    bool HasFocus() const { return ::GetFocus() == m_hWnd; }
    UINT ButtonState() const { return static_cast<UINT>(::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0)); }
    // The check bits of the state word the system button keeps in window word 0.
    void WriteCheck(UINT check);
    // Draws the window text with `effect` in the placement for `area`.
    void DrawText(HDC dc, const RECT& area, const TextEffect& effect, bool pushButton, int maxChars);

private:
    void Paint(HDC given);
    void OnMouseMove(WPARAM wp, LPARAM lp);
    void OnButtonDown();
    void OnButtonUp(LPARAM lp);
    // The pressed look ends, without a click.
    void EndPress();
    void Click();
    bool PointInside(LPARAM lp) const;

    bool m_bHovered = false;
    bool m_bPressed = false;
};

}  // namespace skin
