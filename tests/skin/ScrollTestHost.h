// A visible skinned dialog holding the control under test, the mouse as the
// system delivers it to a window's scroll bars, and what the skinned bars
// drew and sent.
#pragma once

#include "ScrollTestSkin.h"
#include "TestSkins.h"
#include "support/MessageSequence.h"

#include <windows.h>

#include <memory>
#include <vector>

// A shown dialog whose one control stands at its top left.
class ShownDialog : public TestDialog {
public:
    ShownDialog();
    HWND Add(const char* className, DWORD style, int width, int height, DWORD exStyle = WS_EX_CLIENTEDGE);
};

// The engine started for the test's thread with the scroll skin, and a
// shown dialog made once the engine runs.
class ScrollSkinTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    static void SetUpTestSuite();

    std::unique_ptr<ShownDialog> m_dialog;
};

// Handles messages for `ms` milliseconds.
void PumpFor(DWORD ms);
// Pumps until `hwnd` has skinned scroll bars; false when they never came.
bool WaitForSkinnedBars(HWND hwnd);

// Mouse messages at a point in screen coordinates, as a pressed button on a
// window's scroll bar produces them.
void PressAt(HWND hwnd, POINT screen);
void MoveTo(HWND hwnd, POINT screen);
void ReleaseAt(HWND hwnd, POINT screen);
void ClickAt(HWND hwnd, POINT screen);

// A point on a skinned bar `along` pixels from its start, halfway across.
POINT BarPoint(HWND hwnd, int bar, int along);
int BarLength(HWND hwnd, int bar);
// Where the thumb is drawn along the bar, read from the pixels; -1 for none.
int DrawnThumbStart(HWND hwnd, int bar);
// Where the scroll state GetScrollInfo gives puts the thumb; -1 for none.
int ThumbStartFromScrollInfo(HWND hwnd, int bar);

// The scroll notifications windows of this thread received.
class ScrollRecorder {
public:
    struct Notice {
        HWND hwnd;
        UINT msg;
        int code;
        int position;
        LARGE_INTEGER time;
    };

    ScrollRecorder();
    ~ScrollRecorder();
    ScrollRecorder(const ScrollRecorder&) = delete;
    ScrollRecorder& operator=(const ScrollRecorder&) = delete;

    const std::vector<Notice>& Notices() const { return m_notices; }
    std::vector<Notice> WithCode(int code) const;
    void Clear() { m_notices.clear(); }
    // Milliseconds between two notices.
    static double Between(const Notice& earlier, const Notice& later);

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp);
    HHOOK m_hHook;
    std::vector<Notice> m_notices;
};
