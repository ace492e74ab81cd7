// Records the program's event-log entries through the shell's observation
// point, from any thread, while the recorder lives. Only one at a time.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

struct RecordedEvent {
    WORD type;
    DWORD id;
    std::string text;
};

class EventLogRecorder {
public:
    EventLogRecorder();
    ~EventLogRecorder();
    EventLogRecorder(const EventLogRecorder&) = delete;
    EventLogRecorder& operator=(const EventLogRecorder&) = delete;

    std::vector<RecordedEvent> Events() const;
    std::vector<std::string> Texts() const;
    void Clear();

    // The next `count` entries are recorded and then make LogEvent throw, so
    // that tests can reach the exception boundaries of the code under test.
    void ThrowOnNextEntries(int count);

private:
    static void Observe(WORD type, DWORD id, const char* text);

    mutable std::mutex m_mutex;
    std::vector<RecordedEvent> m_events;
    int m_throwsLeft = 0;
};
