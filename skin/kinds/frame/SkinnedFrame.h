// The skinned frame of a dialog: the engine draws its border and caption
// from a frame object, cuts the window to the frame's shape and answers the
// system's questions about the frame; the client background is a
// DialogBackground of its own.
#pragma once

#include "skin/engine/SkinnedWindow.h"
#include "skin/kinds/frame/CaptionElements.h"
#include "skin/kinds/frame/DialogBackground.h"
#include "skin/draw/FrameGeometry.h"
#include "skin/draw/FrameShape.h"

#include "win/GdiScope.h"

#include <memory>
#include <vector>

namespace skin {

class FrameWnd;

class SkinnedFrame : public SkinnedWindow, private CaptionHost {
public:
    SkinnedFrame() : SkinnedWindow(kTypeFrameWnd) {}
    ~SkinnedFrame() override;

    void Attach(SkinObject* object) override;
    bool Subclass(HWND hwnd) override;
    void Unskin() override;
    LRESULT OnMenuKey(WPARAM key, LPARAM keyData) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // CaptionHost
    HWND Window() const override { return m_hWnd; }
    void RepaintFrame() override;
    void OpenSystemMenu(const RECT& element) override;

    bool IsFramed() const;
    // Whether the dialog's client area wears the frame's background.
    bool SkinsClient() const;
    LRESULT OnFrameMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnUnframedMessage(UINT msg, WPARAM wp, LPARAM lp);
    // The kept procedure's answer while `bits` are taken off the style.
    LRESULT CallWithoutStyle(LONG bits, UINT msg, WPARAM wp, LPARAM lp);

    void Refit();
    static void FitSystemFrame(HWND hwnd, RECT client);
    SIZE WindowSize() const;
    POINT WindowPoint(LPARAM screenPoint) const;
    void PlaceElements(SIZE size);
    void KillElementTimers();

    // Painting the border and caption.
    void PaintFrame(HRGN update, bool active);
    // Whether the system counts the window's caption as active.
    bool HasActiveCaption() const;
    void InstallRegion(SIZE size);
    bool PaintMinimized(HDC dc, SIZE size, bool active);
    void PaintParts(HDC dc, const FrameParts& parts, bool active);
    void PaintCaption(HDC dc, const FrameParts& parts, bool active);
    void DrawCaptionText(HDC dc, const RECT& area);

    LRESULT OnNcCalcSize(WPARAM wp, LPARAM lp);
    LRESULT OnNcHitTest(LPARAM lp);
    LRESULT OnNcActivate(WPARAM wp, LPARAM lp);
    LRESULT OnNcButton(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnNcDoubleClick(WPARAM wp, LPARAM lp);
    LRESULT OnNcMouseMove(WPARAM wp, LPARAM lp);
    LRESULT OnSetText(WPARAM wp, LPARAM lp);
    LRESULT OnGetMinMaxInfo(WPARAM wp, LPARAM lp);
    LRESULT OnControlColourStatic(WPARAM wp, LPARAM lp);
    // Mouse messages while a pressed caption button holds the capture.
    bool OnCapturedMouse(UINT msg, LPARAM lp);
    bool OnElementTimer(WPARAM id);

    const FrameObject* m_pFrame = nullptr;  // the object, when it is a frame
    const FrameWnd* m_pFrameWnd = nullptr;  // the object, when it is a dialog frame
    LONG m_style = 0;                       // at subclassing
    FrameLayout m_layout{};
    SIZE m_lastSize{-1, -1};  // the window size the region was made for
    COLORREF m_transparent = RGB(255, 0, 255);
    bool m_useTransparent = false;
    bool m_drawsCaptionText = true;
    std::vector<std::unique_ptr<CaptionItem>> m_elements;
    FrameShapes m_shapes;  // of the active slices, when the skin cuts windows to them
    CFontObject m_captionFont;
    DialogBackground m_background;
};

}  // namespace skin
