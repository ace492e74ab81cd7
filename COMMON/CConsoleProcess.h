// Runs one encoder process hidden, reads its console output into lines for
// its owner, keeps the trace file and passes on the user's stop request.
#pragma once

#include "win/OwnedHandle.h"

#include <windows.h>

#include <atomic>
#include <string>

class CFfmpegEncoder;

// Handles and ids of a started process, each handle with one owner.
struct ProcessHandles {
    CKernelHandle hProcess;
    CKernelHandle hThread;
    DWORD dwProcessId = 0;
    DWORD dwThreadId = 0;
};

// Starts `program` (a full path) with `command` (which names the program
// again, quoted) without a console window, inheriting handles, with the
// given standard input (may be null) and one handle for both standard output
// and standard error. The system runs `program` itself and never guesses
// where a path with blanks ends. FALSE on failure, with the last-error code
// telling why.
BOOL StartHiddenProcess(const std::string& program, const std::string& command, HANDLE hStdIn, HANDLE hStdOut,
                        ProcessHandles* pProcess);

// A started encoder and the converter's ends of its pipes, not inheritable.
struct EncoderProcess {
    ProcessHandles process;
    CKernelHandle output;  // its standard output and error
    CKernelHandle input;   // its standard input: a standby's command line, the quit request
};

class CConsoleProcess {
public:
    ~CConsoleProcess() { EndStandby(); }

    // Prepares a run of `strProgram` with `strCommand` whose events go to
    // `pOwner`. With `strStandbyCommand`, the run starts that standby encoder
    // (the same program) once its own encoder has started, for the run to
    // follow; an empty one starts none.
    void Init(const std::string& strProgram, const std::string& strCommand, const std::string& strStandbyCommand,
              CFfmpegEncoder* pOwner);

    // Starts the encoder, or hands the command to the standby encoder the
    // previous run left, and follows it to its end. 0 when it could not be
    // started; the last-error code then tells why.
    int bExecute();

    // Makes the output loop send the quit request after its next read.
    void RequestStop()
    {
        m_bStopAsked = true;
        m_bStopRequest = 1;
    }

    // After bExecute: the encoder ran to its end and exited with 0.
    bool EncoderExitedCleanly() const { return m_bExitedCleanly; }
    // A stop was asked for since Init.
    bool StopAsked() const { return m_bStopAsked; }

    // Ends the standby encoder, if any, when no run will follow.
    void EndStandby();

private:
    bool HandToStandby();
    void StartStandby();
    void ReadOutput();
    void CloseAll();

    std::string m_strProgram;
    std::string m_strCommand;
    std::string m_strNextStandbyCommand;  // what this run starts for the next, if anything
    CFfmpegEncoder* m_pOwner = nullptr;
    EncoderProcess m_run;
    CKernelHandle m_hWait;  // the encoder opened for waiting only
    std::atomic<int> m_bStopRequest{0};
    std::atomic<bool> m_bStopAsked{false};
    bool m_bExitedCleanly = false;
    EncoderProcess m_standby;          // waits for the next run's command line
    std::string m_strStandbyCommand;   // what started m_standby
};
