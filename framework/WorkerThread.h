// A worker thread started at once with normal priority and the default stack.
#pragma once

#include <windows.h>

class CWorkerThread {
public:
    using ThreadProc = unsigned(__stdcall*)(void* param);

    CWorkerThread() = default;
    ~CWorkerThread();  // closes the handle; the thread runs on
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Starts `proc(param)`; false when the thread could not be started or
    // this object still holds a running thread.
    bool Start(ThreadProc proc, void* param);
    // Waits up to `milliseconds` for the thread; true when it has ended (or none was started).
    bool Wait(DWORD milliseconds = INFINITE) const;
    bool IsRunning() const { return !Wait(0); }
    // The thread's result once it has ended.
    DWORD ExitCode() const;

private:
    HANDLE m_hThread = nullptr;  // owned: closed when replaced or destroyed
};
