#include "skin/draw/SkinBitmap.h"

#include <cstring>

CBitmapObject CreateDib32(int width, int height, uint32_t** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    CBitmapObject bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    *bits = bitmap ? static_cast<uint32_t*>(pixels) : nullptr;
    return bitmap;
}

CSkinBitmap::CSkinBitmap(const CxImage& image)
{
    if (!image.IsValid())
        return;
    const int width = int(image.GetWidth());
    const int height = int(image.GetHeight());
    uint32_t* bits = nullptr;
    m_bitmap = CreateDib32(width, height, &bits);
    if (!m_bitmap)
        return;
    // The image keeps its pixels in the DIB's own layout.
    std::memcpy(bits, image.GetBits(), size_t(width) * height * sizeof(uint32_t));
    m_nWidth = width;
    m_nHeight = height;
}
