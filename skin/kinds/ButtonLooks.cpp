#include "skin/kinds/ButtonLooks.h"

#include "win/GdiScope.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace skin {

int PushButtonState(const PushButtonInputs& in, const Button& object)
{
    const auto present = [&object](int state) { return !object.m_states[state].image.IsAbsent(); };
    if (!in.enabled)
        return FirstPresent({kButtonDisabled, kButtonNormal}, present);
    if (in.pushed)
        return FirstPresent({kButtonPressed, kButtonNormal}, present);
    if (in.hovered && present(kButtonHighlighted))
        return kButtonHighlighted;
    if (in.checked)
        return FirstPresent({kButtonPressed, kButtonNormal}, present);
    if (in.isDefault && in.focused)
        return FirstPresent({kButtonFocused, kButtonDefault, kButtonNormal}, present);
    if (in.isDefault)
        return FirstPresent({kButtonDefault, kButtonNormal}, present);
    return in.focused ? FirstPresent({kButtonFocused, kButtonNormal}, present) : kButtonNormal;
}

CheckChoice ChooseCheckLook(const CheckInputs& in, const CheckControl& object, bool radio)
{
    const auto back = [&object](int state) { return !object.m_states[state].background.IsAbsent(); };
    const auto box = [&object](int state) { return !object.m_states[state].box.IsAbsent(); };
    // Like every other state's, the background ends at NORMAL's: a skin with
    // one background keeps it behind a disabled chosen radio button too.
    if (!in.enabled && in.checked && radio)
        return {FirstPresent({kCheckGrayedSelected, kCheckSelected, kCheckNormal}, back),
                FirstPresent({kCheckGrayedSelected, kCheckSelected}, box), kCheckGrayedSelected};
    if (!in.enabled && in.checked)
        return {FirstPresent({kCheckGrayedSelected, kCheckDisabled, kCheckNormal}, back),
                FirstPresent({kCheckGrayedSelected, kCheckDisabled, kCheckSelected}, box), kCheckGrayedSelected};
    if (!in.enabled)
        return {FirstPresent({kCheckGrayedNormal, kCheckDisabled, kCheckNormal}, back),
                FirstPresent({kCheckGrayedNormal, kCheckDisabled, kCheckNormal}, box), kCheckGrayedNormal};
    if (in.pushed)
        return {FirstPresent({kCheckSelected, kCheckNormal}, back), kCheckSelected, kCheckSelected};
    if ((in.focused || in.hovered) && in.checked)
        return {FirstPresent({kCheckHighlightedSelected, kCheckSelected, kCheckNormal}, back),
                FirstPresent({kCheckHighlightedSelected, kCheckSelected}, box), kCheckHighlightedSelected};
    if (in.focused || in.hovered)
        return {FirstPresent({kCheckHighlightedNormal, kCheckNormal}, back),
                FirstPresent({kCheckHighlightedNormal, kCheckNormal}, box), kCheckHighlightedNormal};
    if (in.checked)
        return {FirstPresent({kCheckSelected, kCheckNormal}, back), kCheckSelected, kCheckSelected};
    return {kCheckNormal, kCheckNormal, kCheckNormal};
}

RECT PlaceContent(const RECT& area, SIZE size, LONG style, bool pushButton)
{
    RECT place = area;
    const LONG width = area.right - area.left;
    const LONG height = area.bottom - area.top;
    const LONG horizontal = style & BS_CENTER;
    if (size.cx < width) {
        if (horizontal == BS_CENTER || (horizontal == 0 && pushButton))
            place.left += (width - size.cx) / 2;
        else if (horizontal == BS_RIGHT)
            place.left = area.right - size.cx;
        place.right = place.left + size.cx;
    }
    const LONG vertical = style & BS_VCENTER;
    if (size.cy < height) {
        if (vertical == BS_BOTTOM)
            place.top = area.bottom - size.cy;
        else if (vertical != BS_TOP)
            place.top += (height - size.cy) / 2;
        place.bottom = place.top + size.cy;
    }
    return place;
}

UINT ButtonTextFormat(LONG style, LONG exStyle)
{
    UINT format = (style & BS_MULTILINE) ? DT_WORDBREAK | DT_EDITCONTROL : DT_CENTER;
    if (exStyle & WS_EX_RTLREADING)
        format |= DT_RTLREADING;
    return format;
}

namespace {

// Which palette entries of an 8-bit bitmap hold the shape colour.
std::vector<bool> ShapeEntries(HBITMAP dib)
{
    std::vector<bool> entries(256, false);
    CMemoryDC dc(nullptr);
    CSelectObject selected(dc.Get(), dib);
    RGBQUAD table[256] = {};
    const UINT count = ::GetDIBColorTable(dc.Get(), 0, 256, table);
    for (UINT i = 0; i < count; ++i)
        entries[i] = table[i].rgbRed == 255 && table[i].rgbGreen == 0 && table[i].rgbBlue == 255;
    return entries;
}

bool IsShapePixel(const uint8_t* row, int x, int bitsPerPixel, const std::vector<bool>& entries)
{
    switch (bitsPerPixel) {
    case 8: return entries[row[x]];
    case 16: {
        uint16_t pixel;
        std::memcpy(&pixel, row + x * 2, sizeof pixel);
        return pixel == 0xF81F;
    }
    case 24: return row[x * 3] == 255 && row[x * 3 + 1] == 0 && row[x * 3 + 2] == 255;
    default: return row[x * 4] == 255 && row[x * 4 + 1] == 0 && row[x * 4 + 2] == 255;
    }
}

HRGN RegionOfRects(const std::vector<RECT>& rects)
{
    if (rects.empty())
        return ::CreateRectRgn(0, 0, 0, 0);
    std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(rects.size());
    header->nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    header->rcBound = {0, 0, 0, 0};
    for (const RECT& rect : rects)
        ::UnionRect(&header->rcBound, &header->rcBound, &rect);
    std::memcpy(data.data() + sizeof(RGNDATAHEADER), rects.data(), rects.size() * sizeof(RECT));
    return ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
}

// A DIB section of any of the shape depths: 5-6-5 at 16 bits, a colour cube
// with greys at 8.
CBitmapObject CreateShapeDib(int width, int height, int bitsPerPixel)
{
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = -height;
    header->biPlanes = 1;
    header->biBitCount = static_cast<WORD>(bitsPerPixel);
    header->biCompression = bitsPerPixel == 16 ? BI_BITFIELDS : BI_RGB;
    auto* colours = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
    if (bitsPerPixel == 16) {
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(colours, masks, sizeof masks);
    } else if (bitsPerPixel == 8) {
        header->biClrUsed = 256;
        for (int i = 0; i < 256; ++i) {
            const int grey = (i - 216) * 255 / 39;
            colours[i] = i < 216 ? RGBQUAD{BYTE(i % 6 * 51), BYTE(i / 6 % 6 * 51), BYTE(i / 36 * 51), 0}
                                 : RGBQUAD{BYTE(grey), BYTE(grey), BYTE(grey), 0};
        }
    }
    void* bits = nullptr;
    return CBitmapObject(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                            &bits, nullptr, 0));
}

}  // namespace

HRGN RegionOutsideShapeColour(HBITMAP dib)
{
    DIBSECTION section{};
    if (::GetObjectA(dib, sizeof section, &section) != sizeof section || !section.dsBm.bmBits)
        return nullptr;
    const int bitsPerPixel = section.dsBm.bmBitsPixel;
    if (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32)
        return nullptr;
    ::GdiFlush();
    const std::vector<bool> entries = bitsPerPixel == 8 ? ShapeEntries(dib) : std::vector<bool>();
    const int width = section.dsBm.bmWidth;
    const int height = std::abs(section.dsBm.bmHeight);
    const bool topDown = section.dsBmih.biHeight < 0;
    const auto* bits = static_cast<const uint8_t*>(section.dsBm.bmBits);
    std::vector<RECT> runs;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = bits + size_t(topDown ? y : height - 1 - y) * section.dsBm.bmWidthBytes;
        for (int x = 0; x < width;) {
            while (x < width && IsShapePixel(row, x, bitsPerPixel, entries))
                ++x;
            const int start = x;
            while (x < width && !IsShapePixel(row, x, bitsPerPixel, entries))
                ++x;
            if (x > start)
                runs.push_back({start, y, x, y + 1});
        }
    }
    return RegionOfRects(runs);
}

HRGN PushButtonShape(const NineGridImage& image, const ImageResolver& images, SIZE size, int bitsPerPixel,
                     COLORREF fill)
{
    CBitmapObject bitmap = size.cx > 0 && size.cy > 0 ? CreateShapeDib(size.cx, size.cy, bitsPerPixel)
                                                       : CBitmapObject();
    if (!bitmap)
        return nullptr;
    {
        CMemoryDC dc(nullptr);
        CSelectObject selected(dc.Get(), bitmap.Get());
        const RECT all{0, 0, size.cx, size.cy};
        FillSolid(dc.Get(), all, fill);
        DrawNineGridImage(dc.Get(), all, image, images, fill);
    }
    return RegionOutsideShapeColour(bitmap.Get());
}

}  // namespace skin
