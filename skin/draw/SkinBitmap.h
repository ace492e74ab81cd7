// Device-independent bitmaps for skin drawing: the decoded skin images and
// off-screen buffers are both 32-bit top-down DIB sections.
#pragma once

#include "win/GdiScope.h"
#include "skin/core/SkinRecords.h"
#include "skin/image/CxImage.h"

#include <windows.h>

#include <cstdint>

// A 32-bit top-down DIB section; `bits` receives its pixels (0x00RRGGBB).
CBitmapObject CreateDib32(int width, int height, uint32_t** bits);

// A colour as such a section holds it: DIB pixels are 0x00RRGGBB, a COLORREF
// is 0x00BBGGRR.
inline uint32_t DibPixel(COLORREF colour)
{
    return (uint32_t(GetRValue(colour)) << 16) | (uint32_t(GetGValue(colour)) << 8) | GetBValue(colour);
}

// Whether a pixel of such a section is `key` (a DibPixel), whatever its spare
// top byte holds: images keep their alpha there.
inline bool IsDibPixel(uint32_t pixel, uint32_t key) { return skin::Rgb(pixel) == key; }

// The drawable form of a decoded skin image. Empty when the image did not
// decode or the system refused the bitmap.
class CSkinBitmap {
public:
    CSkinBitmap() = default;
    explicit CSkinBitmap(const CxImage& image);

    HBITMAP Get() const { return m_bitmap.Get(); }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    explicit operator bool() const { return static_cast<bool>(m_bitmap); }

private:
    CBitmapObject m_bitmap;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
