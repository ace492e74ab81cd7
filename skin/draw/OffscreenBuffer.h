// An off-screen copy of an area of a target context: drawn into with the
// target's own coordinates, then copied back whole or with one colour left
// out.
#pragma once

#include "win/GdiScope.h"

#include <windows.h>

#include <cstdint>

class COffscreenBuffer {
public:
    COffscreenBuffer(HDC target, const RECT& area);
    COffscreenBuffer(const COffscreenBuffer&) = delete;
    COffscreenBuffer& operator=(const COffscreenBuffer&) = delete;

    explicit operator bool() const { return m_pBits != nullptr; }
    HDC Dc() const { return m_dc.Get(); }

    void Fill(COLORREF colour);
    void LoadFrom(HDC target);
    void CopyTo(HDC target) const;
    // Copies every pixel but those of `transparent`, which keep the target's.
    void CopyTransparentTo(HDC target, COLORREF transparent) const;

private:
    size_t PixelCount() const;

    RECT m_area;
    int m_nWidth;
    int m_nHeight;
    CMemoryDC m_dc;
    uint32_t* m_pBits = nullptr;  // owned by m_bitmap
    CBitmapObject m_bitmap;
    CSelectObject m_selected;
};
