// The family of scrolling controls (edit fields, rich edits, list boxes, list
// views, tree views, IP-address controls): the system draws their content in
// the skin's colours, the skin draws their border, and their scroll bars
// become skinned scroll bars.
#pragma once

#include "skin/engine/SkinnedControl.h"

namespace skin {

class ClientEdgeControl;

class SkinnedScrollingControl : public SkinnedControl {
public:
    using SkinnedControl::SkinnedControl;

    bool Subclass(HWND hwnd) override;
    void Attach(SkinObject* object) override;
    void Unskin() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    // The content is the system's, drawn in the object's font whenever the
    // object has one, whatever its "AUTOSKINFONT" says.
    bool GivesFont(const SkinObject& object) const override;
    // What a kind does once subclassed, and again at each later attach.
    virtual void ApplyColours() {}
    // Gives the control the colours it had before the skin's, when it is let go.
    virtual void RestoreColours() {}
    // Answers a colour request of the control: the skin's colours go into
    // `dc`, the result is the matching brush (null without a skin object).
    HBRUSH ColourControl(HDC dc, bool disabled);
    const ClientEdgeControl* EdgeObject() const;
    COLORREF BackColour() const;
    COLORREF DisabledColour() const;
    COLORREF TextColour() const;

private:
    void MakeBrushes();
    void SkinScrollBars();
    LRESULT OnNcPaint(WPARAM wp, LPARAM lp);
    SIZE BorderSize() const;

    CBrushObject m_backBrush;
    CBrushObject m_disabledBrush;
    bool m_scrollBarsSkinned = false;
};

}  // namespace skin
