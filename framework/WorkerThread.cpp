#include "framework/WorkerThread.h"

#include <process.h>

CWorkerThread::~CWorkerThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
}

bool CWorkerThread::Start(ThreadProc proc, void* param)
{
    if (IsRunning())
        return false;
    if (m_hThread)
        ::CloseHandle(m_hThread);
    // The C runtime's start keeps its per-thread state right for the worker's CRT calls.
    m_hThread = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, proc, param, 0, nullptr));
    return m_hThread != nullptr;
}

bool CWorkerThread::Wait(DWORD milliseconds) const
{
    return !m_hThread || ::WaitForSingleObject(m_hThread, milliseconds) == WAIT_OBJECT_0;
}

DWORD CWorkerThread::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_hThread)
        ::GetExitCodeThread(m_hThread, &code);
    return code;
}
