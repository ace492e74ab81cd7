#include "skin/engine/KindTable.h"

#include "skin/core/ControlObjects.h"
#include "skin/draw/OffscreenBuffer.h"
#include "skin/draw/TurnableBitmap.h"
#include "skin/engine/SkinnedControl.h"
#include "skin/engine/CurrentSkin.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

namespace skin {

namespace {

// The bar's colours, with the messages later systems define for them: a
// subclass that draws over the skin's bar writes in these colours.
constexpr UINT PBM_GETBKCOLOUR = WM_USER + 14;
constexpr UINT PBM_GETBARCOLOUR = WM_USER + 15;

enum ProgressStyle { kStyleSingleImage = 0, kStyleRevealedImage = 1, kStyleBlocks = 2 };

// The range, position and step the engine keeps once it has taken the bar over.
struct ProgressValues {
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t position = 0;
    int32_t step = 1;

    int32_t Clamped(int64_t value) const
    {
        return static_cast<int32_t>(std::max<int64_t>(minimum, std::min<int64_t>(value, maximum)));
    }
    // Lowered to the maximum only: an amount below zero may leave the range.
    int32_t Advanced(int64_t amount) const
    {
        return static_cast<int32_t>(std::max<int64_t>(INT32_MIN, std::min<int64_t>(position + amount, maximum)));
    }
    // Filled pixels of a bar `length` long, truncated; negative below the minimum.
    int FilledLength(int length) const
    {
        if (maximum <= minimum)
            return 0;
        return static_cast<int>((int64_t(position) - minimum) * length / (int64_t(maximum) - minimum));
    }
};

class SkinnedProgressBar : public SkinnedControl {
public:
    SkinnedProgressBar() : SkinnedControl(kTypeProgressBar) {}

    bool Subclass(HWND hwnd) override;
    void Attach(SkinObject* object) override;
    void Unskin() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    bool TakesSkinFont() const override { return false; }  // shows no text of its own

private:
    void TakeOver();
    LRESULT TakenOverProc(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT SetRange(int32_t minimum, int32_t maximum);
    LRESULT SetPosition(int32_t position);
    LRESULT GetRange(WPARAM lowWanted, PBRANGE* range) const;

    void Repaint() const;
    void Paint(HDC given) const;
    void PaintTurned(HDC target, SIZE size) const;
    void DrawBar(HDC dc, const RECT& area) const;
    void DrawProgress(HDC dc, const RECT& area, int filled) const;
    void PaintBorder() const;

    const ProgressBar* m_pBar = nullptr;  // the object, when it is a progress bar
    bool m_bTakenOver = false;
    ProgressValues m_values;
};

bool SkinnedProgressBar::Subclass(HWND hwnd)
{
    ::PostMessageA(hwnd, SKINMSG_PROGRESS_TAKE_OVER, 0, 0);
    if (!SkinnedControl::Subclass(hwnd))
        return false;
    m_pBar = ObjectAs<ProgressBar>(Object());  // perhaps the control's own object now
    return true;
}

void SkinnedProgressBar::Attach(SkinObject* object)
{
    SkinnedControl::Attach(object);
    m_pBar = ObjectAs<ProgressBar>(object);
    if (m_hWnd && m_bTakenOver)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

// The probe goes to the system control beneath the engine, so that a
// subclass on top of the engine keeps its own values.
void SkinnedProgressBar::TakeOver()
{
    if (m_bTakenOver)
        return;
    m_values.minimum = static_cast<int32_t>(CallKeptProc(PBM_GETRANGE, TRUE, 0));
    m_values.maximum = static_cast<int32_t>(CallKeptProc(PBM_GETRANGE, FALSE, 0));
    m_values.position = static_cast<int32_t>(CallKeptProc(PBM_GETPOS, 0, 0));
    CallKeptProc(PBM_SETPOS, static_cast<WPARAM>(m_values.minimum), 0);
    CallKeptProc(PBM_STEPIT, 0, 0);
    const auto step = static_cast<int32_t>(CallKeptProc(PBM_GETPOS, 0, 0)) - m_values.minimum;
    m_values.step = step > 0 ? step : 1;
    m_bTakenOver = true;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    // Whatever was painted before the take-over showed the system's bar; a
    // bar that does not move again would keep it.
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

// The system control gets the engine's values back, beneath any subclass
// that sits on top of the engine and keeps values of its own.
void SkinnedProgressBar::Unskin()
{
    if (m_hWnd && m_bTakenOver && !IsDestroying()) {
        CallKeptProc(PBM_SETRANGE32, static_cast<WPARAM>(m_values.minimum), m_values.maximum);
        CallKeptProc(PBM_SETPOS, static_cast<WPARAM>(m_values.position), 0);
        CallKeptProc(PBM_SETSTEP, static_cast<WPARAM>(m_values.step), 0);
    }
    SkinnedControl::Unskin();
}

LRESULT SkinnedProgressBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == SKINMSG_PROGRESS_TAKE_OVER && m_hWnd) {
        TakeOver();
        return 0;
    }
    if (!m_bTakenOver || !m_pBar || !m_hWnd)
        return SkinnedControl::WindowProc(msg, wp, lp);
    return TakenOverProc(msg, wp, lp);
}

LRESULT SkinnedProgressBar::TakenOverProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case PBM_SETRANGE: return SetRange(LOWORD(lp), HIWORD(lp));
    case PBM_SETRANGE32: return SetRange(static_cast<int32_t>(wp), static_cast<int32_t>(lp));
    case PBM_SETPOS: return SetPosition(m_values.Clamped(static_cast<int32_t>(wp)));
    case PBM_DELTAPOS: return SetPosition(m_values.Advanced(static_cast<int32_t>(wp)));
    case PBM_STEPIT: return SetPosition(m_values.Advanced(m_values.step));
    case PBM_SETSTEP: return std::exchange(m_values.step, static_cast<int32_t>(wp));
    case PBM_GETRANGE: return GetRange(wp, reinterpret_cast<PBRANGE*>(lp));
    case PBM_GETPOS: return m_values.position;
    case PBM_SETBARCOLOR:
    case PBM_SETBKCOLOR: return static_cast<LRESULT>(CLR_DEFAULT);
    case PBM_GETBKCOLOUR: return static_cast<LRESULT>(Rgb(m_pBar->m_backColour));
    case PBM_GETBARCOLOUR: return static_cast<LRESULT>(Rgb(m_pBar->m_textColour));
    case SKINMSG_FONT_CHANGED: return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers the whole client area
    case WM_PAINT: Paint(nullptr); return 0;
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_NCPAINT: PaintBorder(); return 0;
    default: return SkinnedControl::WindowProc(msg, wp, lp);
    }
}

LRESULT SkinnedProgressBar::SetRange(int32_t minimum, int32_t maximum)
{
    const LRESULT previous = MAKELRESULT(LOWORD(m_values.minimum), LOWORD(m_values.maximum));
    m_values.minimum = minimum;
    m_values.maximum = maximum;
    m_values.position = m_values.Clamped(m_values.position);
    Repaint();
    return previous;
}

LRESULT SkinnedProgressBar::SetPosition(int32_t position)
{
    const int32_t previous = std::exchange(m_values.position, position);
    Repaint();
    return previous;
}

LRESULT SkinnedProgressBar::GetRange(WPARAM lowWanted, PBRANGE* range) const
{
    if (range) {
        range->iLow = m_values.minimum;
        range->iHigh = m_values.maximum;
    }
    return lowWanted ? m_values.minimum : m_values.maximum;
}

void SkinnedProgressBar::Repaint() const
{
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
}

void SkinnedProgressBar::Paint(HDC given) const
{
    CPaintDC target(m_hWnd, given);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    if (::GetWindowLongA(m_hWnd, GWL_STYLE) & PBS_VERTICAL) {
        PaintTurned(target.Get(), {client.right, client.bottom});
        return;
    }
    COffscreenBuffer buffer(target.Get(), client);
    if (!buffer)
        return;
    DrawBar(buffer.Dc(), client);
    buffer.CopyTo(target.Get());
}

// A vertical bar is the horizontal drawing of swapped size turned by 270
// degrees, so that it grows from the bottom.
void SkinnedProgressBar::PaintTurned(HDC target, SIZE size) const
{
    CTurnableBitmap lying(size.cy, size.cx);
    CTurnableBitmap standing(size.cx, size.cy);
    if (!lying || !standing)
        return;
    DrawBar(lying.Dc(), lying.Rect());
    lying.TurnInto(standing, 270);
    ::BitBlt(target, 0, 0, size.cx, size.cy, standing.Dc(), 0, 0, SRCCOPY);
}

void SkinnedProgressBar::DrawBar(HDC dc, const RECT& area) const
{
    const COLORREF back = Rgb(m_pBar->m_backColour);
    FillSolid(dc, area, back);
    DrawNineGridImage(dc, area, m_pBar->m_image, CurrentSkinImages(), back);
    DrawProgress(dc, area, m_values.FilledLength(area.right - area.left));
}

void SkinnedProgressBar::DrawProgress(HDC dc, const RECT& area, int filled) const
{
    if (filled <= 0)
        return;
    const NineGridImage& image = m_pBar->m_progressImage;
    const RECT part{area.left, area.top, area.left + filled, area.bottom};
    // Without an image every style shows the progress in the plain colour.
    if (image.IsAbsent()) {
        FillSolid(dc, part, Rgb(m_pBar->m_textColour));
        return;
    }
    switch (m_pBar->m_style) {
    case kStyleRevealedImage: {
        const ImageResolver images = CurrentSkinImages();
        DrawLeavingOutColour(dc, part, SkinTransparentColour(),
                             [&](HDC buffer) { return DrawNineGridImage(buffer, area, image, images); });
        return;
    }
    case kStyleBlocks: {
        const int block = image.source.Width();
        for (int i = 0; i < filled / block; ++i)
            DrawGridLeavingOut(dc, {area.left + i * block, area.top, area.left + (i + 1) * block, area.bottom}, image);
        return;
    }
    default: DrawGridLeavingOut(dc, part, image); return;
    }
}

// The border is the part of the background image that lies around the
// client area, centred in the window.
void SkinnedProgressBar::PaintBorder() const
{
    RECT window{}, client{};
    ::GetWindowRect(m_hWnd, &window);
    ::GetClientRect(m_hWnd, &client);
    const RECT whole{0, 0, window.right - window.left, window.bottom - window.top};
    const int left = (whole.right - client.right) / 2, top = (whole.bottom - client.bottom) / 2;
    CClientDC dc(m_hWnd, true);
    COffscreenBuffer buffer(dc.Get(), whole);
    if (!dc.Get() || !buffer)
        return;
    const COLORREF back = Rgb(m_pBar->m_backColour);
    FillSolid(buffer.Dc(), whole, back);
    DrawNineGridImage(buffer.Dc(), whole, m_pBar->m_image, CurrentSkinImages(), back);
    ::ExcludeClipRect(dc.Get(), left, top, left + client.right, top + client.bottom);
    buffer.CopyTo(dc.Get());
}

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedProgressBar()
{
    return std::make_unique<SkinnedProgressBar>();
}

}  // namespace skin
