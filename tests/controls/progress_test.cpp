#include "controls/PercentProgressCtrl.h"
#include "ControlHost.h"
#include "support/GuiObjects.h"
#include "support/MessageSequence.h"
#include "support/PixelCanvas.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override { Make(0, 300, 20); }

    void Make(DWORD style, int width, int height)
    {
        m_bar = std::make_unique<CPercentProgressCtrl>();
        HWND hwnd = m_host.CreateChild(PROGRESS_CLASSA, style, width, height);
        ASSERT_TRUE(m_bar->SubclassWindow(hwnd));
    }
    void TearDown() override { m_bar->DestroyWindow(); }

    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return m_bar->SendMessage(msg, wp, lp); }
    HWND Bar() const { return m_bar->GetSafeHwnd(); }
    std::vector<COLORREF> Render(int width = 300, int height = 20)
    {
        PixelCanvas canvas(width, height);
        canvas.PrintClient(Bar());
        return canvas.Pixels();
    }

    static COLORREF Highlight() { return ::GetSysColor(COLOR_HIGHLIGHT); }
    static COLORREF Window() { return ::GetSysColor(COLOR_WINDOW); }

    ControlHost& m_host = ControlHost::Shared();
    std::unique_ptr<CPercentProgressCtrl> m_bar;
};

TEST_F(ProgressTest, AnswersEachMessageOfItsTable)
{
    EXPECT_EQ(0, Send(PBM_GETPOS));
    EXPECT_EQ(200, Send(PBM_SETRANGE, 0, MAKELPARAM(10, 200)));
    PBRANGE range{};
    EXPECT_EQ(10, Send(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
    EXPECT_EQ(10, range.iLow);
    EXPECT_EQ(200, range.iHigh);
    EXPECT_EQ(200, Send(PBM_GETRANGE, FALSE, 0));
    EXPECT_EQ(70000, Send(PBM_SETRANGE32, static_cast<WPARAM>(-5), 70000));
    EXPECT_EQ(-5, Send(PBM_GETRANGE, TRUE, 0));
    Send(PBM_SETRANGE32, 0, 100);

    EXPECT_EQ(0, Send(PBM_SETPOS, 40));
    EXPECT_EQ(40, Send(PBM_DELTAPOS, 15));
    EXPECT_EQ(55, Send(PBM_GETPOS));
    EXPECT_EQ(1, Send(PBM_SETSTEP, 30));
    EXPECT_EQ(55, Send(PBM_STEPIT));
    EXPECT_EQ(85, Send(PBM_STEPIT));
    EXPECT_EQ(115, Send(PBM_GETPOS)) << "stepping past the upper bound keeps counting";

    EXPECT_EQ(static_cast<LRESULT>(CLR_DEFAULT), Send(PBM_SETBARCOLOR, 0, RGB(1, 2, 3)));
    EXPECT_EQ(static_cast<LRESULT>(RGB(1, 2, 3)), Send(PBM_SETBARCOLOR, 0, RGB(4, 5, 6)));
    EXPECT_EQ(static_cast<LRESULT>(CLR_DEFAULT), Send(PBM_SETBKCOLOR, 0, RGB(7, 8, 9)));
    EXPECT_EQ(static_cast<LRESULT>(CLR_DEFAULT), Send(UWM_PROGRESS_TEXTCOLOUR, 0, RGB(10, 11, 12)));
    EXPECT_EQ(static_cast<LRESULT>(RGB(10, 11, 12)), Send(UWM_PROGRESS_TEXTCOLOUR, 0, RGB(0, 0, 0)));
    HDC dc = ::GetDC(Bar());
    EXPECT_EQ(1, Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
    ::ReleaseDC(Bar(), dc);
    CPercentProgressCtrl detached;
    EXPECT_EQ(-1, detached.SetPos(5)) << "no window, nothing stored";
}

TEST_F(ProgressTest, StepAndDeltaGoThroughSetPos)
{
    MessageRecorder recorder(Bar(), m_host.Hwnd());
    Send(PBM_STEPIT);
    Send(PBM_DELTAPOS, 5);
    static const ExpectedMessage expected[] = {
        {PBM_STEPIT, 0, 0, 0},
        {PBM_SETPOS, SEQ_WPARAM, 1, 0},
        {PBM_DELTAPOS, SEQ_WPARAM, 5, 0},
        {PBM_SETPOS, SEQ_WPARAM, 6, 0},
        {0, 0, 0, 0},
    };
    EXPECT_TRUE(recorder.Matches(expected, "step and delta"));
}

TEST_F(ProgressTest, CaptionTextFollowsTheTextContract)
{
    EXPECT_TRUE(::SetWindowTextA(Bar(), "37%"));
    char buffer[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(2, Send(WM_GETTEXT, 3, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ("37", buffer) << "at most size - 1 bytes and a terminating zero";
    EXPECT_EQ(3, Send(WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ("37%", buffer);
    EXPECT_EQ(0, Send(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)));
    Send(WM_SETTEXT, 0, 0);
    EXPECT_EQ(0, Send(WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ("", buffer) << "a null text empties the caption";
}

TEST_F(ProgressTest, HalfWayFillsExactlyHalfTheColumnsWithTheCaptionInTheOppositeColours)
{
    Send(PBM_SETPOS, 50);
    PixelCanvas canvas(300, 20);
    canvas.PrintClient(Bar());
    // The top row lies above the caption: it shows the split alone.
    EXPECT_EQ(150, canvas.CountColour(Highlight(), 0, 0, 300, 1));
    EXPECT_EQ(150, canvas.CountColour(Highlight(), 0, 0, 150, 1));
    EXPECT_EQ(150, canvas.CountColour(Window(), 150, 0, 300, 1));
    // "50%" is centred on the split: window-coloured text over the bar,
    // highlight-coloured text over the empty part, nothing else.
    EXPECT_GT(canvas.CountColour(Window(), 120, 0, 150, 20), 0);
    EXPECT_GT(canvas.CountColour(Highlight(), 150, 0, 180, 20), 0);
}

TEST_F(ProgressTest, APositionChangePaintsTheScreenAtOnce)
{
    Send(PBM_SETPOS, 50);
    EXPECT_EQ(Highlight(), ClientPixel(Bar(), 10, 0));
    EXPECT_EQ(Highlight(), ClientPixel(Bar(), 149, 0));
    EXPECT_EQ(Window(), ClientPixel(Bar(), 150, 0));
    EXPECT_EQ(Window(), ClientPixel(Bar(), 290, 0));
}

TEST_F(ProgressTest, AFreshBarShowsZeroPercentOnTheWindowColour)
{
    PixelCanvas canvas(300, 20);
    canvas.PrintClient(Bar());
    EXPECT_EQ(0, canvas.CountColour(Highlight(), 0, 0, 300, 1));
    EXPECT_GT(canvas.CountColour(Highlight(), 130, 0, 170, 20), 0) << "the caption 0% in the bar colour";
    const std::vector<COLORREF> computed = canvas.Pixels();
    ::SetWindowTextA(Bar(), "0%");
    EXPECT_EQ(computed, Render());
}

TEST_F(ProgressTest, ThePercentageIsTruncated)
{
    Send(PBM_SETRANGE32, 0, 3);
    Send(PBM_SETPOS, 2);
    const std::vector<COLORREF> computed = Render();
    ::SetWindowTextA(Bar(), "66%");
    EXPECT_EQ(computed, Render());
    ::SetWindowTextA(Bar(), "67%");
    EXPECT_NE(computed, Render());
}

TEST_F(ProgressTest, AStoredCaptionWinsUntilEmptied)
{
    Send(PBM_SETPOS, 80);
    const std::vector<COLORREF> computed = Render();
    ::SetWindowTextA(Bar(), "37%");
    Send(PBM_SETPOS, 90);
    Send(PBM_SETPOS, 80);
    const std::vector<COLORREF> captioned = Render();
    EXPECT_NE(computed, captioned);
    ::SetWindowTextA(Bar(), "80%");
    EXPECT_EQ(computed, Render()) << "the stored caption is what was shown";
    ::SetWindowTextA(Bar(), "");
    EXPECT_EQ(computed, Render());
}

TEST_F(ProgressTest, HiddenCaptionAndColoursOfOwnChoice)
{
    Send(PBM_SETPOS, 25);
    Send(UWM_PROGRESS_SHOWTEXT, FALSE);
    Send(PBM_SETBARCOLOR, 0, RGB(0, 128, 0));
    Send(PBM_SETBKCOLOR, 0, RGB(255, 255, 0));
    PixelCanvas canvas(300, 20);
    canvas.PrintClient(Bar());
    EXPECT_EQ(75 * 20, canvas.CountColour(RGB(0, 128, 0), 0, 0, 75, 20));
    EXPECT_EQ(225 * 20, canvas.CountColour(RGB(255, 255, 0), 75, 0, 300, 20));
}

TEST_F(ProgressTest, APositionAboveTheRangeFillsTheWholeBar)
{
    Send(PBM_SETPOS, 150);
    PixelCanvas canvas(300, 20);
    canvas.PrintClient(Bar());
    EXPECT_EQ(300, canvas.CountColour(Highlight(), 0, 0, 300, 1));
    const std::vector<COLORREF> computed = canvas.Pixels();
    ::SetWindowTextA(Bar(), "150%");
    EXPECT_EQ(computed, Render());
}

TEST_F(ProgressTest, VerticalBarsFillFromTheBottomWithoutCaption)
{
    m_bar->DestroyWindow();
    Make(PBS_VERTICAL, 20, 100);
    Send(PBM_SETPOS, 25);
    PixelCanvas canvas(20, 100);
    canvas.PrintClient(Bar());
    EXPECT_EQ(25 * 20, canvas.CountColour(Highlight(), 0, 75, 20, 100));
    EXPECT_EQ(75 * 20, canvas.CountColour(Window(), 0, 0, 20, 75));
}

TEST_F(ProgressTest, AnEmptyOrInvertedRangeDrawsNothing)
{
    for (int upper : {0, -10}) {
        Send(PBM_SETRANGE32, 0, static_cast<LPARAM>(upper));
        Send(PBM_SETPOS, 5);
        PixelCanvas canvas(300, 20);
        canvas.Fill(RGB(1, 2, 3));
        canvas.PrintClient(Bar());
        EXPECT_EQ(300 * 20, canvas.CountColour(RGB(1, 2, 3), 0, 0, 300, 20)) << "upper bound " << upper;
    }
}

TEST_F(ProgressTest, OnlyAMoveOfAWholePixelRepaints)
{
    Send(PBM_SETRANGE32, 0, 1000);
    Send(PBM_SETPOS, 100);  // 30 pixels
    ::UpdateWindow(Bar());
    MessageRecorder recorder(Bar(), m_host.Hwnd());
    Send(PBM_SETPOS, 101);  // 30.3 pixels
    static const ExpectedMessage noPaint[] = {{PBM_SETPOS, 0, 0, 0}, {0, 0, 0, 0}};
    EXPECT_TRUE(recorder.Matches(noPaint, "sub-pixel move", {WM_PAINT}));
    recorder.Clear();
    Send(PBM_SETPOS, 104);  // 31.2 pixels
    static const ExpectedMessage painted[] = {
        {PBM_SETPOS, 0, 0, 0},
        {WM_PAINT, 0, 0, 0},
        {0, 0, 0, 0},
    };
    EXPECT_TRUE(recorder.Matches(painted, "whole-pixel move"));
    // Without the move, the shown percentage stays where it was.
    Send(PBM_SETPOS, 100);
    recorder.Clear();
    Send(PBM_SETPOS, 102);
    EXPECT_TRUE(recorder.Matches(noPaint, "another sub-pixel move", {WM_PAINT}));
    // A resize forgets the filled width: the next change repaints whatever it is.
    Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 20));
    recorder.Clear();
    Send(PBM_SETPOS, 101);
    EXPECT_TRUE(recorder.Matches(painted, "after a resize"));
}

TEST_F(ProgressTest, RepeatedPaintingAndControlsLeaveNoObjectsBehind)
{
    auto cycle = [&] {
        m_bar->DestroyWindow();
        Make(0, 300, 20);
        Send(PBM_SETPOS, 33);
        PixelCanvas canvas(300, 20);
        canvas.PrintClient(Bar());
        ::UpdateWindow(Bar());
    };
    EXPECT_TRUE(LeavesNoGuiObjects(cycle));
}

}  // namespace
