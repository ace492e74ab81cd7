#include "ScrollTestSkin.h"

#include "TestSkins.h"
#include "skin/core/ControlObjects.h"
#include "skin/core/PlainObjects.h"

#include <cstring>
#include <vector>

using namespace skin;

namespace {

const char* const IMAGE = "cells";
constexpr int kCell = 16;
constexpr int kColumns = 6;
constexpr int kRows = 4;

void PutLe(std::vector<uint8_t>& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A 24-bit bottom-up BMP of the cells.
std::vector<uint8_t> CellsBitmap()
{
    const int width = kCell * kColumns, height = kCell * kRows;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> bytes{'B', 'M'};
    PutLe(bytes, 54 + stride * height, 4);
    PutLe(bytes, 0, 4);
    PutLe(bytes, 54, 4);
    for (uint32_t value : {40u, static_cast<uint32_t>(width), static_cast<uint32_t>(height)})
        PutLe(bytes, value, 4);
    PutLe(bytes, 1, 2);
    PutLe(bytes, 24, 2);
    for (int i = 0; i < 6; ++i)
        PutLe(bytes, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF colour = CellColour(y / kCell, x / kCell);
            bytes.push_back(GetBValue(colour));
            bytes.push_back(GetGValue(colour));
            bytes.push_back(GetRValue(colour));
        }
        for (int pad = width * 3; pad < stride; ++pad)
            bytes.push_back(0);
    }
    return bytes;
}

SkinRect CellRect(int state, int cell) { return {cell * kCell, state * kCell, (cell + 1) * kCell, (state + 1) * kCell}; }

ImageSlice Slice(int state, int cell, int width = kCell)
{
    ImageSlice slice{};
    std::strcpy(slice.imageName, IMAGE);
    slice.source = CellRect(state, cell);
    slice.source.right = slice.source.left + width;
    slice.mode = kSliceStretch;
    return slice;
}

NineGridImage Grid(int state, int cell, int margin = 0)
{
    NineGridImage grid{};
    std::strcpy(grid.imageName, IMAGE);
    grid.source = CellRect(state, cell);
    grid.marginLeft = grid.marginTop = grid.marginRight = grid.marginBottom = margin;
    grid.fillMode = 1;
    return grid;
}

}  // namespace

COLORREF CellColour(int state, int cell) { return RGB(17 + cell * 40, 23 + state * 50, 211 - cell * 30); }

std::unique_ptr<Skin> MakeScrollSkin(ScrollSkinParts parts)
{
    auto result = MakeSkin({});
    auto image = std::make_unique<SkinImage>();
    image->SetName(IMAGE);
    image->SetEncoded(CellsBitmap(), kImageBmp);
    result->AddImage(std::move(image));
    for (int type : {kTypeEdit, kTypeListBox, kTypeListView}) {
        auto& field = dynamic_cast<ClientEdgeControl&>(*AddObject(*result, type));
        field.m_backColour = kFieldBack;
        field.m_thirdColour = kFieldDisabled;
        field.m_textColour = kFieldText;
        if (parts.border)
            field.m_image = Grid(0, kCellBorder, 2);
    }
    if (parts.scrollBar) {
        auto& bar = dynamic_cast<ScrollBar&>(*AddObject(*result, kTypeScrollBar));
        for (int state = 0; state < kRows; ++state)
            for (int vertical : {0, static_cast<int>(kScrollVNormal)})
                bar.m_states[state + vertical] = {Slice(state, kCellArrow1, parts.arrowWidth),
                                                  Slice(state, kCellArrow2, parts.arrowWidth),
                                                  Grid(state, kCellTrack), Grid(state, kCellThumb)};
        bar.m_gripper = Slice(0, kCellGripper);
    }
    return result;
}

COLORREF WindowPixel(HWND hwnd, int x, int y)
{
    HDC dc = GetWindowDC(hwnd);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return colour;
}
