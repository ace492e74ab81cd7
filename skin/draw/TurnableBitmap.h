// A 32-bit bitmap in a memory context whose pixels can be turned: vertical
// controls are drawn lying down like horizontal ones, then stood up.
#pragma once

#include "win/GdiScope.h"

#include <windows.h>

#include <cstdint>

class CTurnableBitmap {
public:
    CTurnableBitmap(int width, int height);
    CTurnableBitmap(const CTurnableBitmap&) = delete;
    CTurnableBitmap& operator=(const CTurnableBitmap&) = delete;

    explicit operator bool() const { return m_pBits != nullptr; }
    HDC Dc() const { return m_dc.Get(); }
    RECT Rect() const { return {0, 0, m_nWidth, m_nHeight}; }

    // Writes this bitmap turned clockwise by 90 or 270 degrees into `target`,
    // whose width is this one's height.
    void TurnInto(CTurnableBitmap& target, int degrees) const;

private:
    int m_nWidth;
    int m_nHeight;
    CMemoryDC m_dc;
    uint32_t* m_pBits = nullptr;  // owned by m_bitmap
    CBitmapObject m_bitmap;
    CSelectObject m_selected;
};
