#include "skin/engine/KindTable.h"

#include "skin/core/ControlObjects.h"
#include "skin/kinds/PaintedControl.h"
#include "skin/kinds/StaticLooks.h"

namespace skin {

UINT StaticTextFormat(LONG style, LONG exStyle)
{
    const LONG type = style & SS_TYPEMASK;
    UINT format = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
    if (style & SS_CENTERIMAGE)
        format |= DT_VCENTER | DT_SINGLELINE;
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    format |= (style & SS_LEFTNOWORDWRAP) == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK;
    if (style & SS_EDITCONTROL)
        format |= DT_EDITCONTROL | DT_WORDBREAK;
    if (exStyle & WS_EX_RTLREADING)
        format |= DT_RTLREADING;
    return format;
}

namespace {

enum class LabelContent { Text, Icon, Bitmap };

class SkinnedLabel : public SkinnedPaintedControl {
public:
    explicit SkinnedLabel(int kind) : SkinnedPaintedControl(kind) {}

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (!Label())
            return SkinnedPaintedControl::WindowProc(msg, wp, lp);
        switch (msg) {
        case WM_PAINT:
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
        case WM_ERASEBKGND:
            if (Content() != LabelContent::Text)
                break;
            DrawBackground(reinterpret_cast<HDC>(wp));
            return 1;
        case WM_ENABLE:
        case WM_SETTEXT: {
            const LRESULT result = CallHidden(msg, wp, lp);
            Repaint();
            return result;
        }
        }
        return SkinnedPaintedControl::WindowProc(msg, wp, lp);
    }

protected:
    // Simple and enhanced-metafile statics, and owner-drawn ones, draw themselves.
    bool Refuses(HWND hwnd) const override
    {
        const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
        return (style & SS_SIMPLE) == SS_SIMPLE || (style & SS_OWNERDRAW) == SS_OWNERDRAW;
    }
    int ObjectKind() const override { return kTypeStatic; }
    bool RepaintsParentWhenSubclassed() const override { return true; }
    void AdjustStyles() override
    {
        if (Label() && Label()->m_transparent)
            AddExtendedStyles(WS_EX_TRANSPARENT);
    }

private:
    const Static* Label() const { return ObjectAs<Static>(Object()); }

    LabelContent Content() const
    {
        const LONG style = Style();
        if ((style & SS_ICON) == SS_ICON)
            return LabelContent::Icon;
        return (style & SS_BITMAP) == SS_BITMAP ? LabelContent::Bitmap : LabelContent::Text;
    }

    void Paint(HDC given)
    {
        CPaintDC target(m_hWnd, given);
        switch (Content()) {
        case LabelContent::Icon: DrawIconContent(target.Get()); break;
        case LabelContent::Bitmap: DrawBitmapContent(target.Get()); break;
        case LabelContent::Text:
            PaintBuffered(m_hWnd, target.Get(), [this](HDC dc) { DrawTextContent(dc); });
            break;
        }
    }

    void DrawIconContent(HDC dc)
    {
        const auto icon = reinterpret_cast<HICON>(::SendMessageA(m_hWnd, STM_GETICON, 0, 0));
        if (!icon)
            return;
        if (Style() & SS_CENTERIMAGE)
            ::DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
        else
            ::DrawIcon(dc, 0, 0, icon);
    }

    void DrawBitmapContent(HDC dc)
    {
        const auto bitmap = reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
        if (!bitmap)
            return;
        const RECT client = ClientRect();
        CMemoryDC source(dc);
        CSelectObject selected(source.Get(), bitmap);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, source.Get(), 0, 0, SRCCOPY);
    }

    void DrawBackground(HDC dc)
    {
        const Static* label = Label();
        if (label->m_transparent)
            PaintOwnerBackground(dc);
        else
            DrawGridOrFill(dc, ClientRect(), label->m_image, CurrentSkinImages(), Rgb(label->m_backColour));
    }

    void DrawTextContent(HDC dc)
    {
        const Static* label = Label();
        const std::string text = WindowText(1023);
        RECT client = ClientRect();
        DrawBackground(dc);
        CSelectObject font(dc, WindowFont());
        CSavedDC saved(dc);
        ::SetTextColor(dc, Rgb(label->m_font.textColour));
        ::IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        const bool enabledLook = ::IsWindowEnabled(m_hWnd) || (Style() & SS_EDITCONTROL);
        DrawEffectText(dc, text.c_str(), client, StaticTextFormat(Style(), ::GetWindowLongA(m_hWnd, GWL_EXSTYLE)),
                       enabledLook ? label->m_effect : label->m_disabledEffect);
    }
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedLabel(int kind)
{
    return std::make_unique<SkinnedLabel>(kind);
}

std::unique_ptr<SkinnedWindow> CreateSkinnedStatic()
{
    return CreateSkinnedLabel(kTypeStatic);
}

}  // namespace skin
