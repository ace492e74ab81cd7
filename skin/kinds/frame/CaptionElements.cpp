#include "skin/kinds/frame/CaptionElements.h"

#include "skin/draw/FrameGeometry.h"
#include "skin/draw/SkinLook.h"

#include "win/GdiScope.h"

#include <cstring>

namespace skin {

namespace {

// A window disabled, inactive or without the box a button stands for shows
// the matching look; the mouse picks the hover, pressed and checked looks.
constexpr UINT kHoverPollMs = 100;

class CaptionButtonItem : public CaptionItem {
public:
    explicit CaptionButtonItem(const CaptionButton& object) : CaptionItem(object), m_button(object) {}

    bool IsShownFor(LONG style) const override
    {
        switch (m_button.m_action) {
        case kActionMaximize: return (style & WS_MAXIMIZEBOX) != 0;
        case kActionMinimize: return (style & WS_MINIMIZEBOX) != 0;
        case kActionClose:
        case kActionSystemMenu: return (style & WS_SYSMENU) != 0;
        default: return true;
        }
    }

    bool IsButton() const override { return true; }
    bool HoldsCapture() const override { return m_pressed; }

    void Draw(HDC dc, const CaptionLook& look, CaptionHost& host) const override
    {
        (void)host;
        const ImageSlice& normal = m_button.m_images[kCaptionNormal];
        const ImageSlice& wanted = m_button.m_images[StateFor(look)];
        DrawImageSlice(dc, m_rect, wanted.IsAbsent() ? normal : wanted, look.images);
    }

    void OnMouseMove(POINT point, CaptionHost& host) override
    {
        const bool over = Contains(point);
        if (over == m_hover)
            return;
        m_hover = over;
        if (over)
            ::SetTimer(host.Window(), m_timerId, kHoverPollMs, nullptr);
        host.RepaintFrame();
    }

    bool OnButtonDown(POINT point, CaptionHost& host) override
    {
        if (!Contains(point))
            return false;
        if (m_button.m_action == kActionSystemMenu) {
            host.OpenSystemMenu(m_rect);
            return true;
        }
        ::SetCapture(host.Window());
        m_pressed = true;
        m_hover = true;
        host.RepaintFrame();
        return true;
    }

    bool OnButtonUp(POINT point, CaptionHost& host) override
    {
        if (!m_pressed)
            return false;
        m_pressed = false;
        if (::GetCapture() == host.Window())
            ::ReleaseCapture();
        const bool over = Contains(point);
        if (over && m_button.m_checkButton)
            m_checked = !m_checked;
        host.RepaintFrame();
        if (over)
            Perform(host);
        return true;
    }

    bool OnDoubleClick(POINT point, CaptionHost& host) override
    {
        if (!Contains(point))
            return false;
        // The window's icon closes the window on a double click.
        if (m_button.m_action == kActionSystemMenu)
            ::PostMessageA(host.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }

    void OnHoverTimer(CaptionHost& host) override
    {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        RECT window{};
        ::GetWindowRect(host.Window(), &window);
        const POINT point{cursor.x - window.left, cursor.y - window.top};
        if (Contains(point))
            return;
        ::KillTimer(host.Window(), m_timerId);
        m_hover = false;
        host.RepaintFrame();
    }

    void OnCaptureLost(CaptionHost& host) override
    {
        if (!m_pressed)
            return;
        m_pressed = false;
        host.RepaintFrame();
    }

private:
    CaptionButtonState StateFor(const CaptionLook& look) const
    {
        if (!look.enabled)
            return kCaptionDisabled;
        const bool pressedOver = m_pressed && m_hover;
        if (m_button.m_checkButton && (m_checked != pressedOver))
            return kCaptionChecked;
        if (pressedOver && !m_button.m_checkButton)
            return kCaptionPressed;
        if (!look.active)
            return kCaptionInactive;
        return m_hover ? kCaptionHover : kCaptionNormal;
    }

    void Perform(CaptionHost& host) const
    {
        const HWND hwnd = host.Window();
        switch (m_button.m_action) {
        case kActionCommand:
            ::PostMessageA(hwnd, WM_COMMAND, m_button.m_commandId, 0);
            break;
        case kActionClose:
            ::KillTimer(hwnd, m_timerId);
            ::PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case kActionMaximize:
            ::PostMessageA(hwnd, WM_SYSCOMMAND, ::IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
            break;
        case kActionMinimize:
            ::PostMessageA(hwnd, WM_SYSCOMMAND, ::IsIconic(hwnd) ? SC_RESTORE : SC_MINIMIZE, 0);
            break;
        default:
            break;
        }
    }

    const CaptionButton& m_button;
    bool m_hover = false;
    bool m_pressed = false;
    bool m_checked = false;
};

// A text area of the caption: its background and, when it shows the
// caption, the window's title in its own font, effect and alignment.
class CaptionStaticItem : public CaptionItem {
public:
    explicit CaptionStaticItem(const CaptionStatic& object) : CaptionItem(object), m_static(object) {}

    void Draw(HDC dc, const CaptionLook& look, CaptionHost& host) const override
    {
        if (!m_static.m_background.IsAbsent())
            DrawNineGridImage(dc, m_rect, m_static.m_background, look.images);
        if (m_static.m_mode != kCaptionStaticShowsCaption)
            return;
        char title[300] = {};
        ::GetWindowTextA(host.Window(), title, sizeof title);
        LOGFONTA logFont{};
        std::memcpy(&logFont, &m_static.m_font, sizeof logFont);
        logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
        CFontObject font(::CreateFontIndirectA(&logFont));
        CSelectObject selected(dc, font.Get());
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
        if (m_static.m_align == kAlignCentre)
            format |= DT_CENTER;
        else if (m_static.m_align == kAlignRight)
            format |= DT_RIGHT;
        DrawEffectText(dc, title, m_rect, format, m_static.m_effect);
    }

private:
    const CaptionStatic& m_static;
};

}  // namespace

void CaptionItem::Place(SIZE size, SIZE design)
{
    m_rect = PlaceByAnchor(m_object.m_placement, m_object.m_anchor, size, design);
}

void CaptionItem::OnMouseMove(POINT point, CaptionHost& host)
{
    (void)point;
    (void)host;
}

bool CaptionItem::OnButtonDown(POINT point, CaptionHost& host)
{
    (void)host;
    return Contains(point);
}

bool CaptionItem::OnButtonUp(POINT point, CaptionHost& host)
{
    (void)host;
    return Contains(point);
}

bool CaptionItem::OnDoubleClick(POINT point, CaptionHost& host)
{
    (void)point;
    (void)host;
    return false;
}

void CaptionItem::OnHoverTimer(CaptionHost& host) { (void)host; }

void CaptionItem::OnCaptureLost(CaptionHost& host) { (void)host; }

std::vector<std::unique_ptr<CaptionItem>> MakeCaptionItems(const SkinObject& frame)
{
    std::vector<std::unique_ptr<CaptionItem>> items;
    for (const auto& entry : frame.Children()) {
        if (const auto* button = ObjectAs<CaptionButton>(entry.second.get()))
            items.push_back(std::make_unique<CaptionButtonItem>(*button));
        else if (const auto* text = ObjectAs<CaptionStatic>(entry.second.get()))
            items.push_back(std::make_unique<CaptionStaticItem>(*text));
    }
    return items;
}

bool HasCaptionTextElement(const SkinObject& frame)
{
    for (const auto& entry : frame.Children()) {
        const auto* text = ObjectAs<CaptionStatic>(entry.second.get());
        if (text && text->m_mode == kCaptionStaticShowsCaption)
            return true;
    }
    return false;
}

}  // namespace skin
