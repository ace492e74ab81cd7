// Records the messages a control and its parent receive and compares them
// with an expected table, in the manner of the system's control test suites.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <vector>

// Flags of an expected entry.
enum SequenceFlags : unsigned {
    SEQ_SENT = 0x01,      // arrived through SendMessage (the default when neither is given)
    SEQ_POSTED = 0x02,    // arrived through the message queue
    SEQ_PARENT = 0x04,    // received by the parent, not by the control
    SEQ_WPARAM = 0x08,    // wParam must match
    SEQ_LPARAM = 0x10,    // lParam must match
    SEQ_OPTIONAL = 0x20,  // may be absent
};

struct ExpectedMessage {
    UINT message;     // 0 ends a table
    unsigned flags;   // SequenceFlags
    WPARAM wParam;    // compared with SEQ_WPARAM
    LPARAM lParam;    // compared with SEQ_LPARAM
};

struct RecordedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool posted;
};

// Hooks this thread's sent and retrieved messages while it lives; one recorder at a time.
class MessageRecorder {
public:
    MessageRecorder(HWND control, HWND parent);
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void Clear() { m_messages.clear(); }
    const std::vector<RecordedMessage>& Messages() const { return m_messages; }

    // Compares the recorded messages of the kinds that `expected` or
    // `alsoWatched` name, in order; on a mismatch the result lists both
    // sequences. `alsoWatched` names kinds that must not appear beyond the table.
    ::testing::AssertionResult Matches(const ExpectedMessage* expected, const char* context,
                                       std::initializer_list<UINT> alsoWatched = {}) const;

private:
    static LRESULT CALLBACK OnCallWndProc(int code, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK OnGetMessage(int code, WPARAM wp, LPARAM lp);
    void Record(HWND hwnd, UINT message, WPARAM wp, LPARAM lp, bool posted);

    HWND m_hControl;                          // borrowed: the window under test
    HWND m_hParent;                           // borrowed: its parent
    HHOOK m_hSentHook = nullptr;              // owned: unhooked at destruction
    HHOOK m_hPostedHook = nullptr;            // owned: unhooked at destruction
    std::vector<RecordedMessage> m_messages;  // in arrival order
};

// Dispatches every queued message of this thread.
void PumpMessages();
// Pumps messages until `condition` holds; false when it still did not
// after `timeoutMs`.
bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD timeoutMs = 30000);
