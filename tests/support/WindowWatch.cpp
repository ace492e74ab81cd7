#include "support/WindowWatch.h"

namespace {

struct TopWindowSearch {
    const char* caption;
    const char* childText;
    DWORD processId;
    HWND found;
};

struct ChildTextSearch {
    const char* text;
    bool found;
};

BOOL CALLBACK FindChildText(HWND child, LPARAM lp)
{
    auto* search = reinterpret_cast<ChildTextSearch*>(lp);
    if (WindowText(child) == search->text) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindTopWindow(HWND hwnd, LPARAM lp)
{
    auto* search = reinterpret_cast<TopWindowSearch*>(lp);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId != search->processId || !IsWindowVisible(hwnd) || WindowText(hwnd) != search->caption)
        return TRUE;
    if (search->childText) {
        ChildTextSearch child{search->childText, false};
        EnumChildWindows(hwnd, &FindChildText, reinterpret_cast<LPARAM>(&child));
        if (!child.found)
            return TRUE;
    }
    search->found = hwnd;
    return FALSE;
}

}  // namespace

HWND WaitForTopWindow(const char* caption, DWORD timeoutMs, const char* childText, DWORD processId)
{
    TopWindowSearch search{caption, childText, processId, nullptr};
    WaitUntil([&] {
        EnumWindows(&FindTopWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeoutMs);
    return search.found;
}

bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs)
{
    return WaitUntil([hwnd] { return !IsWindow(hwnd); }, timeoutMs);
}

std::string WindowText(HWND hwnd)
{
    char text[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                             &copied))
        return {};
    return std::string(text, copied);
}

std::vector<std::string> ChildTexts(HWND hwnd)
{
    std::vector<std::string> texts;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        texts.push_back(WindowText(child));
    return texts;
}

bool HasText(const std::vector<std::string>& texts, const std::string& text)
{
    for (const std::string& each : texts)
        if (each == text)
            return true;
    return false;
}

void PressEscape(HWND dialog)
{
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(dialog, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001u));
}

DialogWatcher::DialogWatcher(std::string caption, const char* childText, DWORD timeoutMs)
    : m_caption(std::move(caption)),
      m_childText(childText ? childText : ""),
      m_hasChildText(childText != nullptr),
      m_timeoutMs(timeoutMs)
{
    m_thread = std::thread([this] {
        HWND hwnd = WaitForTopWindow(m_caption.c_str(), m_timeoutMs, m_hasChildText ? m_childText.c_str() : nullptr);
        if (!hwnd)
            return;
        m_seen.hwnd = hwnd;
        m_seen.caption = WindowText(hwnd);
        m_seen.texts = ChildTexts(hwnd);
        PressEscape(hwnd);
        m_seen.closed = WaitForWindowGone(hwnd, 20000);
        if (!m_seen.closed)
            PostMessageA(hwnd, WM_CLOSE, 0, 0);  // never leave a modal window behind
    });
}

DialogWatcher::~DialogWatcher()
{
    if (m_thread.joinable())
        m_thread.join();
}

const SeenWindow& DialogWatcher::Result()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_seen;
}
