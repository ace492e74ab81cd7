#include "framework/Application.h"
#include "framework/StandardControls.h"
#include "framework/WorkerThread.h"
#include "support/GuiObjects.h"
#include "support/MessageSequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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

// A child that counts its paints.
class PaintCounter : public CWindowBase {
public:
    int paints = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_PAINT)
            ++paints;
        return CWindowBase::WindowProc(msg, wp, lp);
    }
};

TEST_F(WindowTest, ARedrawPauseHoldsBackChildPaintsAndDrawsThemAfterwards)
{
    PaintCounter child;
    ASSERT_TRUE(child.SubclassWindow(m_child));
    ::ShowWindow(m_host, SW_SHOWNA);
    ::UpdateWindow(m_host);
    child.paints = 0;
    {
        const CRedrawPause pause(m_host);
        ::InvalidateRect(m_child, nullptr, TRUE);
        ::UpdateWindow(m_child);
        ::EnableWindow(m_child, FALSE);
        ::UpdateWindow(m_child);
        EXPECT_EQ(0, child.paints) << "a child drew itself during the pause";
    }
    EXPECT_TRUE(::IsWindowVisible(m_host));
    EXPECT_TRUE(PumpMessagesUntil([&] { return child.paints > 0; })) << "the child was not drawn after the pause";
}

TEST_F(WindowTest, ARedrawPauseLeavesAHiddenWindowHidden)
{
    ASSERT_FALSE(::IsWindowVisible(m_host));
    { const CRedrawPause pause(m_host); }
    EXPECT_FALSE(::GetWindowLongA(m_host, GWL_STYLE) & WS_VISIBLE);
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

// Subclassing in any order: our procedure shares the chain with foreign
// ones that subclass the plain way (keep the previous procedure, put it back
// when on top, otherwise pass everything on).
constexpr UINT PROBE = WM_APP + 50;
std::vector<std::string> g_chainLog;  // who saw PROBE, outermost first
int g_classNcDestroys = 0;

LRESULT CALLBACK ChainClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == PROBE)
        g_chainLog.push_back("class");
    if (msg == WM_NCDESTROY)
        ++g_classNcDestroys;
    return ::DefWindowProcA(hwnd, msg, wp, lp);
}

// Counts the properties a program set (Wine's X11 driver adds its own).
BOOL CALLBACK CountProperty(HWND, LPSTR name, HANDLE, ULONG_PTR count)
{
    if (!HIWORD(name) || strncmp(name, "__wine", 6) != 0)
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

struct ForeignSubclass {
    std::string name;
    char layer;
    WNDPROC self;
    WNDPROC previous = nullptr;
    bool active = false;                // handles messages rather than only passing them on
    bool linked = false;                // in the window's chain
    bool chainKeptAtNcDestroy = false;  // the window procedure did not change under ours
    int propertiesLeft = -1;            // the window's properties once the rest of the chain saw WM_NCDESTROY

    void Install(HWND hwnd)
    {
        previous = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self)));
        active = linked = true;
    }
    void Remove(HWND hwnd)
    {
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) == self) {
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            linked = false;
        }
        active = false;
    }
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == PROBE && active)
            g_chainLog.push_back(name);
        if (msg != WM_NCDESTROY)
            return ::CallWindowProcA(previous, hwnd, msg, wp, lp);
        const LONG_PTR before = ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
        const LRESULT result = ::CallWindowProcA(previous, hwnd, msg, wp, lp);
        chainKeptAtNcDestroy = before == ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
        propertiesLeft = 0;
        ::EnumPropsExA(hwnd, &CountProperty, reinterpret_cast<LPARAM>(&propertiesLeft));
        return result;
    }
};

template <int N> LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
ForeignSubclass g_above{"above", 'A', &ForeignProc<0>};
ForeignSubclass g_below{"below", 'B', &ForeignProc<1>};
template <int N> LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return (N == 0 ? g_above : g_below).Handle(hwnd, msg, wp, lp);
}

class ProbedWindow : public CWindowBase {
public:
    bool ncDestroyed = false;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case PROBE: return OnProbe(wp, lp);
        default: return CWindowBase::WindowProc(msg, wp, lp);
        }
    }
    void PostNcDestroy() override { ncDestroyed = true; }

private:
    LRESULT OnProbe(WPARAM wp, LPARAM lp)
    {
        g_chainLog.push_back("ours");
        return DefaultProc(PROBE, wp, lp);
    }
};

// Layers bottom to top ('B' foreign below, 'O' ours, 'A' foreign above),
// removes the first `removals` of `order`, probes, then destroys the window.
void RunChainCase(const std::string& layers, const std::string& order, size_t removals)
{
    SCOPED_TRACE("layers " + layers + ", removed " + order.substr(0, removals));
    static const ATOM chainClass = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &ChainClassProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "VodrixChainTest";
        return ::RegisterClassA(&wc);
    }();
    ASSERT_NE(0, chainClass);
    HWND hwnd = ::CreateWindowExA(0, "VodrixChainTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(hwnd);
    ProbedWindow ours;
    g_above = ForeignSubclass{"above", 'A', &ForeignProc<0>};
    g_below = ForeignSubclass{"below", 'B', &ForeignProc<1>};
    auto foreign = [](char layer) -> ForeignSubclass& { return layer == 'A' ? g_above : g_below; };
    for (char layer : layers) {
        if (layer == 'O')
            EXPECT_TRUE(ours.SubclassWindow(hwnd));
        else
            foreign(layer).Install(hwnd);
    }
    for (size_t i = 0; i < removals; ++i) {
        if (order[i] == 'O')
            ours.UnsubclassWindow();
        else
            foreign(order[i]).Remove(hwnd);
    }

    std::vector<std::string> expected;
    const std::string removed = order.substr(0, removals);
    for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer)
        if (removed.find(*layer) == std::string::npos)
            expected.push_back(*layer == 'A' ? "above" : *layer == 'B' ? "below" : "ours");
    expected.push_back("class");
    g_chainLog.clear();
    ::SendMessageA(hwnd, PROBE, 0, 0);
    EXPECT_EQ(expected, g_chainLog);

    g_classNcDestroys = 0;
    ::DestroyWindow(hwnd);
    EXPECT_EQ(1, g_classNcDestroys);
    EXPECT_EQ(nullptr, ours.GetSafeHwnd());
    EXPECT_EQ(removed.find('O') == std::string::npos, ours.ncDestroyed);
    for (const ForeignSubclass* foreign : {&g_above, &g_below}) {
        if (foreign->linked) {
            EXPECT_TRUE(foreign->chainKeptAtNcDestroy) << foreign->name;
        }
    }
    if (g_above.linked) {
        EXPECT_EQ(0, g_above.propertiesLeft) << "our place in the chain outlived the window";
    }
}

TEST(SubclassChainTest, MessagesReachEveryRemainingProcedureInAnyOrderOfRemoval)
{
    for (std::string layers : {"OA", "BO", "BOA"}) {
        std::string order = layers;
        std::sort(order.begin(), order.end());
        do {
            for (size_t removals = 0; removals <= order.size(); ++removals)
                RunChainCase(layers, order, removals);
        } while (std::next_permutation(order.begin(), order.end()));
    }
}

TEST(SubclassChainTest, ANewObjectTakesOverOurPlaceBelowAForeignProcedure)
{
    HWND hwnd = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ProbedWindow first, second;
    ASSERT_TRUE(first.SubclassWindow(hwnd));
    g_above = ForeignSubclass{"above", 'A', &ForeignProc<0>};
    g_above.Install(hwnd);
    first.UnsubclassWindow();
    ASSERT_TRUE(second.SubclassWindow(hwnd));
    EXPECT_EQ(&second, CWindowBase::FromHandle(hwnd));
    g_chainLog.clear();
    ::SendMessageA(hwnd, PROBE, 0, 0);
    EXPECT_EQ((std::vector<std::string>{"above", "ours"}), g_chainLog);
    ::DestroyWindow(hwnd);
    EXPECT_TRUE(second.ncDestroyed);
    EXPECT_FALSE(first.ncDestroyed);
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
