#include "COMMON/CConsoleProcess.h"

#include "COMMON/EncoderOutput.h"
#include "services/AppServices.h"
#include "services/StageTimes.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr DWORD OUTPUT_CHUNK_BYTES = 1024;

// What the encoder takes as "finish the file and exit".
const char QUIT_REQUEST[10] = {'q', 0, 0, 0, 0, 0, 0, 0, 0, 0};

struct FileClose {
    void operator()(FILE* file) const { fclose(file); }
};

// The command and the output of the last run, one per line, for support.
class TraceFile {
public:
    explicit TraceFile(const std::string& path) : m_file(fopen(path.c_str(), "wt")) {}

    // Written unchanged, never interpreted as a format.
    void WriteLine(const std::string& text)
    {
        if (!m_file)
            return;
        fwrite(text.data(), 1, text.size(), m_file.get());
        fputc('\n', m_file.get());
    }

    void Close() { m_file.reset(); }

private:
    std::unique_ptr<FILE, FileClose> m_file;
};

}  // namespace

BOOL StartHiddenProcess(const std::string& program, const std::string& command, HANDLE hStdIn, HANDLE hStdOut,
                        ProcessHandles* pProcess)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = hStdIn;
    startup.hStdOutput = hStdOut;
    startup.hStdError = hStdOut;
    std::vector<char> commandLine(command.begin(), command.end());
    commandLine.push_back('\0');
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &info))
        return FALSE;
    pProcess->hProcess.Reset(info.hProcess);
    pProcess->hThread.Reset(info.hThread);
    pProcess->dwProcessId = info.dwProcessId;
    pProcess->dwThreadId = info.dwThreadId;
    return TRUE;
}

namespace {

// How long a standby encoder may take to notice that it is not needed.
constexpr DWORD STANDBY_END_WAIT_MS = 5000;

// Starts `program` with `command` and fresh pipes for its standard handles;
// the converter keeps only its own ends, so the encoder's exit closes its output.
BOOL StartWithPipes(const std::string& program, const std::string& command, EncoderProcess* encoder)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    CKernelHandle outWrite, inRead, inWriteTemporary;
    if (!CreatePipe(encoder->output.Receive(), outWrite.Receive(), &inheritable, 0))
        return FALSE;
    SetHandleInformation(encoder->output.Get(), HANDLE_FLAG_INHERIT, 0);
    if (!CreatePipe(inRead.Receive(), inWriteTemporary.Receive(), &inheritable, 0) ||
        !DuplicateHandle(GetCurrentProcess(), inWriteTemporary.Get(), GetCurrentProcess(), encoder->input.Receive(),
                         0, FALSE, DUPLICATE_SAME_ACCESS))
        return FALSE;
    inWriteTemporary.Reset();
    return StartHiddenProcess(program, command, inRead.Get(), outWrite.Get(), &encoder->process);
}

bool WriteAll(HANDLE handle, const std::string& text)
{
    DWORD written = 0;
    return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// A standby reads the end of its input as "not needed" and exits at once.
void EndEncoder(EncoderProcess& encoder)
{
    encoder.input.Reset();
    if (encoder.process.hProcess &&
        WaitForSingleObject(encoder.process.hProcess.Get(), STANDBY_END_WAIT_MS) != WAIT_OBJECT_0)
        TerminateProcess(encoder.process.hProcess.Get(), 1);
    encoder = EncoderProcess();
}

}  // namespace

void CConsoleProcess::Init(const std::string& strProgram, const std::string& strCommand,
                           const std::string& strStandbyCommand)
{
    m_strProgram = strProgram;
    m_strCommand = strCommand;
    m_strNextStandbyCommand = strStandbyCommand;
    CloseAll();
    m_bStopRequest = 0;
    m_bStopAsked = false;
    m_bExitedCleanly = false;
}

void CConsoleProcess::CloseAll()
{
    m_run = EncoderProcess();
    m_hWait.Reset();
}

void CConsoleProcess::EndStandby()
{
    EndEncoder(m_standby);
    m_strStandbyCommand.clear();
}

int CConsoleProcess::bExecute()
{
    if (!HandToStandby()) {
        MarkStage("pipes");
        if (!StartWithPipes(m_strProgram, m_strCommand, &m_run)) {
            const DWORD code = GetLastError();
            CloseAll();
            m_owner.OnProcessEnded(code);
            SetLastError(code);
            return 0;
        }
    }
    m_hWait.Reset(OpenProcess(SYNCHRONIZE, FALSE, m_run.process.dwProcessId));
    m_owner.OnProcessStarted(m_run.process.hProcess.Get());
    StartStandby();
    ReadOutput();
    return 1;
}

// The standby the previous run started becomes this run's encoder when it
// is the same program and still waits; otherwise it is ended.
bool CConsoleProcess::HandToStandby()
{
    if (!m_standby.process.hProcess)
        return false;
    const bool usable = m_strStandbyCommand == m_strNextStandbyCommand &&
                        WaitForSingleObject(m_standby.process.hProcess.Get(), 0) == WAIT_TIMEOUT &&
                        WriteAll(m_standby.input.Get(), m_strCommand + "\n");
    if (!usable) {
        EndStandby();
        return false;
    }
    MarkStage("handed-over");
    m_run = std::move(m_standby);
    m_standby = EncoderProcess();
    m_strStandbyCommand.clear();
    return true;
}

// Started only after this run's own pipe ends are closed, so that the
// standby inherits none of them. A standby that cannot start costs nothing:
// the next run starts its encoder itself.
void CConsoleProcess::StartStandby()
{
    if (m_strNextStandbyCommand.empty())
        return;
    EncoderProcess standby;
    if (StartWithPipes(m_strProgram, m_strNextStandbyCommand, &standby)) {
        m_standby = std::move(standby);
        m_strStandbyCommand = m_strNextStandbyCommand;
    }
}

void CConsoleProcess::ReadOutput()
{
    LineAssembler lines;
    TraceFile trace(m_strTracePath);
    trace.WriteLine(m_strCommand);
    DWORD readError = ERROR_SUCCESS;
    bool quitSent = false;
    try {
        char chunk[OUTPUT_CHUNK_BYTES];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(m_run.output.Get(), chunk, sizeof chunk, &got, nullptr)) {
                readError = GetLastError();
                break;
            }
            if (m_bStopRequest == 1) {
                WriteAll(m_run.input.Get(), std::string(QUIT_REQUEST, sizeof QUIT_REQUEST));
                m_bStopRequest = 0;
                quitSent = true;
                break;
            }
            if (got == 0)
                break;
            for (const std::string& line : lines.Feed(chunk, got)) {
                trace.WriteLine(line);
                m_owner.OnProcessLine(line);
            }
        }
    } catch (...) {
        // The run is abandoned: with its pipes closed the encoder ends by itself.
        CloseAll();
        m_owner.OnReadingAbandoned();
        return;
    }

    MarkStage("output-closed");
    const bool readFailed = readError != ERROR_SUCCESS && readError != ERROR_BROKEN_PIPE;
    const DWORD endValue = readFailed ? readError : 0;
    const std::string pending = lines.TakePending();
    if (!pending.empty()) {
        trace.WriteLine(pending);
        if (readFailed)
            LogEvent(EVENTLOG_ERROR_TYPE, EVENT_ID_ERROR,
                     ("Module:CFFMPEGENCODER,Line:PostMessage,Error Info :" + pending).c_str());
        m_owner.OnProcessLine(pending);
    }
    trace.Close();

    // An encoder finishing its file after the quit request may still write
    // more than the pipe holds: keep the pipe flowing until it closes.
    if (quitSent) {
        char discard[OUTPUT_CHUNK_BYTES];
        DWORD got = 0;
        while (ReadFile(m_run.output.Get(), discard, sizeof discard, &got, nullptr)) {
        }
    }

    m_run.process.hThread.Reset();
    WaitForSingleObject(m_hWait ? m_hWait.Get() : m_run.process.hProcess.Get(), INFINITE);
    MarkStage("encoder-waited");
    // A crash, a kill or a program that is no encoder ends without a word:
    // only the exit code tells such an end from a finished file.
    DWORD exitCode = STILL_ACTIVE;
    m_bExitedCleanly = GetExitCodeProcess(m_run.process.hProcess.Get(), &exitCode) && exitCode == 0;
    CloseAll();
    m_owner.OnProcessEnded(endValue);
    MarkStage("ended-handled");
    WriteStageTimes();
}
