#include "skin/draw/OffscreenBuffer.h"

#include "skin/draw/SkinBitmap.h"

#include <algorithm>

COffscreenBuffer::COffscreenBuffer(HDC target, const RECT& area)
    : m_area(area),
      m_nWidth(std::max(0L, area.right - area.left)),
      m_nHeight(std::max(0L, area.bottom - area.top)),
      m_dc(target),
      m_bitmap(m_dc && m_nWidth && m_nHeight ? CreateDib32(m_nWidth, m_nHeight, &m_pBits) : CBitmapObject()),
      m_selected(m_dc.Get(), m_bitmap.Get())
{
    if (m_pBits)
        ::SetViewportOrgEx(m_dc.Get(), -area.left, -area.top, nullptr);
}

size_t COffscreenBuffer::PixelCount() const
{
    return size_t(m_nWidth) * m_nHeight;
}

void COffscreenBuffer::Fill(COLORREF colour)
{
    if (!m_pBits)
        return;
    ::GdiFlush();  // drawing still queued must land before the pixels change
    std::fill(m_pBits, m_pBits + PixelCount(), DibPixel(colour));
}

void COffscreenBuffer::LoadFrom(HDC target)
{
    if (m_pBits)
        ::BitBlt(m_dc.Get(), m_area.left, m_area.top, m_nWidth, m_nHeight, target, m_area.left, m_area.top, SRCCOPY);
}

void COffscreenBuffer::CopyTo(HDC target) const
{
    if (m_pBits)
        ::BitBlt(target, m_area.left, m_area.top, m_nWidth, m_nHeight, m_dc.Get(), m_area.left, m_area.top, SRCCOPY);
}

// Masked in memory rather than with TransparentBlt (which leaks on the
// oldest systems) or monochrome masks (whose colour match follows the
// screen's depth): both buffers are 32-bit, so the match is exact.
void COffscreenBuffer::CopyTransparentTo(HDC target, COLORREF transparent) const
{
    COffscreenBuffer behind(target, m_area);
    if (!m_pBits || !behind)
        return;
    behind.LoadFrom(target);
    ::GdiFlush();
    const uint32_t key = DibPixel(transparent);
    for (size_t i = 0; i < PixelCount(); ++i) {
        if (!IsDibPixel(m_pBits[i], key))
            behind.m_pBits[i] = m_pBits[i];
    }
    behind.CopyTo(target);
}
