#include "ScrollTestHost.h"

#include "skin/SkinEngine.h"
#include "skin/scrollbar/ScrollBarLayout.h"
#include "skin/scrollbar/SkinnedScrollBars.h"
#include "support/PixelCanvas.h"

#include <commctrl.h>

using namespace skin;

void ScrollSkinTest::SetUpTestSuite()
{
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

void ScrollSkinTest::SetUp()
{
    ASSERT_NO_FATAL_FAILURE(StartTestEngine(*MakeScrollSkin()));
    m_dialog = std::make_unique<ShownDialog>();
}

void ScrollSkinTest::TearDown()
{
    m_dialog.reset();
    ExitSkinEngine();
}

ShownDialog::ShownDialog() : TestDialog("scroll test", WS_POPUP | WS_VISIBLE, {40, 40, 460, 400}) { PumpMessages(); }

HWND ShownDialog::Add(const char* className, DWORD style, int width, int height, DWORD exStyle)
{
    HWND control = TestDialog::Add(className, style, {10, 10, 10 + width, 10 + height}, 100, "", exStyle);
    PumpMessages();
    return control;
}

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    for (DWORD now = start; now - start < ms; now = GetTickCount()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - (now - start), QS_ALLINPUT);
        PumpMessages();
    }
}

bool WaitForSkinnedBars(HWND hwnd)
{
    for (int i = 0; i < 100 && !HasSkinnedScrollBars(hwnd); ++i)
        PumpFor(20);
    PumpMessages();
    return HasSkinnedScrollBars(hwnd);
}

namespace {

LPARAM ClientPoint(HWND hwnd, POINT screen)
{
    ScreenToClient(hwnd, &screen);
    return MAKELPARAM(screen.x, screen.y);
}

SCROLLBARINFO BarInfo(HWND hwnd, int bar)
{
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetSkinnedScrollBarInfo(hwnd, bar, info);
    return info;
}

bool IsThumbColour(COLORREF colour)
{
    for (int state = 0; state < 4; ++state)
        if (colour == CellColour(state, kCellThumb))
            return true;
    return false;
}

ScrollRecorder* g_recorder = nullptr;

}  // namespace

void PressAt(HWND hwnd, POINT screen)
{
    const LPARAM point = MAKELPARAM(screen.x, screen.y);
    const LRESULT hit = SendMessageA(hwnd, WM_NCHITTEST, 0, point);
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), point);
}

void MoveTo(HWND hwnd, POINT screen) { SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(hwnd, screen)); }

void ReleaseAt(HWND hwnd, POINT screen) { SendMessageA(hwnd, WM_LBUTTONUP, 0, ClientPoint(hwnd, screen)); }

void ClickAt(HWND hwnd, POINT screen)
{
    PressAt(hwnd, screen);
    ReleaseAt(hwnd, screen);
    PumpMessages();
}

POINT BarPoint(HWND hwnd, int bar, int along)
{
    const RECT rect = BarInfo(hwnd, bar).rcScrollBar;
    return bar == SB_VERT ? POINT{(rect.left + rect.right) / 2, rect.top + along}
                          : POINT{rect.left + along, (rect.top + rect.bottom) / 2};
}

int BarLength(HWND hwnd, int bar)
{
    const RECT rect = BarInfo(hwnd, bar).rcScrollBar;
    return bar == SB_VERT ? rect.bottom - rect.top : rect.right - rect.left;
}

int DrawnThumbStart(HWND hwnd, int bar)
{
    RECT window{};
    GetWindowRect(hwnd, &window);
    for (int along = 0; along < BarLength(hwnd, bar); ++along) {
        const POINT point = BarPoint(hwnd, bar, along);
        if (IsThumbColour(WindowPixel(hwnd, point.x - window.left, point.y - window.top)))
            return along;
    }
    return -1;
}

int ThumbStartFromScrollInfo(HWND hwnd, int bar)
{
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd, bar, &info);
    const ScrollRange range{info.nMin, info.nMax, info.nPage, info.nPos};
    const BarLayout layout = LayOutBar(range, BarLength(hwnd, bar), kBarSize, kBarSize, true);
    return layout.HasThumb() ? layout.thumbStart : -1;
}

ScrollRecorder::ScrollRecorder()
    : m_hHook(SetWindowsHookExA(WH_CALLWNDPROC, &Hook, nullptr, GetCurrentThreadId()))
{
    g_recorder = this;
}

ScrollRecorder::~ScrollRecorder()
{
    UnhookWindowsHookEx(m_hHook);
    g_recorder = nullptr;
}

LRESULT CALLBACK ScrollRecorder::Hook(int code, WPARAM wp, LPARAM lp)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && g_recorder && (sent->message == WM_VSCROLL || sent->message == WM_HSCROLL)) {
        Notice notice{sent->hwnd, sent->message, LOWORD(sent->wParam), static_cast<short>(HIWORD(sent->wParam)), {}};
        QueryPerformanceCounter(&notice.time);
        g_recorder->m_notices.push_back(notice);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

std::vector<ScrollRecorder::Notice> ScrollRecorder::WithCode(int code) const
{
    std::vector<Notice> matching;
    for (const Notice& notice : m_notices)
        if (notice.code == code)
            matching.push_back(notice);
    return matching;
}

double ScrollRecorder::Between(const Notice& earlier, const Notice& later)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(later.time.QuadPart - earlier.time.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}
