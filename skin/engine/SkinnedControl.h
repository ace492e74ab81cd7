// The base of every skinned control: the subclassing protocol that lets a
// parent keep a control unskinned, finds the control's own object by its
// dialog identifier and hands it the skin's font and place.
#pragma once

#include "skin/engine/SkinnedWindow.h"

namespace skin {

class SkinnedControl : public SkinnedWindow {
public:
    using SkinnedWindow::SkinnedWindow;

    bool Subclass(HWND hwnd) override;
    void Attach(SkinObject* object) override;
    void Unskin() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    // Controls this kind leaves to the system (owner-drawn ones, for a start).
    virtual bool Refuses(HWND hwnd) const
    {
        (void)hwnd;
        return false;
    }
    // Whether the kind takes the font of its skin object.
    virtual bool TakesSkinFont() const { return true; }
    // Whether `object` gives its font to the control: when it asks to
    // ("AUTOSKINFONT") unless the kind says otherwise.
    virtual bool GivesFont(const SkinObject& object) const;

private:
    HFONT SkinFont() const;
    // Has the skin's font follow, posted: a dialog sets the font of a control
    // it creates only after the control's creation, when the skin has had it.
    void GiveSkinFont(bool redraw);
    // SKINMSG_FONT_CHANGED: the font of the object worn now, if it gives one.
    void TakeSkinFont(bool redraw);
    // Notes the font of the control `hwnd` unless it is a skin's.
    void KeepOwnFont(HWND hwnd);
    void GiveOwnFontBack();
    void MoveToPlacement();

    HFONT m_hOwnFont = nullptr;  // borrowed: the control's font before the skin's
};

}  // namespace skin
