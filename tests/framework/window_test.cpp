#include "framework/Application.h"
#include "framework/StandardControls.h"
#include "framework/WorkerThread.h"
#include "support/GuiObjects.h"
#include "support/MessageSequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A parent that counts the commands and colour requests that reach it.
class CountingParent : public CWindowBase {
public:
    int commands = 0;
    int colourRequests = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case WM_COMMAND: return OnCommand();
        case WM_CTLCOLORSTATIC: return OnCtlColor();
        default: return CWindowBase::WindowProc(msg, wp, lp);
        }
    }

private:
    LRESULT OnCommand() { ++commands; return 0; }
    LRESULT OnCtlColor() { ++colourRequests; return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH)); }
};

// A child that handles WM_SETTEXT itself, answers reflected messages as told
// and records its own end.
class ReflectingChild : public CWindowBase {
public:
    LRESULT commandAnswer = 0;     // what the reflected WM_COMMAND answers
    HBRUSH colourAnswer = nullptr; // what the reflected WM_CTLCOLORSTATIC answers
    int reflectedCommands = 0;
    bool* destroyed = nullptr;     // set by PostNcDestroy

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case WM_GETTEXTLENGTH: return OnGetTextLength();
        case WM_REFLECT + WM_COMMAND: return OnReflectedCommand();
        case WM_REFLECT + WM_CTLCOLORSTATIC: return reinterpret_cast<LRESULT>(colourAnswer);
        default: return CWindowBase::WindowProc(msg, wp, lp);
        }
    }
    void PostNcDestroy() override
    {
        if (destroyed)
            *destroyed = true;
    }

private:
    LRESULT OnGetTextLength() { return 42; }
    LRESULT OnReflectedCommand() { ++reflectedCommands; return commandAnswer; }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_host = ::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr,
                                   nullptr);
        m_child = ::CreateWindowExA(0, "STATIC", "child", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 10, 100, 20, m_host,
                                    reinterpret_cast<HMENU>(7), nullptr, nullptr);
        ASSERT_TRUE(m_parent.SubclassWindow(m_host));
    }
    void TearDown() override { ::DestroyWindow(m_host); }

    LRESULT SendChildCommand() { return ::SendMessageA(m_host, WM_COMMAND, MAKEWPARAM(7, STN_CLICKED), reinterpret_cast<LPARAM>(m_child)); }

    HWND m_host = nullptr;
    HWND m_child = nullptr;
    CountingParent m_parent;
};

TEST_F(WindowTest, HandledMessagesStayAndTheRestReachThePreviousProcedure)
{
    ReflectingChild child;
    ASSERT_TRUE(child.SubclassWindow(m_child));
    EXPECT_EQ(&child, CWindowBase::FromHandle(m_child));
    EXPECT_EQ(42, ::GetWindowTextLengthA(m_child));
    ::SetWindowTextA(m_child, "changed");
    char text[16] = {};
    ::GetWindowTextA(m_child, text, sizeof text);
    EXPECT_STREQ("changed", text);  // WM_SETTEXT and WM_GETTEXT went on to the static control
    ReflectingChild second;
    EXPECT_FALSE(second.SubclassWindow(m_child)) << "a window has one object";
}

TEST_F(WindowTest, UnsubclassingRestoresTheWindowProcedure)
{
    const LONG_PTR original = ::GetWindowLongPtrA(m_child, GWLP_WNDPROC);
    {
        ReflectingChild child;
        ASSERT_TRUE(child.SubclassWindow(m_child));
        EXPECT_NE(original, ::GetWindowLongPtrA(m_child, GWLP_WNDPROC));
    }
    EXPECT_EQ(original, ::GetWindowLongPtrA(m_child, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWindowBase::FromHandle(m_child));
    EXPECT_EQ(5, ::GetWindowTextLengthA(m_child));
}

TEST_F(WindowTest, DestructionDetachesAtNcDestroy)
{
    bool destroyed = false;
    ReflectingChild child;
    child.destroyed = &destroyed;
    ASSERT_TRUE(child.SubclassWindow(m_child));
    ::DestroyWindow(m_child);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(nullptr, child.GetSafeHwnd());
}

TEST_F(WindowTest, ReflectedCommandAnsweredZeroGoesOnToTheParent)
{
    ReflectingChild child;
    ASSERT_TRUE(child.SubclassWindow(m_child));
    MessageRecorder recorder(m_child, m_host);
    SendChildCommand();
    static const ExpectedMessage passedOn[] = {
        {WM_COMMAND, SEQ_PARENT | SEQ_WPARAM, MAKEWPARAM(7, STN_CLICKED), 0},
        {WM_REFLECT + WM_COMMAND, SEQ_WPARAM, MAKEWPARAM(7, STN_CLICKED), 0},
        {0, 0, 0, 0},
    };
    EXPECT_TRUE(recorder.Matches(passedOn, "answer 0"));
    EXPECT_EQ(1, child.reflectedCommands);
    EXPECT_EQ(1, m_parent.commands);

    child.commandAnswer = 1;
    SendChildCommand();
    EXPECT_EQ(2, child.reflectedCommands);
    EXPECT_EQ(1, m_parent.commands) << "a non-zero answer consumes the command";
}

TEST_F(WindowTest, ReflectedColourRequestWinsWhenTheChildGivesABrush)
{
    ReflectingChild child;
    ASSERT_TRUE(child.SubclassWindow(m_child));
    HDC dc = ::GetDC(m_child);
    auto ask = [&] { return reinterpret_cast<HBRUSH>(::SendMessageA(m_host, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_child))); };
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), ask());
    child.colourAnswer = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    EXPECT_EQ(::GetStockObject(NULL_BRUSH), ask());
    EXPECT_EQ(1, m_parent.colourRequests);
    ::ReleaseDC(m_child, dc);
}

TEST_F(WindowTest, CreatedControlsAndTooltipsLeaveNoObjectsBehind)
{
    auto cycle = [&] {
        CButtonWnd button;
        RECT rect{0, 0, 60, 20};
        ASSERT_TRUE(button.Create("BUTTON", "b", WS_CHILD | WS_VISIBLE, rect, m_host, 9));
        CToolTipWnd tip;
        ASSERT_TRUE(tip.CreateFor(button.GetSafeHwnd()));
        ASSERT_TRUE(tip.AddTool(button.GetSafeHwnd(), 1, rect, "tip"));
        COwnedImageList images;
        button.DestroyWindow();
    };
    EXPECT_TRUE(LeavesNoGuiObjects(cycle));
}

TEST(GuiObjectCountTest, SeesWindowsAndGdiObjectsComeAndGo)
{
    const GuiObjectCounts before = CountGuiObjects();
    HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const GuiObjectCounts during = CountGuiObjects();
    EXPECT_GT(during.gdi, before.gdi);
    EXPECT_GT(during.user, before.user);
    ::DeleteObject(brush);
    ::DestroyWindow(window);
    const GuiObjectCounts after = CountGuiObjects();
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
}

class TestApplication : public CApplication {
public:
    bool startAnswer = true;
    std::vector<std::string> calls;

protected:
    bool InitInstance() override
    {
        calls.push_back("init");
        if (startAnswer)
            ::PostQuitMessage(7);
        return startAnswer;
    }
    int ExitInstance() override
    {
        calls.push_back("exit");
        return CApplication::ExitInstance();
    }
};

TEST(ApplicationTest, RunsTheLoopUntilQuitAndReturnsTheExitCode)
{
    TestApplication app;
    EXPECT_EQ(&app, CApplication::Instance());
    EXPECT_EQ(7, app.Run());
    EXPECT_EQ((std::vector<std::string>{"init", "exit"}), app.calls);
}

TEST(ApplicationTest, AStartThatReturnsFalseGoesStraightToExit)
{
    TestApplication app;
    app.startAnswer = false;
    EXPECT_EQ(0, app.Run());
    EXPECT_EQ((std::vector<std::string>{"init", "exit"}), app.calls);
}

unsigned __stdcall ReturnParameter(void* param)
{
    return static_cast<unsigned>(reinterpret_cast<UINT_PTR>(param));
}

TEST(WorkerThreadTest, RunsAndReportsItsResult)
{
    CWorkerThread worker;
    ASSERT_TRUE(worker.Start(&ReturnParameter, reinterpret_cast<void*>(5)));
    ASSERT_TRUE(worker.Wait(20000));
    EXPECT_EQ(5u, worker.ExitCode());
    ASSERT_TRUE(worker.Start(&ReturnParameter, reinterpret_cast<void*>(6))) << "an ended thread can be replaced";
    ASSERT_TRUE(worker.Wait(20000));
    EXPECT_EQ(6u, worker.ExitCode());
}

}  // namespace
