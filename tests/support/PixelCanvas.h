// A 32-bit memory bitmap to paint controls into and read back pixel by pixel.
#pragma once

#include <windows.h>

#include <vector>

class PixelCanvas {
public:
    PixelCanvas(int width, int height);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

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

private:
    int m_nWidth;
    int m_nHeight;
    HDC m_hdc = nullptr;            // owned
    HBITMAP m_hBitmap = nullptr;    // owned
    HGDIOBJ m_hPrevious = nullptr;  // borrowed: the context's bitmap before ours
    DWORD* m_pBits = nullptr;       // the bitmap's pixels, top row first
};
