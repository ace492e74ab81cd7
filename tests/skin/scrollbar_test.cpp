// Skinned scroll bars under the mouse, on a window of the test's own class:
// arrow repeat, thumb dragging, the room the bars get, the corner and
// disabled arrows.
#include "ScrollTestHost.h"

#include "skin/engine/EngineState.h"
#include "skin/scrollbar/SkinnedScrollBars.h"
#include "support/PixelCanvas.h"

using namespace skin;

namespace {

const char* const PANE_CLASS = "ScrollTestPane";

class ScrollBarLayerTest : public ScrollSkinTest {
protected:
    static void SetUpTestSuite()
    {
        ScrollSkinTest::SetUpTestSuite();
        WNDCLASSA pane{};
        pane.lpfnWndProc = DefWindowProcA;
        pane.hInstance = GetModuleHandleA(nullptr);
        pane.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        pane.lpszClassName = PANE_CLASS;
        RegisterClassA(&pane);
    }

    // A pane of the given size with both bars, skinned from the skin, each
    // scrolling 100 positions with a page of 10.
    HWND AddPane(int width, int height)
    {
        HWND pane = m_dialog->Add(PANE_CLASS, WS_HSCROLL | WS_VSCROLL, width, height, 0);
        EXPECT_TRUE(InstallSkinnedScrollBars(pane));
        SizeSkinnedScrollBarsFromSkin(pane, Engine().manager.CurrentSkin());
        for (int bar : {SB_HORZ, SB_VERT}) {
            SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
            SetScrollInfo(pane, bar, &info, TRUE);
        }
        // Where the system's functions are not redirected, the layer takes
        // their result at the window's next message.
        SendMessageA(pane, SKINMSG_REFRESH_SCROLLBARS, 0, 0);
        PumpMessages();
        return pane;
    }
};

TEST_F(ScrollBarLayerTest, HoldingAnArrowScrollsAtOnceAfter300MsThenEvery55Ms)
{
    HWND pane = AddPane(200, 200);
    ScrollRecorder recorder;
    const POINT arrow = BarPoint(pane, SB_VERT, BarLength(pane, SB_VERT) - kBarSize / 2);
    PressAt(pane, arrow);
    const bool repeated = [&] {
        for (int i = 0; i < 250 && recorder.WithCode(SB_LINEDOWN).size() < 8; ++i)
            PumpFor(20);
        return recorder.WithCode(SB_LINEDOWN).size() >= 8;
    }();
    ReleaseAt(pane, arrow);
    ASSERT_TRUE(repeated) << "the arrow stopped repeating";

    const auto lines = recorder.WithCode(SB_LINEDOWN);
    const double firstDelay = ScrollRecorder::Between(lines[0], lines[1]);
    EXPECT_GE(firstDelay, 290.0);
    EXPECT_LE(firstDelay, 700.0) << "Wine's timers are late, but not that late";
    // A late tick is followed by an early one: the mean tells the period.
    const double period = ScrollRecorder::Between(lines[1], lines.back()) / static_cast<double>(lines.size() - 2);
    EXPECT_GE(period, 50.0);
    EXPECT_LE(period, 120.0) << "the repeat is not every 55 ms";
    EXPECT_EQ(SB_ENDSCROLL, recorder.Notices().back().code);
}

TEST_F(ScrollBarLayerTest, ADraggedThumbGoesBackWhenFarAwayAndResumesOnReturn)
{
    HWND pane = AddPane(200, 200);
    ScrollRecorder recorder;
    const int startThumb = DrawnThumbStart(pane, SB_VERT);
    ASSERT_GE(startThumb, kBarSize);
    const POINT grab = BarPoint(pane, SB_VERT, startThumb + 4);
    PressAt(pane, grab);

    const POINT down{grab.x, grab.y + 40};
    MoveTo(pane, down);
    int dragged = 0;
    ASSERT_TRUE(SkinnedScrollTrackPosition(pane, SB_VERT, dragged));
    EXPECT_GT(dragged, 0);
    EXPECT_EQ(startThumb + 40, DrawnThumbStart(pane, SB_VERT));

    MoveTo(pane, {down.x + 120, down.y});  // far across the bar
    int away = -1;
    ASSERT_TRUE(SkinnedScrollTrackPosition(pane, SB_VERT, away));
    EXPECT_EQ(0, away);
    EXPECT_EQ(startThumb, DrawnThumbStart(pane, SB_VERT));
    EXPECT_EQ(0, recorder.WithCode(SB_THUMBTRACK).back().position);

    MoveTo(pane, {down.x + 10, down.y});  // back within reach
    int resumed = -1;
    ASSERT_TRUE(SkinnedScrollTrackPosition(pane, SB_VERT, resumed));
    EXPECT_EQ(dragged, resumed);
    EXPECT_EQ(startThumb + 40, DrawnThumbStart(pane, SB_VERT));

    ReleaseAt(pane, down);
    const auto& notices = recorder.Notices();
    ASSERT_GE(notices.size(), 2u);
    EXPECT_EQ(SB_THUMBPOSITION, notices[notices.size() - 2].code);
    EXPECT_EQ(dragged, notices[notices.size() - 2].position);
    EXPECT_EQ(SB_ENDSCROLL, notices.back().code);
    EXPECT_FALSE(SkinnedScrollTrackPosition(pane, SB_VERT, resumed));
}

TEST_F(ScrollBarLayerTest, ABarGetsRoomOnlyWhereTheClientAreaExceedsItsWidth)
{
    const struct {
        int width, height;
        bool horizontal, vertical;
    } rows[] = {
        {200, 200, true, true},
        {200, 12, false, true},  // no taller than the bar: the horizontal bar stays hidden
        {12, 200, true, false},  // narrower than the bar: the vertical bar stays hidden
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.width << " x " << row.height);
        HWND pane = AddPane(row.width, row.height);
        RECT client{};
        GetClientRect(pane, &client);
        const bool bars[] = {row.horizontal, row.vertical};
        for (int bar : {SB_HORZ, SB_VERT}) {
            SCROLLBARINFO info{};
            info.cbSize = sizeof info;
            ASSERT_TRUE(GetSkinnedScrollBarInfo(pane, bar, info));
            EXPECT_EQ(!bars[bar], (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0);
        }
        EXPECT_EQ(row.width - (row.vertical ? kBarSize : 0), client.right);
        EXPECT_EQ(row.height - (row.horizontal ? kBarSize : 0), client.bottom);
        DestroyWindow(pane);
    }
}

TEST_F(ScrollBarLayerTest, TheCornerShowsTheGripperAndTheBarsTheirParts)
{
    HWND pane = AddPane(200, 160);
    RedrawWindow(pane, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(CellColour(0, kCellGripper), WindowPixel(pane, 200 - kBarSize / 2, 160 - kBarSize / 2));
    EXPECT_EQ(CellColour(0, kCellArrow1), WindowPixel(pane, 200 - kBarSize / 2, 3));
    EXPECT_EQ(CellColour(0, kCellArrow2), WindowPixel(pane, 200 - kBarSize / 2, 160 - kBarSize - 3));
    EXPECT_EQ(CellColour(0, kCellTrack), WindowPixel(pane, 200 - kBarSize / 2, 100));
    EXPECT_EQ(CellColour(0, kCellArrow2), WindowPixel(pane, 200 - kBarSize - 3, 160 - kBarSize / 2));
}

TEST_F(ScrollBarLayerTest, ADisabledArrowIgnoresClicksAndLooksDisabled)
{
    HWND pane = AddPane(200, 200);
    EnableScrollBar(pane, SB_VERT, ESB_DISABLE_DOWN);
    SendMessageA(pane, SKINMSG_REFRESH_SCROLLBARS, 0, 0);
    ScrollRecorder recorder;
    const int length = BarLength(pane, SB_VERT);
    ClickAt(pane, BarPoint(pane, SB_VERT, length - 3));
    EXPECT_TRUE(recorder.Notices().empty());
    EXPECT_EQ(CellColour(3, kCellArrow2), WindowPixel(pane, 200 - kBarSize / 2, length - 3));

    ClickAt(pane, BarPoint(pane, SB_VERT, 3));
    EXPECT_EQ(1u, recorder.WithCode(SB_LINEUP).size()) << "the other arrow still works";
}

TEST_F(ScrollBarLayerTest, ANewSkinGivesEveryWindowsBarsItsSize)
{
    HWND panes[] = {AddPane(200, 200), AddPane(150, 150)};
    ScrollSkinParts parts;
    parts.arrowWidth = 24;
    ASSERT_NE(0, LoadTestSkin(*MakeScrollSkin(parts)));
    for (HWND pane : panes) {
        RECT client{};
        GetClientRect(pane, &client);
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetSkinnedScrollBarInfo(pane, SB_VERT, info));
        EXPECT_EQ(24, info.rcScrollBar.right - info.rcScrollBar.left);
        EXPECT_EQ(24, info.dxyLineButton);
        RECT frame{};
        GetWindowRect(pane, &frame);
        EXPECT_EQ(frame.right - frame.left - 24, client.right);
    }
}

}  // namespace
