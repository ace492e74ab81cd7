#include "skin/engine/KindTable.h"

#include "skin/kinds/ButtonFamily.h"
#include "skin/kinds/ButtonLooks.h"

namespace skin {

namespace {

class SkinnedButton : public SkinnedButtonFamily {
public:
    SkinnedButton() : SkinnedButtonFamily(kTypeButton) {}

    void Attach(SkinObject* object) override
    {
        SkinnedButtonFamily::Attach(object);
        if (m_hWnd)
            Reshape();
    }

protected:
    void AdjustStyles() override { m_bDefault = (Style() & BS_DEFPUSHBUTTON) != 0; }

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_STYLECHANGED && wp == static_cast<WPARAM>(GWL_STYLE))
            m_bDefault = (reinterpret_cast<const STYLESTRUCT*>(lp)->styleNew & BS_DEFPUSHBUTTON) != 0;
        return SkinnedButtonFamily::WindowProc(msg, wp, lp);
    }

    LRESULT OnSize(WPARAM wp, LPARAM lp) override
    {
        const LRESULT result = SkinnedButtonFamily::OnSize(wp, lp);
        Reshape();
        return result;
    }

    void Draw(HDC dc) override
    {
        const auto* button = ObjectAs<Button>(Object());
        if (!button)
            return;
        const RECT client = ClientRect();
        PaintOwnerBackground(dc);
        const UINT state = ButtonState();
        const PushButtonInputs in{::IsWindowEnabled(m_hWnd) != FALSE,
                                  (state & BST_PUSHED) != 0 || IsPressed(),
                                  IsHovered(),
                                  (state & BST_CHECKED) != 0,
                                  m_bDefault,
                                  HasFocus()};
        const ButtonLook& look = button->m_states[PushButtonState(in, *button)];
        const ImageResolver images = CurrentSkinImages();
        DrawLeavingOutColour(dc, client, SkinTransparentColour(),
                             [&](HDC buffer) { return DrawNineGridImage(buffer, client, look.image, images); });
        DrawContent(dc, client, look.effect);
    }

private:
    void DrawContent(HDC dc, const RECT& client, const TextEffect& effect)
    {
        const LONG style = Style();
        if (style & BS_ICON)
            DrawIconContent(dc, client);
        else if (style & BS_BITMAP)
            DrawBitmapContent(dc, client);
        else
            DrawText(dc, client, effect, true, 299);
    }

    void DrawIconContent(HDC dc, const RECT& client)
    {
        const auto icon = reinterpret_cast<HICON>(::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_ICON, 0));
        if (!icon)
            return;
        SIZE size{32, 32};
        ICONINFO info{};
        if (::GetIconInfo(icon, &info)) {
            BITMAP colour{};
            if (info.hbmColor && ::GetObjectA(info.hbmColor, sizeof colour, &colour))
                size = {colour.bmWidth, colour.bmHeight};
            CBitmapObject ownedColour(info.hbmColor);  // GetIconInfo hands out copies
            CBitmapObject ownedMask(info.hbmMask);
        }
        const RECT place = PlaceContent(client, size, Style(), true);
        ::DrawIcon(dc, place.left, place.top, icon);
    }

    void DrawBitmapContent(HDC dc, const RECT& client)
    {
        const auto bitmap = reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP info{};
        if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info))
            return;
        const RECT place = PlaceContent(client, {info.bmWidth, info.bmHeight}, Style(), true);
        CMemoryDC source(dc);
        CSelectObject selected(source.Get(), bitmap);
        ::BitBlt(dc, place.left, place.top, place.right - place.left, place.bottom - place.top, source.Get(), 0, 0,
                 SRCCOPY);
    }

    // The window takes the outline of the NORMAL image at its present size.
    void Reshape()
    {
        const auto* button = ObjectAs<Button>(Object());
        const RECT client = ClientRect();
        if (!button || client.right <= 0 || client.bottom <= 0)
            return;
        if (HRGN shape = PushButtonShape(button->m_states[kButtonNormal].image, CurrentSkinImages(),
                                         {client.right, client.bottom}, ScreenDepth(), ButtonFace()))
            SetWindowRegion(CRegionObject(shape));
    }

    static int ScreenDepth()
    {
        CClientDC screen(nullptr);
        const int depth = ::GetDeviceCaps(screen.Get(), BITSPIXEL);
        return depth == 8 || depth == 16 || depth == 24 ? depth : 32;
    }

    bool m_bDefault = false;
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedButton()
{
    return std::make_unique<SkinnedButton>();
}

}  // namespace skin
