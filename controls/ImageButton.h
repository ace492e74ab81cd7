// An owner-drawn push button with per-state bitmaps or an icon, hover
// highlighting, state-dependent caption colours and a tooltip. It takes over
// the dialog manager's default-button styling so that it stays owner-drawn.
#pragma once

#include "win/GdiScope.h"
#include "framework/StandardControls.h"

// Posted to the parent on a mouse move over the button; first parameter the
// button's window. From the application's range: to a dialog, WM_USER + 1
// would be DM_SETDEFID and move the default button onto this one. It also
// stays clear of the skin engine's messages (6024 to 6042, WM_APP + 1000).
constexpr UINT UWM_BUTTON_MOUSEMOVE = WM_APP + 1;

class CImageButton : public CButtonWnd {
public:
    // Results of the setters.
    enum : int { FACE_OK = 0, FACE_UNREADABLE = 1, FACE_NO_MASK = 2, FACE_BAD_ALIGNMENT = 4 };

    CImageButton();

    // Hover, normal and pressed bitmaps, each with its transparent colour.
    int SetStateBitmaps(UINT hoverId, COLORREF hoverTransparent, UINT normalId, COLORREF normalTransparent,
                        UINT pressedId, COLORREF pressedTransparent);
    // An icon, and an alternative one (0: none) shown while neither pressed nor hovered.
    int SetFaceIcon(UINT iconId, UINT alternativeId);
    // 0 image left of the caption, 1 above it, 2 right of it, 3 at the top-left corner.
    int SetImageAlignment(int alignment, bool repaint);
    void SetTransparentBackground(bool repaint);
    void SetTipText(const char* text, bool activate);

    bool PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    struct IconSlot {
        CIconHandle icon;  // owned
        int width = 0;     // twice the hot spot's x
        int height = 0;    // twice the hot spot's y
        void Reset() { icon.Reset(); width = height = 0; }
    };
    struct BitmapSlot {
        CBitmapObject bitmap;      // owned; transparent pixels turned black
        int width = 0;
        int height = 0;
        CBitmapObject mask;        // owned; monochrome, white where transparent
        CBitmapObject greyed;      // owned; the picture faded to grey, for the disabled look on a skin
        COLORREF transparent = 0;  // the colour that was made transparent
        void Reset()
        {
            bitmap.Reset();
            mask.Reset();
            greyed.Reset();
            width = height = 0;
            transparent = 0;
        }
    };
    // A copy of the parent's pixels under the button.
    struct CachedBackground {
        ~CachedBackground() { Drop(); }
        void Drop();
        HDC dc = nullptr;              // owned: memory context holding `bitmap`
        HBITMAP bitmap = nullptr;      // owned
        HGDIOBJ previous = nullptr;    // borrowed: the context's bitmap before ours
    };
    // What one paint needs: the target and the rectangles.
    struct PaintState {
        HDC dc;
        RECT item;
        RECT caption;
    };

    LRESULT OnMouseMove(WPARAM wp, LPARAM lp);
    LRESULT OnMouseLeave();
    LRESULT OnEndHoverAfterDefault(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnActivate(WPARAM wp, LPARAM lp);
    LRESULT OnEnable(WPARAM wp, LPARAM lp);
    LRESULT OnGetDlgCode(WPARAM wp, LPARAM lp);
    LRESULT OnSetStyle(WPARAM wp, LPARAM lp);
    LRESULT OnSysColorChange(WPARAM wp, LPARAM lp);
    LRESULT OnReflectedCommand(WPARAM wp);
    LRESULT OnDrawItem(const DRAWITEMSTRUCT* item);
    LRESULT OnDestroy();

    void EndHover();
    void RepaintParentBackground();
    void ReleaseFace();
    void ResetColours();
    bool LoadBitmapSlot(BitmapSlot& slot, UINT id, COLORREF transparent, int& failure);
    void PaintBackground(HDC dc, RECT rect);
    void PaintBorder(HDC dc, const RECT& rect) const;
    RECT ImageRect(const RECT& item, RECT& caption, int width, int height, bool hasCaption) const;
    void DrawIcon(PaintState& paint, bool hasCaption);
    void DrawBitmap(PaintState& paint, bool hasCaption);
    void DrawCaption(PaintState& paint, const std::string& caption);
    void MakeToolTip();
    void ShowTipText();
    const BitmapSlot& CurrentBitmap() const;
    // Whether a disabled picture takes the look it has on a skinned dialog.
    bool OnSkin() const;

    BOOL m_bGreyDisabledBitmaps = TRUE;  // draw disabled bitmaps over the disabled fill colour
    int m_nImageMarginX = 3;             // pixels between edge and image (alignments 0-2)
    int m_nImageMarginY = 3;
    int m_nPressedOffsetX = 1;           // how far image and caption move while held down
    int m_nPressedOffsetY = 1;
    BOOL m_bFlat = TRUE;                 // no 3-D frame unless hovered or pressed; hover tracking on
    BOOL m_bHover = FALSE;               // the mouse is over the button
    BOOL m_bTransparentBackground = FALSE;  // paint a copy of the parent's background
    BOOL m_bPressed = FALSE;             // from the owner-draw state of the last paint
    BOOL m_bFocused = FALSE;
    BOOL m_bDisabled = FALSE;
    BOOL m_bDefaultButton = FALSE;       // the dialog manager last styled this as the default button
    BYTE m_nAlignment = 0;               // image alignment 0 to 3
    BOOL m_bDrawBorder = TRUE;           // frame while hovered or pressed when flat
    BOOL m_bFlatFocus = FALSE;           // focus rectangle even when flat
    COLORREF m_crHoverBackground;        // hovered or pressed
    COLORREF m_crHoverText;
    COLORREF m_crNormalBackground;       // neither hovered, pressed nor focused
    COLORREF m_crNormalText;
    COLORREF m_crFocusBackground;        // focused
    COLORREF m_crFocusText;
    CToolTipWnd m_toolTip;               // owned: destroyed with the button; made on the first hover
    std::string m_strTipText;            // the tooltip's text; empty: no tooltip
    bool m_bTipActive = false;           // whether the tooltip shows
    CachedBackground m_background;       // empty until the first transparent paint
    BOOL m_bAlwaysTrack = TRUE;          // hover highlighting also while the application is inactive
    IconSlot m_normalIcon;
    IconSlot m_alternativeIcon;
    BitmapSlot m_hoverBitmap;
    BitmapSlot m_normalBitmap;
    BitmapSlot m_pressedBitmap;
};
