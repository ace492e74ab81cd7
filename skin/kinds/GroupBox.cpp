#include "skin/engine/KindTable.h"

#include "skin/core/ControlObjects.h"
#include "skin/kinds/PaintedControl.h"
#include "skin/kinds/StaticLooks.h"

#include <algorithm>
#include <cstring>

namespace skin {

GroupBoxLayout LayoutGroupBox(const RECT& client, SIZE text, const NineGridImage& captionImage, LONG style)
{
    const LONG width = text.cx + captionImage.marginLeft + captionImage.marginRight;
    const LONG height = text.cy + captionImage.marginTop + captionImage.marginBottom;
    RECT caption{client.left + 4, client.top, client.left + 4 + width, client.top + height};
    const LONG horizontal = style & BS_CENTER;
    if (horizontal == BS_RIGHT) {
        caption.right = client.right - 4;
        caption.left = std::max(caption.right - width, client.left + 2);
    } else if (horizontal == BS_CENTER) {
        caption.left = client.left + (client.right - client.left - width) / 2;
        caption.right = caption.left + width;
    } else {
        caption.right = std::min(caption.right, client.right - 2);
    }
    RECT frame = client;
    frame.top = (caption.top + caption.bottom) / 2;
    return {caption, frame};
}

namespace {

class SkinnedGroupBox : public SkinnedPaintedControl {
public:
    SkinnedGroupBox() : SkinnedPaintedControl(kTypeGroupBox) {}

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (!Box())
            return SkinnedPaintedControl::WindowProc(msg, wp, lp);
        switch (msg) {
        case WM_PAINT:
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
        case WM_ENABLE: {
            const LRESULT result = CallHidden(msg, wp, lp);
            Repaint(true);
            return result;
        }
        case WM_SETTEXT: return OnSetText(wp, lp);
        case WM_SETFONT: {
            const LRESULT result = CallHidden(msg, wp, lp);
            m_bRestoreUnderCaption = true;
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
            return result;
        }
        }
        return SkinnedPaintedControl::WindowProc(msg, wp, lp);
    }

protected:
    bool RepaintsParentWhenSubclassed() const override { return true; }
    // The dialog shows through the frame's centre.
    void AdjustStyles() override
    {
        AddExtendedStyles(WS_EX_TRANSPARENT);
    }

private:
    const GroupBox* Box() const { return ObjectAs<GroupBox>(Object()); }

    GroupBoxLayout Layout(HDC dc, const std::string& text) const
    {
        CSelectObject font(dc, WindowFont());
        const std::string measured = text.empty() ? "A" : text;  // an empty caption still has a height
        SIZE size{};
        ::GetTextExtentPoint32A(dc, measured.c_str(), static_cast<int>(measured.size()), &size);
        return LayoutGroupBox(ClientRect(), size, Box()->m_captionImage, Style());
    }

    GroupBoxLayout Layout(const std::string& text) const
    {
        CClientDC dc(m_hWnd);
        return Layout(dc.Get(), text);
    }

    LRESULT OnSetText(WPARAM wp, LPARAM lp)
    {
        const auto* newText = reinterpret_cast<const char*>(lp);
        const std::string present = WindowText(199);
        if (newText && std::strlen(newText) < present.size()) {
            // The longer caption's remains lie in the parent too: it paints there again.
            RECT old = Layout(present).caption;
            const LRESULT result = CallHidden(WM_SETTEXT, wp, lp);
            RECT inParent = old;
            ::MapWindowPoints(m_hWnd, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&inParent), 2);
            ::InvalidateRect(::GetParent(m_hWnd), &inParent, TRUE);
            ::UpdateWindow(::GetParent(m_hWnd));
            ::InvalidateRect(m_hWnd, &old, TRUE);
            ::UpdateWindow(m_hWnd);
            return result;
        }
        const RECT caption = Layout(newText ? newText : "").caption;
        const LRESULT result = CallHidden(WM_SETTEXT, wp, lp);
        ::InvalidateRect(m_hWnd, &caption, TRUE);
        ::UpdateWindow(m_hWnd);
        return result;
    }

    void Paint(HDC given)
    {
        {
            CPaintDC target(m_hWnd, given);
            Draw(target.Get());
        }
        if (!given)
            RedrawLaterSiblings();
    }

    void Draw(HDC dc)
    {
        const GroupBox* box = Box();
        const std::string text = WindowText(199);
        const GroupBoxLayout layout = Layout(dc, text);
        if (m_bRestoreUnderCaption) {
            COffscreenBuffer restore(dc, m_lastCaption);
            if (restore && PaintOwnerBackground(restore.Dc()))
                restore.CopyTo(dc);
            m_bRestoreUnderCaption = false;
        }
        m_lastCaption = layout.caption;
        const ImageResolver images = CurrentSkinImages();
        {
            CSavedDC saved(dc);
            const RECT centre = Inset(layout.frame, box->m_image);
            ::ExcludeClipRect(dc, centre.left, centre.top, centre.right, centre.bottom);
            DrawNineGridImage(dc, layout.frame, box->m_image, images);
        }
        if (text.empty())
            return;
        COffscreenBuffer caption(dc, layout.caption);
        RECT textArea = layout.caption;
        if (box->m_transparent) {
            PaintOwnerBackground(caption.Dc());
        } else {
            DrawGridOrFill(caption.Dc(), layout.caption, box->m_captionImage, images,
                              Rgb(box->m_captionColour));
            textArea = Inset(layout.caption, box->m_captionImage);
        }
        CSelectObject font(caption.Dc(), WindowFont());
        DrawEffectText(caption.Dc(), text.c_str(), textArea, DT_CENTER | DT_VCENTER | DT_SINGLELINE, box->m_effect);
        caption.CopyTo(dc);
    }

    // Controls inside the box come after it and must appear above it.
    void RedrawLaterSiblings() const
    {
        RECT mine{};
        ::GetWindowRect(m_hWnd, &mine);
        for (HWND sibling = ::GetWindow(m_hWnd, GW_HWNDNEXT); sibling; sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
            RECT theirs{}, common{};
            ::GetWindowRect(sibling, &theirs);
            if (!(::GetWindowLongA(sibling, GWL_STYLE) & WS_GROUP) && ::IntersectRect(&common, &mine, &theirs))
                ::RedrawWindow(sibling, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    }

    RECT m_lastCaption{};
    bool m_bRestoreUnderCaption = false;
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedGroupBox()
{
    return std::make_unique<SkinnedGroupBox>();
}

}  // namespace skin
