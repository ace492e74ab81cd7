#include "ScrollTestSkin.h"

#include "SkinParts.h"
#include "TestSkins.h"
#include "skin/core/ControlObjects.h"
#include "skin/core/PlainObjects.h"

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
    SkinRect source = CellRect(state, cell);
    source.right = source.left + width;
    return ::Slice(IMAGE, source, kSliceStretch);
}

NineGridImage Grid(int state, int cell, int margin = 0) { return ::Grid(IMAGE, CellRect(state, cell), margin); }

}  // namespace

COLORREF CellColour(int state, int cell) { return RGB(17 + cell * 40, 23 + state * 50, 211 - cell * 30); }

std::unique_ptr<Skin> MakeScrollSkin(ScrollSkinParts parts)
{
    auto result = MakeSkin({});
    AddPaintedImage(*result, IMAGE, kCell * kColumns, kCell * kRows,
                    [](int x, int y) { return CellColour(y / kCell, x / kCell); });
    for (int type : {kTypeEdit, kTypeListBox, kTypeListView}) {
        auto& field = AddObjectAs<ClientEdgeControl>(*result, type);
        field.m_backColour = kFieldBack | parts.spareByte;
        field.m_thirdColour = kFieldDisabled | parts.spareByte;
        field.m_textColour = kFieldText | parts.spareByte;
        if (parts.border)
            field.m_image = Grid(0, kCellBorder, 2);
    }
    if (parts.scrollBar) {
        auto& bar = AddObjectAs<ScrollBar>(*result, kTypeScrollBar);
        for (int state = 0; state < kRows; ++state)
            for (int vertical : {0, static_cast<int>(kScrollVNormal)})
                bar.m_states[state + vertical] = {Slice(state, kCellArrow1, parts.arrowWidth),
                                                  Slice(state, kCellArrow2, parts.arrowWidth),
                                                  Grid(state, kCellTrack), Grid(state, kCellThumb)};
        bar.m_gripper = Slice(0, kCellGripper);
    }
    return result;
}
