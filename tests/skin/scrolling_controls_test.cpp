// Edit fields and list controls under a skin: their colours, their border,
// which of them get skinned scroll bars, and bars that stay true to the
// control's scroll state whatever scrolls it, on every family of Windows the
// copies of this suite run as.
#include "ScrollTestHost.h"

#include "skin/SkinEngine.h"
#include "skin/scrollbar/SkinnedScrollBars.h"
#include "support/GuiObjects.h"
#include "support/PixelCanvas.h"

#include <commctrl.h>

#include <functional>
#include <string>

using namespace skin;

namespace {

using ScrollingControlsTest = ScrollSkinTest;

TEST_F(ScrollingControlsTest, FieldsAndListsTakeTheBackColourOrWhenDisabledOrReadOnlyTheDisabledColour)
{
    constexpr Colour kSpareByte = 0xFF000000;
    const struct {
        const char* name;
        const char* className;
        DWORD style;
        COLORREF background;
        Colour spareByte;  // on every colour of the skin's field objects
    } rows[] = {
        {"enabled", "Edit", 0, kFieldBack, 0},
        {"disabled", "Edit", WS_DISABLED, kFieldDisabled, 0},
        {"read-only", "Edit", ES_READONLY, kFieldDisabled, 0},
        {"enabled, colours with their spare byte", "Edit", 0, kFieldBack, kSpareByte},
        {"read-only, colours with their spare byte", "Edit", ES_READONLY, kFieldDisabled, kSpareByte},
        {"list box, colours with their spare byte", "ListBox", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kFieldBack,
         kSpareByte},
        {"list view, colours with their spare byte", WC_LISTVIEWA, LVS_REPORT | LVS_NOCOLUMNHEADER, kFieldBack,
         kSpareByte},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScrollSkinParts parts;
        parts.spareByte = row.spareByte;
        ASSERT_NE(0, LoadTestSkin(*MakeScrollSkin(parts)));
        HWND field = m_dialog->Add(row.className, row.style, 120, 24);
        ASSERT_TRUE(WaitForSkinnedBars(field));
        SetWindowTextA(field, "text");
        RedrawWindow(field, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        RECT client{};
        GetClientRect(field, &client);
        const int edge = GetSystemMetrics(SM_CXEDGE);
        EXPECT_EQ(row.background, WindowPixel(field, edge + client.right - 3, edge + client.bottom - 3));
        EXPECT_EQ(24 - 2 * GetSystemMetrics(SM_CYEDGE), client.bottom) << "a field without bars got one";
        DestroyWindow(field);
    }
}

TEST_F(ScrollingControlsTest, OwnerDrawnListsKeepTheSystemLookAndBars)
{
    const struct {
        const char* className;
        DWORD style;
        bool skinned;
    } rows[] = {
        {"SysListView32", LVS_REPORT, true},
        {"SysListView32", LVS_REPORT | LVS_OWNERDRAWFIXED, false},
        {"ListBox", LBS_NOTIFY, true},
        {"ListBox", LBS_OWNERDRAWFIXED, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.className) + " " + std::to_string(row.style));
        HWND list = m_dialog->Add(row.className, row.style | WS_VSCROLL, 150, 100);
        EXPECT_EQ(row.skinned, WaitForSkinnedBars(list));
        EXPECT_EQ(row.skinned, Skinned(list) != nullptr);
        DestroyWindow(list);
    }
}

TEST_F(ScrollingControlsTest, TheBorderImageReplacesTheSystemBorderOnlyWhenTheSkinHasOne)
{
    for (bool border : {true, false}) {
        SCOPED_TRACE(border ? "with BORDER" : "without BORDER");
        ScrollSkinParts parts;
        parts.border = border;
        ASSERT_NE(0, LoadTestSkin(*MakeScrollSkin(parts)));
        HWND edit = m_dialog->Add("Edit", 0, 120, 24);
        RedrawWindow(edit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(border, WindowPixel(edit, 0, 12) == CellColour(0, kCellBorder));
        EXPECT_EQ(border, WindowPixel(edit, 119, 12) == CellColour(0, kCellBorder));
        DestroyWindow(edit);
    }
}

// ---- bars true to the control's scroll state

constexpr int kRows = 100;

struct ListKind {
    const char* name;
    const char* className;
    DWORD style;
    UINT topIndexMessage;
};

const ListKind LIST_KINDS[] = {
    {"list view", WC_LISTVIEWA, LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS, LVM_GETTOPINDEX},
    {"list box", "ListBox", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, LB_GETTOPINDEX},
};

HWND FilledList(ShownDialog& dialog, const ListKind& kind)
{
    HWND list = dialog.Add(kind.className, kind.style | WS_VSCROLL | WS_TABSTOP, 220, 160);
    const bool listView = kind.topIndexMessage == LVM_GETTOPINDEX;
    if (listView) {
        LVCOLUMNA column{LVCF_WIDTH, 0, 180, nullptr, 0, 0, 0, 0};
        SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    }
    for (int row = 0; row < kRows; ++row) {
        std::string text = "row " + std::to_string(row);
        if (listView) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.pszText = text.data();
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        } else {
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
    }
    PumpMessages();
    return list;
}

::testing::AssertionResult BarAgrees(HWND list, UINT topIndexMessage)
{
    PumpMessages();
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(list, SB_VERT, &info);
    const int top = static_cast<int>(SendMessageA(list, topIndexMessage, 0, 0));
    const int drawn = DrawnThumbStart(list, SB_VERT);
    const int expected = ThumbStartFromScrollInfo(list, SB_VERT);
    if (info.nPos == top && drawn >= 0 && std::abs(drawn - expected) <= 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "position " << info.nPos << " (range " << info.nMin << "-" << info.nMax
                                         << ", page " << info.nPage << "), top row " << top << ", thumb drawn at "
                                         << drawn << " for " << expected;
}

TEST_F(ScrollingControlsTest, ASkinWithoutScrollBarObjectLeavesTheSystemBars)
{
    ScrollSkinParts parts;
    parts.scrollBar = false;
    ASSERT_NE(0, LoadTestSkin(*MakeScrollSkin(parts)));
    HWND list = FilledList(*m_dialog, LIST_KINDS[0]);
    PumpFor(100);
    EXPECT_EQ("ListView", WornObject(list));
    EXPECT_FALSE(HasSkinnedScrollBars(list));
    EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) << "the system's bar is gone";
}

class ScrollFamilies : public ScrollingControlsTest, public ::testing::WithParamInterface<ListKind> {};

TEST_P(ScrollFamilies, TheSkinnedBarShowsTheControlsScrollStateAfterEveryKindOfScroll)
{
    const UINT topIndex = GetParam().topIndexMessage;
    HWND list = FilledList(*m_dialog, GetParam());
    ASSERT_TRUE(WaitForSkinnedBars(list));
    SetFocus(list);

    const int length = BarLength(list, SB_VERT);
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"filled", [] {}},
        {"page-down key", [&] { SendMessageA(list, WM_KEYDOWN, VK_NEXT, 0); }},
        {"down key", [&] { SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0); }},
        {"wheel", [&] { SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0); }},
        {"SetScrollPos and the thumb's place sent",
         [&] {
             SetScrollPos(list, SB_VERT, 40, TRUE);
             SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), 0);
         }},
        {"down arrow", [&] { ClickAt(list, BarPoint(list, SB_VERT, length - 4)); }},
        {"up arrow", [&] { ClickAt(list, BarPoint(list, SB_VERT, 4)); }},
        {"track below the thumb", [&] { ClickAt(list, BarPoint(list, SB_VERT, length - kBarSize - 2)); }},
        {"thumb dragged",
         [&] {
             const POINT grab = BarPoint(list, SB_VERT, DrawnThumbStart(list, SB_VERT) + 3);
             PressAt(list, grab);
             MoveTo(list, {grab.x, grab.y - 30});
             ReleaseAt(list, {grab.x, grab.y - 30});
         }},
        {"home key", [&] { SendMessageA(list, WM_KEYDOWN, VK_HOME, 0); }},
        {"end key", [&] { SendMessageA(list, WM_KEYDOWN, VK_END, 0); }},
        {"made taller", [&] { SetWindowPos(list, nullptr, 0, 0, 220, 260, SWP_NOMOVE | SWP_NOZORDER); }},
        {"made shorter", [&] { SetWindowPos(list, nullptr, 0, 0, 220, 120, SWP_NOMOVE | SWP_NOZORDER); }},
    };
    int previousTop = -1;
    int moves = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.first);
        step.second();
        EXPECT_TRUE(BarAgrees(list, topIndex));
        const int top = static_cast<int>(SendMessageA(list, topIndex, 0, 0));
        moves += top != previousTop;
        previousTop = top;
    }
    EXPECT_GE(moves, 8) << "the steps should scroll the list";
}

INSTANTIATE_TEST_SUITE_P(Lists, ScrollFamilies, ::testing::ValuesIn(LIST_KINDS),
                         [](const auto& info) { return std::string(info.param.name).replace(4, 1, "_"); });

TEST_F(ScrollingControlsTest, RepaintsAndScrollStepsLeaveNoGdiOrUserObjects)
{
    HWND list = FilledList(*m_dialog, LIST_KINDS[0]);
    ASSERT_TRUE(WaitForSkinnedBars(list));
    const int length = BarLength(list, SB_VERT);
    int step = 0;
    EXPECT_TRUE(LeavesNoGuiObjects([&] {
        RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        ClickAt(list, BarPoint(list, SB_VERT, (++step % 2) ? length - 4 : 4));
    }, 1000));
}

}  // namespace
