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
    // The kind whose objects this control wears.
    virtual int LookupKind() const { return Kind(); }

private:
    HFONT SkinFont(bool make = true) const;
    void GiveSkinFont(bool redraw);
    void GiveOwnFontBack();
    void MoveToPlacement();

    HFONT m_hOwnFont = nullptr;  // borrowed: the control's font before the skin's
    bool m_bOwnFontKept = false;
};

}  // namespace skin
