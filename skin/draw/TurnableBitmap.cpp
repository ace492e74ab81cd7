#include "skin/draw/TurnableBitmap.h"

#include "skin/draw/SkinBitmap.h"

CTurnableBitmap::CTurnableBitmap(int width, int height)
    : m_nWidth(width),
      m_nHeight(height),
      m_dc(nullptr),
      m_bitmap(width > 0 && height > 0 ? CreateDib32(width, height, &m_pBits) : CBitmapObject()),
      m_selected(m_dc.Get(), m_bitmap.Get())
{
}

void CTurnableBitmap::TurnInto(CTurnableBitmap& target, int degrees) const
{
    if (!m_pBits || !target.m_pBits || target.m_nWidth != m_nHeight || target.m_nHeight != m_nWidth)
        return;
    ::GdiFlush();
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x) {
            const int targetX = degrees == 90 ? m_nHeight - 1 - y : y;
            const int targetY = degrees == 90 ? x : m_nWidth - 1 - x;
            target.m_pBits[targetY * target.m_nWidth + targetX] = m_pBits[y * m_nWidth + x];
        }
    }
}
