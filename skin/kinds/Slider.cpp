#include "skin/engine/KindTable.h"

#include "skin/core/ControlObjects.h"
#include "skin/draw/TurnableBitmap.h"
#include "skin/kinds/PaintedControl.h"

#include <commctrl.h>

#include <cstdint>

namespace skin {

namespace {

LONG Width(const RECT& rect) { return rect.right - rect.left; }
LONG Height(const RECT& rect) { return rect.bottom - rect.top; }

class SkinnedSlider : public SkinnedPaintedControl {
public:
    SkinnedSlider() : SkinnedPaintedControl(kTypeSlider) {}

    void Unskin() override
    {
        const HWND hwnd = m_hWnd;
        if (hwnd && !IsDestroying() && !m_bHadNoTicks)
            ::SetWindowLongA(hwnd, GWL_STYLE, Style() & ~TBS_NOTICKS);
        SkinnedPaintedControl::Unskin();
        if (hwnd && !IsDestroying())
            ::InvalidateRect(hwnd, nullptr, TRUE);
    }

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (!Look())
            return SkinnedPaintedControl::WindowProc(msg, wp, lp);
        switch (msg) {
        case WM_PAINT:
        case WM_PRINTCLIENT: PaintBuffered(m_hWnd, reinterpret_cast<HDC>(wp), [this](HDC dc) { Draw(dc); }); return 0;
        case WM_ERASEBKGND: return 1;  // the paint covers every pixel
        case WM_MOUSEMOVE:
            if (!(wp & MK_LBUTTON))
                break;
            [[fallthrough]];
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK: {
            // The thumb follows the mouse at once.
            const LRESULT result = CallKeptProc(msg, wp, lp);
            Repaint();
            return result;
        }
        }
        return SkinnedPaintedControl::WindowProc(msg, wp, lp);
    }

protected:
    bool TakesSkinFont() const override { return false; }  // shows no text
    // Tick marks have no image: they are off while skinned.
    void AdjustStyles() override
    {
        m_bHadNoTicks = (Style() & TBS_NOTICKS) != 0;
        ::SetWindowLongA(m_hWnd, GWL_STYLE, Style() | TBS_NOTICKS);
    }

private:
    const Slider* Look() const { return ObjectAs<Slider>(Object()); }

    RECT Reported(UINT msg) const
    {
        RECT rect{};
        ::SendMessageA(m_hWnd, msg, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    void DrawBackground(HDC dc, const RECT& area) const
    {
        if (Look()->m_transparent)
            PaintOwnerBackground(dc);
        else
            DrawGridOrFill(dc, area, Look()->m_image, CurrentSkinImages(), ButtonFace());
    }

    void DrawThumb(HDC dc, const RECT& thumb, const NineGridImage& image) const
    {
        const ImageResolver images = CurrentSkinImages();
        DrawLeavingOutColour(dc, thumb, SkinTransparentColour(),
                             [&](HDC buffer) { DrawGridOrFill(buffer, thumb, image, images, ButtonFace());
            return true;
        });
    }

    void Draw(HDC dc)
    {
        if (Style() & TBS_VERT)
            DrawVertical(dc);
        else
            DrawHorizontal(dc);
    }

    void DrawHorizontal(HDC dc)
    {
        DrawBackground(dc, ClientRect());
        DrawGridOrFill(dc, Reported(TBM_GETCHANNELRECT), Look()->m_channel, CurrentSkinImages(), ButtonFace());
        DrawThumb(dc, Reported(TBM_GETTHUMBRECT), Look()->m_thumbHorizontal);
    }

    // Drawn lying down like a horizontal slider, then stood up.
    void DrawVertical(HDC dc)
    {
        const RECT client = ClientRect();
        CTurnableBitmap lying(client.bottom, client.right);
        CTurnableBitmap standing(client.right, client.bottom);
        if (!lying || !standing)
            return;
        if (Look()->m_transparent) {
            CTurnableBitmap background(client.right, client.bottom);
            PaintOwnerBackground(background.Dc());
            background.TurnInto(lying, 90);
        } else {
            DrawBackground(lying.Dc(), lying.Rect());
        }
        DrawGridOrFill(lying.Dc(), LyingChannel(client), Look()->m_channel, CurrentSkinImages(), ButtonFace());
        lying.TurnInto(standing, 270);
        const RECT thumb = Reported(TBM_GETTHUMBRECT);
        if (!Look()->m_thumbVertical.IsAbsent())
            DrawThumb(standing.Dc(), thumb, Look()->m_thumbVertical);
        else
            DrawTurnedThumb(standing.Dc(), thumb);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, standing.Dc(), 0, 0, SRCCOPY);
    }

    // Some systems report a vertical slider's channel as if it lay down,
    // others where it stands: either way, where it lies in the lying bitmap.
    RECT LyingChannel(const RECT& client) const
    {
        const RECT channel = Reported(TBM_GETCHANNELRECT);
        if (Width(channel) >= Height(channel))
            return channel;
        return {client.bottom - channel.bottom, channel.left, client.bottom - channel.top, channel.right};
    }

    void DrawTurnedThumb(HDC dc, const RECT& thumb) const
    {
        CTurnableBitmap lying(Height(thumb), Width(thumb));
        CTurnableBitmap standing(Width(thumb), Height(thumb));
        if (!lying || !standing)
            return;
        DrawGridOrFill(lying.Dc(), lying.Rect(), Look()->m_thumbHorizontal, CurrentSkinImages(), ButtonFace());
        lying.TurnInto(standing, 270);
        DrawLeavingOutColour(dc, thumb, SkinTransparentColour(), [&](HDC buffer) {
            return ::BitBlt(buffer, thumb.left, thumb.top, Width(thumb), Height(thumb), standing.Dc(), 0, 0,
                            SRCCOPY) != FALSE;
        });
    }

    bool m_bHadNoTicks = false;
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedSlider()
{
    return std::make_unique<SkinnedSlider>();
}

}  // namespace skin
