#include "support/EventLogRecorder.h"

#include "services/AppServices.h"

#include <stdexcept>

namespace {
EventLogRecorder* g_recorder = nullptr;
}

EventLogRecorder::EventLogRecorder()
{
    g_recorder = this;
    SetEventLogObserver(&EventLogRecorder::Observe);
}

EventLogRecorder::~EventLogRecorder()
{
    SetEventLogObserver(nullptr);
    g_recorder = nullptr;
}

void EventLogRecorder::Observe(WORD type, DWORD id, const char* text)
{
    bool fail = false;
    {
        std::lock_guard<std::mutex> lock(g_recorder->m_mutex);
        g_recorder->m_events.push_back({type, id, text ? text : ""});
        if (g_recorder->m_throwsLeft > 0) {
            --g_recorder->m_throwsLeft;
            fail = true;
        }
    }
    if (fail)
        throw std::runtime_error("event log failure injected by a test");
}

std::vector<RecordedEvent> EventLogRecorder::Events() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_events;
}

std::vector<std::string> EventLogRecorder::Texts() const
{
    std::vector<std::string> texts;
    for (const RecordedEvent& event : Events())
        texts.push_back(event.text);
    return texts;
}

void EventLogRecorder::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.clear();
}

void EventLogRecorder::ThrowOnNextEntries(int count)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_throwsLeft = count;
}
