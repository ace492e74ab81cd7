#include "support/PixelCanvas.h"

PixelCanvas::PixelCanvas(int width, int height) : m_nWidth(width), m_nHeight(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_pBits = static_cast<DWORD*>(bits);
    m_hdc = ::CreateCompatibleDC(nullptr);
    m_hPrevious = ::SelectObject(m_hdc, m_hBitmap);
}

PixelCanvas::~PixelCanvas()
{
    ::SelectObject(m_hdc, m_hPrevious);
    ::DeleteDC(m_hdc);
    ::DeleteObject(m_hBitmap);
}

COLORREF PixelCanvas::Pixel(int x, int y) const
{
    ::GdiFlush();
    return DibPixelColour(m_pBits[y * m_nWidth + x]);
}

std::unique_ptr<PixelCanvas> PixelCanvas::OfClient(HWND hwnd)
{
    RECT client{};
    ::GetClientRect(hwnd, &client);
    auto canvas = std::make_unique<PixelCanvas>(client.right, client.bottom);
    canvas->PrintClient(hwnd);
    return canvas;
}

void PixelCanvas::Fill(COLORREF colour)
{
    HBRUSH brush = ::CreateSolidBrush(colour);
    RECT all{0, 0, m_nWidth, m_nHeight};
    ::FillRect(m_hdc, &all, brush);
    ::DeleteObject(brush);
}

void PixelCanvas::PrintClient(HWND hwnd)
{
    ::SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_hdc), PRF_CLIENT);
}

void PixelCanvas::CopyScreen(int left, int top)
{
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(m_hdc, 0, 0, m_nWidth, m_nHeight, screen, left, top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
}

std::vector<COLORREF> PixelCanvas::Pixels() const
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < m_nHeight; ++y)
        for (int x = 0; x < m_nWidth; ++x)
            pixels.push_back(Pixel(x, y));
    return pixels;
}

int PixelCanvas::CountColour(COLORREF colour, int left, int top, int right, int bottom) const
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            count += Pixel(x, y) == colour ? 1 : 0;
    return count;
}

namespace {

COLORREF PixelOf(HWND hwnd, HDC dc, int x, int y)
{
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return colour;
}

}  // namespace

COLORREF ClientPixel(HWND hwnd, int x, int y) { return PixelOf(hwnd, ::GetDC(hwnd), x, y); }

COLORREF WindowPixel(HWND hwnd, int x, int y) { return PixelOf(hwnd, ::GetWindowDC(hwnd), x, y); }

COLORREF ScreenPixel(POINT at) { return PixelOf(nullptr, ::GetDC(nullptr), at.x, at.y); }
