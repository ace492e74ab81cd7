#include "skin/kinds/frame/DialogBackground.h"

#include "skin/draw/OffscreenBuffer.h"
#include "skin/engine/CurrentSkin.h"

namespace skin {

void DialogBackground::Drop()
{
    m_brush.Reset();
    m_bitmap.Reset();
    m_size = {};
}

bool DialogBackground::Ensure(HWND dialog, const FrameObject& frame)
{
    RECT client{};
    ::GetClientRect(dialog, &client);
    const SIZE size{client.right, client.bottom};
    if (m_bitmap && size.cx == m_size.cx && size.cy == m_size.cy)
        return true;
    Drop();
    uint32_t* bits = nullptr;
    CBitmapObject bitmap = size.cx > 0 && size.cy > 0 ? CreateDib32(size.cx, size.cy, &bits) : CBitmapObject();
    CMemoryDC dc(nullptr);
    if (!bitmap || !dc)
        return false;
    {
        CSelectObject selected(dc.Get(), bitmap.Get());
        const ImageSlice& slice = frame.m_active[kPartClient];
        FillSolid(dc.Get(), client, Rgb(frame.m_clientColour));
        DrawImageSlice(dc.Get(), client, slice, CurrentSkinImages());
        m_repaintPending = !slice.IsAbsent() && slice.mode == kSliceStretch;
    }
    m_bitmap = std::move(bitmap);
    m_size = size;
    return true;
}

bool DialogBackground::Erase(HWND dialog, const FrameObject& frame, HDC dc)
{
    if (!Ensure(dialog, frame))
        return false;
    if (m_repaintPending) {
        // A stretched background changes everywhere with the size: all of it is drawn again.
        m_repaintPending = false;
        ::RedrawWindow(dialog, nullptr, nullptr, RDW_ERASENOW | RDW_ERASE | RDW_INVALIDATE);
        return true;
    }
    RECT area{};
    ::GetClipBox(dc, &area);
    const RECT client{0, 0, m_size.cx, m_size.cy};
    if (!::IntersectRect(&area, &area, &client))
        return true;
    CMemoryDC source(dc);
    CSelectObject selected(source.Get(), m_bitmap.Get());
    ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source.Get(), area.left,
             area.top, SRCCOPY);
    return true;
}

HBRUSH DialogBackground::BrushFor(HWND dialog, const FrameObject& frame, HDC dc, HWND control)
{
    if (!Ensure(dialog, frame))
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    if (!m_brush)
        m_brush.Reset(::CreatePatternBrush(m_bitmap.Get()));
    POINT origin{0, 0};
    ::MapWindowPoints(control, dialog, &origin, 1);
    ::SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    return m_brush ? m_brush.Get() : static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void DialogBackground::PaintBehind(HWND dialog, const FrameObject& frame, HDC dc, HWND sender)
{
    if (!Ensure(dialog, frame))
        return;
    RECT behind{};
    ::GetClientRect(sender, &behind);
    ::MapWindowPoints(sender, dialog, reinterpret_cast<POINT*>(&behind), 2);
    CMemoryDC source(dc);
    CSelectObject selected(source.Get(), m_bitmap.Get());
    ::BitBlt(dc, 0, 0, behind.right - behind.left, behind.bottom - behind.top, source.Get(), behind.left,
             behind.top, SRCCOPY);
}

}  // namespace skin
