// Pixels read back from what windows painted: a 32-bit memory bitmap to
// paint controls into, and single pixels of windows and of the screen.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

// A 32-bit DIB pixel (blue in the low byte) as a colour.
inline COLORREF DibPixelColour(DWORD bgr) { return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF); }

class PixelCanvas {
public:
    PixelCanvas(int width, int height);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;
    // A canvas of `hwnd`'s client size with its client area printed in.
    static std::unique_ptr<PixelCanvas> OfClient(HWND hwnd);

    HDC Dc() const { return m_hdc; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    COLORREF Pixel(int x, int y) const;
    void Fill(COLORREF colour);
    // Paints `hwnd`'s client area into the canvas through WM_PRINTCLIENT.
    void PrintClient(HWND hwnd);
    // Copies the screen's pixels at `left`, `top` of the canvas's size.
    void CopyScreen(int left, int top);
    // Every pixel, row by row, for comparing two paintings.
    std::vector<COLORREF> Pixels() const;
    // How many pixels of the rectangle [left, right) x [top, bottom) have `colour`.
    int CountColour(COLORREF colour, int left, int top, int right, int bottom) const;
    int CountColour(COLORREF colour, const RECT& area) const
    {
        return CountColour(colour, area.left, area.top, area.right, area.bottom);
    }
    int CountColour(COLORREF colour) const { return CountColour(colour, 0, 0, m_nWidth, m_nHeight); }

private:
    int m_nWidth;
    int m_nHeight;
    HDC m_hdc = nullptr;            // owned
    HBITMAP m_hBitmap = nullptr;    // owned
    HGDIOBJ m_hPrevious = nullptr;  // borrowed: the context's bitmap before ours
    DWORD* m_pBits = nullptr;       // the bitmap's pixels, top row first
};

// The colour at `x`, `y` of `hwnd`'s client area.
COLORREF ClientPixel(HWND hwnd, int x, int y);
// The colour at `x`, `y` of `hwnd`'s whole window, frame included.
COLORREF WindowPixel(HWND hwnd, int x, int y);
COLORREF ScreenPixel(POINT at);
