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
    AddPaintedImage(*result, IMAGE, kCell * kColumns, kCell * kRows,
                    [](int x, int y) { return CellColour(y / kCell, x / kCell); });
    for (int type : {kTypeEdit, kTypeListBox, kTypeListView}) {
        auto& field = dynamic_cast<ClientEdgeControl&>(*AddObject(*result, type));
        field.m_backColour = kFieldBack | parts.spareByte;
        field.m_thirdColour = kFieldDisabled | parts.spareByte;
        field.m_textColour = kFieldText | parts.spareByte;
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
