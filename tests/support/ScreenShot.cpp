#include "support/ScreenShot.h"

#include <algorithm>
#include <cstdio>
#include <vector>

bool SaveScreenArea(const RECT& rect, const char* path, int& distinctColours)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
    GdiFlush();
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned> colours;
    for (int y = 0; y < height && copied; y += 7)
        for (int x = 0; x < width; x += 7) {
            const auto* p = static_cast<const unsigned char*>(bits) + y * stride + x * 3;
            const unsigned colour = p[0] | (p[1] << 8) | (p[2] << 16);
            if (colours.size() < 64 && std::find(colours.begin(), colours.end(), colour) == colours.end())
                colours.push_back(colour);
        }
    distinctColours = static_cast<int>(colours.size());
    bool written = false;
    if (FILE* file = copied ? std::fopen(path, "wb") : nullptr) {
        BITMAPFILEHEADER header = {};
        header.bfType = 0x4D42;
        header.bfOffBits = sizeof header + sizeof info.bmiHeader;
        header.bfSize = header.bfOffBits + stride * height;
        std::fwrite(&header, sizeof header, 1, file);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file);
        std::fwrite(bits, static_cast<size_t>(stride) * height, 1, file);
        written = std::fclose(file) == 0;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return written;
}
