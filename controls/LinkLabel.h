// A static text made into a link: link, visited and hover colours, underline
// while hovered, a hand cursor, a tooltip with the target, sized to its
// text, and opened through the shell on a click.
#pragma once

#include "win/GdiScope.h"
#include "framework/StandardControls.h"

#include <string>

class CLinkLabel : public CStaticWnd {
public:
    // Underline modes.
    enum : int { UNDERLINE_HOVER = -1, UNDERLINE_NEVER = 0, UNDERLINE_ALWAYS = 1 };

    CLinkLabel() = default;
    ~CLinkLabel() override;

    void SetLinkTarget(const char* target);
    const std::string& GetLinkTarget() const { return m_strTarget; }
    void SetVisitedState(bool visited);
    void SetUnderlineMode(int mode);
    // Opens `target` through the shell, else through the browser command
    // associated with ".htm", started by its program's full path. Returns
    // the shell's result, or a WinExec-like one for the browser command:
    // greater than 32 on success.
    static INT_PTR OpenLink(const char* target, int showCommand);
    // The reason shown for a failed open.
    static std::string ErrorText(INT_PTR code);
    // The hand cursor of "winhlp32.exe" in `windowsDirectory`, or null.
    static HCURSOR LoadHandCursorFrom(const std::string& windowsDirectory);

    bool PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PreSubclassWindow() override;

private:
    LRESULT OnCtlColor(HDC dc);
    LRESULT OnSetCursor();
    LRESULT OnMouseMove(WPARAM wp, LPARAM lp);
    LRESULT OnTimer(WPARAM wp, LPARAM lp);
    LRESULT OnReflectedCommand(WPARAM wp);
    LRESULT OnEraseBackground(HDC dc);
    LRESULT OnPaint(HDC given);
    COLORREF TextColour() const;
    LRESULT OnDestroy();

    void CreateFonts();
    void ApplyFont(const CFontObject& font);
    void SizeToText();
    void ReportOpenFailure(INT_PTR code);

    COLORREF m_crLink = RGB(0, 0, 238);       // not yet visited
    COLORREF m_crVisited = RGB(85, 26, 139);  // opened successfully
    COLORREF m_crHover = RGB(255, 0, 0);      // under the mouse
    BOOL m_bOver = FALSE;                     // the mouse is over the control
    BOOL m_bVisited = FALSE;                  // the last open succeeded
    int m_nUnderline = UNDERLINE_HOVER;       // -1 while hovered, 1 always, 0 never
    BOOL m_bAutoSize = TRUE;                  // size the control to its text
    std::string m_strTarget;                  // what a click opens
    CFontObject m_underlinedFont;             // owned: the control's font, underlined
    CFontObject m_normalFont;                 // owned: the control's font as it was
    CIconHandle m_linkCursor;                 // owned: the hand cursor, if the system has one
    CToolTipWnd m_toolTip;                    // owned: shows the target
    UINT_PTR m_nTimerId = 100;                // hover timer, every 100 ms while over
};
