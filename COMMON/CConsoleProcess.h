// Runs one encoder process hidden, reads its console output into lines for
// its owner, keeps the trace file and passes on the user's stop request.
#pragma once

#include "COMMON/UniqueHandle.h"

#include <windows.h>

#include <atomic>
#include <string>

class CFfmpegEncoder;

// Handles and ids of a started process, each handle with one owner.
struct ProcessHandles {
    UniqueHandle hProcess;
    UniqueHandle hThread;
    DWORD dwProcessId = 0;
    DWORD dwThreadId = 0;
};

// Starts `command` (which names the program) without a console window,
// inheriting handles, with the given standard input (may be null) and one
// handle for both standard output and standard error. FALSE on failure,
// with the last-error code telling why.
BOOL StartHiddenProcess(const std::string& command, HANDLE hStdIn, HANDLE hStdOut, ProcessHandles* pProcess);

class CConsoleProcess {
public:
    // Prepares a run of `strCommand` whose events go to `pOwner`.
    void Init(const std::string& strCommand, CFfmpegEncoder* pOwner);

    // Starts the encoder and follows it to its end. 0 when it could not be
    // started; the last-error code then tells why.
    int bExecute();

    // Makes the output loop send the quit request after its next read.
    void RequestStop() { m_bStopRequest = 1; }

private:
    void ReadOutput();
    void CloseAll();

    std::string m_strCommand;
    CFfmpegEncoder* m_pOwner = nullptr;
    UniqueHandle m_hOutRead;
    UniqueHandle m_hWait;     // the encoder opened for waiting only
    UniqueHandle m_hInRead;   // the encoder's standard input
    UniqueHandle m_hInWrite;  // where the quit request goes; not inherited
    std::atomic<int> m_bStopRequest{0};
    ProcessHandles m_pi;
};
