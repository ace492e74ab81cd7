#include "services/StageTimes.h"

#include "win/OwnedHandle.h"

#include <windows.h>

#include <cstdio>
#include <mutex>
#include <vector>

namespace {

const char VARIABLE[] = "VEC_STAGE_TIMES";

std::string StageFile()
{
    char path[MAX_PATH + 1] = {};
    DWORD length = GetEnvironmentVariableA(VARIABLE, path, sizeof path);
    return length > 0 && length < sizeof path ? path : "";
}

struct Stages {
    std::string file = StageFile();
    std::mutex lock;  // the program's start-up worker marks beside its dialog thread
    std::string text;
};

Stages& Noted()
{
    static Stages stages;
    return stages;
}

}  // namespace

long long FileTimeMicroseconds(const FILETIME& time)
{
    return static_cast<long long>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                                  time.dwLowDateTime) / 10;
}

long long NowMicroseconds()
{
    // The precise clock exists from Windows 8 on; older systems tick coarser.
    using PreciseClock = void(WINAPI*)(FILETIME*);
    static const PreciseClock precise = reinterpret_cast<PreciseClock>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME now;
    if (precise)
        precise(&now);
    else
        GetSystemTimeAsFileTime(&now);
    return FileTimeMicroseconds(now);
}

bool StageTimesWanted() { return !Noted().file.empty(); }

void MarkStage(const std::string& stage)
{
    if (StageTimesWanted())
        MarkStageAt(stage, NowMicroseconds());
}

void MarkStageAt(const std::string& stage, long long atMicroseconds)
{
    if (!StageTimesWanted())
        return;
    Stages& stages = Noted();
    const std::lock_guard<std::mutex> hold(stages.lock);
    stages.text += stage + " " + std::to_string(atMicroseconds) + "\n";
}

void NoteStageValue(const std::string& name, long long value) { MarkStageAt(name, value); }

long long ChildProcessorMicroseconds(const std::string& text)
{
    long long found = -1;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        int userMinutes = 0, systemMinutes = 0;
        double userSeconds = 0, systemSeconds = 0;
        if (sscanf(line.c_str(), "%dm%lfs %dm%lfs", &userMinutes, &userSeconds, &systemMinutes, &systemSeconds) == 4)
            found = static_cast<long long>(((userMinutes + systemMinutes) * 60 + userSeconds + systemSeconds) * 1e6);
    }
    return found;
}

void MarkProcessCreated()
{
    FILETIME created, exited, kernel, user;
    if (StageTimesWanted() && GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        MarkStageAt("created", FileTimeMicroseconds(created));
}

void WriteStageTimes()
{
    Stages& stages = Noted();
    const std::lock_guard<std::mutex> hold(stages.lock);
    if (stages.file.empty() || stages.text.empty())
        return;
    CKernelHandle file(CreateFileA(stages.file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file.Get())
        WriteFile(file.Get(), stages.text.data(), static_cast<DWORD>(stages.text.size()), &written, nullptr);
    stages.text.clear();
}
