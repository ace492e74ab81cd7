#include "support/MessageSequence.h"

#include <commctrl.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

MessageRecorder* g_recorder = nullptr;

std::string MessageName(UINT message)
{
    static const struct {
        UINT id;
        const char* name;
    } names[] = {
        {WM_COMMAND, "WM_COMMAND"},       {WM_NOTIFY, "WM_NOTIFY"},         {WM_DRAWITEM, "WM_DRAWITEM"},
        {WM_PAINT, "WM_PAINT"},           {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},   {WM_ENABLE, "WM_ENABLE"},         {WM_GETDLGCODE, "WM_GETDLGCODE"},
        {WM_STYLECHANGING, "WM_STYLECHANGING"}, {WM_STYLECHANGED, "WM_STYLECHANGED"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},   {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"}, {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},             {WM_SETTEXT, "WM_SETTEXT"},       {WM_GETTEXT, "WM_GETTEXT"},
        {WM_TIMER, "WM_TIMER"},           {WM_SETCURSOR, "WM_SETCURSOR"},   {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
        {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"}, {BM_SETSTYLE, "BM_SETSTYLE"},   {BM_SETSTATE, "BM_SETSTATE"},
        {WM_APP + 1, "WM_APP+1"},
    };
    for (const auto& entry : names)
        if (entry.id == message)
            return entry.name;
    char text[32];
    if (message >= 0x2000 && message < 0x2400) {
        std::snprintf(text, sizeof text, "reflected ");
        return text + MessageName(message - 0x2000);
    }
    std::snprintf(text, sizeof text, "0x%04X", message);
    return text;
}

std::string Describe(const RecordedMessage& m, HWND parent)
{
    char text[160];
    std::snprintf(text, sizeof text, "  %s %-22s %s wParam=0x%lX lParam=0x%lX\n", m.hwnd == parent ? "parent " : "control",
                  MessageName(m.message).c_str(), m.posted ? "posted" : "sent  ", static_cast<unsigned long>(m.wParam),
                  static_cast<unsigned long>(m.lParam));
    return text;
}

std::string Describe(const ExpectedMessage& e)
{
    char text[160];
    std::snprintf(text, sizeof text, "  %s %-22s %s wParam=%s0x%lX lParam=%s0x%lX%s\n",
                  (e.flags & SEQ_PARENT) ? "parent " : "control", MessageName(e.message).c_str(),
                  (e.flags & SEQ_POSTED) ? "posted" : "sent  ", (e.flags & SEQ_WPARAM) ? "" : "any ",
                  static_cast<unsigned long>(e.wParam), (e.flags & SEQ_LPARAM) ? "" : "any ",
                  static_cast<unsigned long>(e.lParam), (e.flags & SEQ_OPTIONAL) ? " (optional)" : "");
    return text;
}

bool EntryMatches(const ExpectedMessage& e, const RecordedMessage& m, HWND control, HWND parent)
{
    return e.message == m.message && m.hwnd == ((e.flags & SEQ_PARENT) ? parent : control) &&
           ((e.flags & SEQ_POSTED) != 0) == m.posted && (!(e.flags & SEQ_WPARAM) || e.wParam == m.wParam) &&
           (!(e.flags & SEQ_LPARAM) || e.lParam == m.lParam);
}

}  // namespace

MessageRecorder::MessageRecorder(HWND control, HWND parent) : m_hControl(control), m_hParent(parent)
{
    g_recorder = this;
    m_hSentHook = ::SetWindowsHookExA(WH_CALLWNDPROC, &OnCallWndProc, nullptr, ::GetCurrentThreadId());
    m_hPostedHook = ::SetWindowsHookExA(WH_GETMESSAGE, &OnGetMessage, nullptr, ::GetCurrentThreadId());
}

MessageRecorder::~MessageRecorder()
{
    ::UnhookWindowsHookEx(m_hSentHook);
    ::UnhookWindowsHookEx(m_hPostedHook);
    g_recorder = nullptr;
}

void MessageRecorder::Record(HWND hwnd, UINT message, WPARAM wp, LPARAM lp, bool posted)
{
    if (hwnd && (hwnd == m_hControl || hwnd == m_hParent))
        m_messages.push_back({hwnd, message, wp, lp, posted});
}

LRESULT CALLBACK MessageRecorder::OnCallWndProc(int code, WPARAM wp, LPARAM lp)
{
    if (code == HC_ACTION && g_recorder) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lp);
        g_recorder->Record(sent->hwnd, sent->message, sent->wParam, sent->lParam, false);
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK MessageRecorder::OnGetMessage(int code, WPARAM wp, LPARAM lp)
{
    if (code == HC_ACTION && wp == PM_REMOVE && g_recorder) {
        const auto* msg = reinterpret_cast<const MSG*>(lp);
        g_recorder->Record(msg->hwnd, msg->message, msg->wParam, msg->lParam, true);
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

::testing::AssertionResult MessageRecorder::Matches(const ExpectedMessage* expected, const char* context,
                                                   std::initializer_list<UINT> alsoWatched) const
{
    std::set<UINT> kinds(alsoWatched);
    for (const ExpectedMessage* e = expected; e->message; ++e)
        kinds.insert(e->message);
    std::vector<RecordedMessage> actual;
    for (const RecordedMessage& m : m_messages)
        if (kinds.count(m.message))
            actual.push_back(m);

    size_t next = 0;
    bool ok = true;
    for (const ExpectedMessage* e = expected; e->message && ok; ++e) {
        if (next < actual.size() && EntryMatches(*e, actual[next], m_hControl, m_hParent))
            ++next;
        else if (!(e->flags & SEQ_OPTIONAL))
            ok = false;
    }
    if (ok && next == actual.size())
        return ::testing::AssertionSuccess();

    std::string dump = std::string(context) + ": message sequence differs\nexpected:\n";
    for (const ExpectedMessage* e = expected; e->message; ++e)
        dump += Describe(*e);
    dump += "received:\n";
    for (const RecordedMessage& m : actual)
        dump += Describe(m, m_hParent);
    return ::testing::AssertionFailure() << dump;
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition())
            return true;
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(5);
    }
}
