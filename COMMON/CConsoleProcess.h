// Runs one encoder process hidden, reads its console output into lines for
// its owner, keeps the trace file and passes on the user's stop request.
#pragma once

#include "win/OwnedHandle.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <utility>

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

// What a run tells the runner's owner, on the thread inside bExecute.
class IProcessEvents {
public:
    // The encoder has started; `hProcess` stays valid until OnProcessEnded.
    virtual void OnProcessStarted(HANDLE hProcess) = 0;
    // One line of the encoder's output, without its line end.
    virtual void OnProcessLine(const std::string& line) = 0;
    // The encoder has ended, or never started: `dwEndValue` is 0, or the
    // error code that ended its start or its output.
    virtual void OnProcessEnded(DWORD dwEndValue) = 0;
    // Reading failed: the run is abandoned and no OnProcessEnded follows.
    virtual void OnReadingAbandoned() = 0;

protected:
    ~IProcessEvents() = default;
};

class CConsoleProcess {
public:
    // Runs tell `owner` what happens; each run's command and output go to
    // the trace file `strTracePath`.
    CConsoleProcess(IProcessEvents& owner, std::string strTracePath)
        : m_owner(owner), m_strTracePath(std::move(strTracePath))
    {
    }
    ~CConsoleProcess() { EndStandby(); }
    CConsoleProcess(const CConsoleProcess&) = delete;
    CConsoleProcess& operator=(const CConsoleProcess&) = delete;

    // Prepares a run of `strProgram` with `strCommand`. With
    // `strStandbyCommand`, the run starts that standby encoder (the same
    // program) once its own encoder has started, for the run to follow; an
    // empty one starts none.
    void Init(const std::string& strProgram, const std::string& strCommand, const std::string& strStandbyCommand);

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
    // A stop was asked for that the encoder has not been sent yet.
    bool StopPending() const { return m_bStopRequest == 1; }

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
    IProcessEvents& m_owner;
    std::string m_strTracePath;
    EncoderProcess m_run;
    CKernelHandle m_hWait;  // the encoder opened for waiting only
    std::atomic<int> m_bStopRequest{0};
    std::atomic<bool> m_bStopAsked{false};
    bool m_bExitedCleanly = false;
    EncoderProcess m_standby;          // waits for the next run's command line
    std::string m_strStandbyCommand;   // what started m_standby
};
