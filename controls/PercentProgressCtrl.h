// A progress bar that paints itself: a filled and an empty part in two solid
// colours with a centred caption (by default the completed percentage) drawn
// in the opposite colour over each part. Where the skin engine draws the bar
// beneath it, the bar wears the skin and the caption is drawn on top.
#pragma once

#include "framework/StandardControls.h"

#include <string>

// Sets the caption colour (second parameter); answers the previous one.
constexpr UINT UWM_PROGRESS_TEXTCOLOUR = WM_USER + 100;
// Shows (first parameter non-zero) or hides the caption.
constexpr UINT UWM_PROGRESS_SHOWTEXT = WM_USER + 101;
// Sets the tip shown while the pointer rests on the bar (second parameter,
// a text; empty or null: no tip). Sent from any thread, the tooltip lives on
// the bar's own.
constexpr UINT UWM_PROGRESS_TIPTEXT = WM_USER + 102;

class CPercentProgressCtrl : public CProgressWnd {
public:
    ~CPercentProgressCtrl() override = default;

    bool PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    LRESULT OnSetRange(int lower, int upper);
    LRESULT OnGetRange(BOOL lowerWanted, PBRANGE* range) const;
    LRESULT OnSetPos(int position);
    LRESULT OnSetStep(int step);
    // Stores a new bar, background or caption colour; answers the previous one.
    LRESULT ReplaceColour(COLORREF& field, COLORREF colour);
    LRESULT OnShowText(BOOL show);
    LRESULT OnSetText(WPARAM wp, const char* text);
    LRESULT OnGetText(size_t size, char* buffer) const;
    LRESULT OnSize(WPARAM wp, LPARAM lp);
    LRESULT OnPaint(HDC given);
    LRESULT OnSetTipText(const char* text);
    LRESULT OnDestroy();

    // Whether the skin engine draws the bar beneath this control.
    bool WearsSkin() const;
    // The skin's bar follows this control's range and position.
    void PassValuesBeneath();
    // A colour of the skin's bar (`msg` asks for it), or `fallback`.
    COLORREF ColourBeneath(UINT msg, COLORREF fallback);

    // The filled share of the range; 0 for an empty or inverted range.
    double FilledFraction() const;
    // The caption: the stored text, or the percentage reached.
    std::string CaptionText(double fraction) const;
    // The bar with its caption; `skinned` draws the skin's bar beneath the caption.
    void DrawBar(HDC dc, const RECT& client, double fraction, bool skinned);
    void DrawCaptionPart(HDC dc, const RECT& client, const RECT& part, COLORREF defaultColour,
                         const std::string& caption) const;
    COLORREF BarColour() const;
    COLORREF BackgroundColour() const;

    COLORREF m_crText = CLR_DEFAULT;        // caption colour; default: the colour of the other part
    int m_nPos = 0;                         // position, not clamped to the range
    int m_nStep = 1;                        // increment of PBM_STEPIT
    int m_nUpper = 100;                     // upper bound of the range
    int m_nLower = 0;                       // lower bound of the range
    std::string m_strCaption;               // caption that replaces the percentage while not empty
    BOOL m_bShowCaption = TRUE;             // draw the caption on horizontal bars
    int m_nLastFilledWidth = -1;            // filled pixels at the last position change, -1 unknown
    COLORREF m_crBar = CLR_DEFAULT;         // filled part; default: COLOR_HIGHLIGHT
    COLORREF m_crBackground = CLR_DEFAULT;  // empty part; default: COLOR_WINDOW
    CToolTipWnd m_toolTip;                  // owned: made with the first tip, destroyed with the bar
};
