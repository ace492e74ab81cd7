// The caption buttons and caption texts a skinned frame places on its
// border: drawn with the frame, hit by the mouse before the frame is.
#pragma once

#include "skin/core/FrameObjects.h"
#include "skin/draw/SkinDraw.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace skin {

// What caption elements need of the frame they sit on.
class CaptionHost {
public:
    virtual HWND Window() const = 0;
    // Draws the whole frame again (a changed element look).
    virtual void RepaintFrame() = 0;
    // Opens the window's system menu below `element` (window coordinates).
    virtual void OpenSystemMenu(const RECT& element) = 0;

protected:
    ~CaptionHost() = default;
};

// How the frame is drawn at the moment.
struct CaptionLook {
    bool active;
    bool enabled;
    const ImageResolver& images;
};

class CaptionItem {
public:
    explicit CaptionItem(const CaptionElement& object) : m_object(object) {}
    virtual ~CaptionItem() = default;
    CaptionItem(const CaptionItem&) = delete;
    CaptionItem& operator=(const CaptionItem&) = delete;

    // Moves the element for a window of `size` on a frame designed at `design`.
    void Place(SIZE size, SIZE design);
    const RECT& Rect() const { return m_rect; }
    bool Contains(POINT point) const { return ::PtInRect(&m_rect, point) != FALSE; }

    // Whether the window's style (at skinning) shows this element.
    virtual bool IsShownFor(LONG style) const
    {
        (void)style;
        return true;
    }
    // A button takes the click; a caption text lets it through.
    virtual bool IsButton() const { return false; }
    virtual void Draw(HDC dc, const CaptionLook& look, CaptionHost& host) const = 0;

    // Mouse events at a point in window coordinates; true when the element took it.
    virtual void OnMouseMove(POINT point, CaptionHost& host);
    virtual bool OnButtonDown(POINT point, CaptionHost& host);
    virtual bool OnButtonUp(POINT point, CaptionHost& host);
    virtual bool OnDoubleClick(POINT point, CaptionHost& host);
    // The hover timer of this element fired.
    virtual void OnHoverTimer(CaptionHost& host);
    // The mouse capture went elsewhere: no press is in progress any more.
    virtual void OnCaptureLost(CaptionHost& host);
    virtual bool HoldsCapture() const { return false; }

    // The element's hover timer on the frame window.
    void SetTimerId(UINT_PTR id) { m_timerId = id; }
    UINT_PTR TimerId() const { return m_timerId; }

protected:
    const CaptionElement& m_object;
    RECT m_rect{};
    UINT_PTR m_timerId = 0;
};

// The caption elements of a frame object's children, in child order.
std::vector<std::unique_ptr<CaptionItem>> MakeCaptionItems(const SkinObject& frame);
// Whether one of the frame object's children shows the caption text itself.
bool HasCaptionTextElement(const SkinObject& frame);

}  // namespace skin
