#include "COMMON/CConsoleProcess.h"

#include "COMMON/CFfmpegEncoder.h"
#include "COMMON/EncoderOutput.h"
#include "app/AppServices.h"
#include "app/StageTimes.h"

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

void SendLine(CFfmpegEncoder* owner, std::string line)
{
    owner->OnProcessEvent(PROCESS_LINE, reinterpret_cast<uintptr_t>(new std::string(std::move(line))));
}

}  // namespace

BOOL StartHiddenProcess(const std::string& command, HANDLE hStdIn, HANDLE hStdOut, ProcessHandles* pProcess)
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
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &info))
        return FALSE;
    pProcess->hProcess.reset(info.hProcess);
    pProcess->hThread.reset(info.hThread);
    pProcess->dwProcessId = info.dwProcessId;
    pProcess->dwThreadId = info.dwThreadId;
    return TRUE;
}

void CConsoleProcess::Init(const std::string& strCommand, CFfmpegEncoder* pOwner)
{
    m_strCommand = strCommand;
    m_pOwner = pOwner;
    CloseAll();
    m_bStopRequest = 0;
}

void CConsoleProcess::CloseAll()
{
    m_hOutRead.reset();
    m_hWait.reset();
    m_hInRead.reset();
    m_hInWrite.reset();
    m_pi = ProcessHandles();
}

int CConsoleProcess::bExecute()
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    UniqueHandle outWrite;
    if (!CreatePipe(m_hOutRead.receive(), outWrite.receive(), &inheritable, 0))
        return 0;
    // The encoder gets only its own ends of the pipes.
    SetHandleInformation(m_hOutRead.get(), HANDLE_FLAG_INHERIT, 0);

    UniqueHandle inWriteTemporary;
    if (!CreatePipe(m_hInRead.receive(), inWriteTemporary.receive(), &inheritable, 0)) {
        CloseAll();
        return 0;
    }
    if (!DuplicateHandle(GetCurrentProcess(), inWriteTemporary.get(), GetCurrentProcess(),
                         m_hInWrite.receive(), 0, FALSE, DUPLICATE_SAME_ACCESS)) {
        CloseAll();
        return 0;
    }
    inWriteTemporary.reset();

    MarkStage("pipes");
    if (!StartHiddenProcess(m_strCommand, m_hInRead.get(), outWrite.get(), &m_pi)) {
        const DWORD code = GetLastError();
        outWrite.reset();
        CloseAll();
        m_pOwner->OnProcessEvent(PROCESS_ENDED, code);
        SetLastError(code);
        return 0;
    }
    m_hWait.reset(OpenProcess(SYNCHRONIZE, FALSE, m_pi.dwProcessId));
    m_pOwner->OnProcessEvent(PROCESS_STARTED, reinterpret_cast<uintptr_t>(m_pi.hProcess.get()));
    // From now on only the encoder holds the write end: its exit closes the pipe.
    outWrite.reset();
    m_hInRead.reset();
    ReadOutput();
    return 1;
}

void CConsoleProcess::ReadOutput()
{
    LineAssembler lines;
    TraceFile trace(m_pOwner->GetOwnFilesDirectory() + "trace");
    trace.WriteLine(m_strCommand);
    DWORD readError = ERROR_SUCCESS;
    bool quitSent = false;
    try {
        char chunk[OUTPUT_CHUNK_BYTES];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(m_hOutRead.get(), chunk, sizeof chunk, &got, nullptr)) {
                readError = GetLastError();
                break;
            }
            if (m_bStopRequest == 1) {
                DWORD written = 0;
                WriteFile(m_hInWrite.get(), QUIT_REQUEST, sizeof QUIT_REQUEST, &written, nullptr);
                m_bStopRequest = 0;
                quitSent = true;
                break;
            }
            if (got == 0)
                break;
            for (std::string& line : lines.Feed(chunk, got)) {
                trace.WriteLine(line);
                SendLine(m_pOwner, std::move(line));
            }
        }
    } catch (...) {
        // The run is abandoned: with its pipes closed the encoder ends by itself.
        CloseAll();
        m_pOwner->View().ShowRunFailure("ERROR");
        return;
    }

    MarkStage("output-closed");
    const bool readFailed = readError != ERROR_SUCCESS && readError != ERROR_BROKEN_PIPE;
    const DWORD endValue = readFailed ? readError : 0;
    std::string pending = lines.TakePending();
    if (!pending.empty()) {
        trace.WriteLine(pending);
        if (readFailed)
            LogEvent(EVENTLOG_ERROR_TYPE, EVENT_ID_ERROR,
                     ("Module:CFFMPEGENCODER,Line:PostMessage,Error Info :" + pending).c_str());
        SendLine(m_pOwner, std::move(pending));
    }
    trace.Close();

    // An encoder finishing its file after the quit request may still write
    // more than the pipe holds: keep the pipe flowing until it closes.
    if (quitSent) {
        char discard[OUTPUT_CHUNK_BYTES];
        DWORD got = 0;
        while (ReadFile(m_hOutRead.get(), discard, sizeof discard, &got, nullptr)) {
        }
    }

    m_pi.hThread.reset();
    WaitForSingleObject(m_hWait ? m_hWait.get() : m_pi.hProcess.get(), INFINITE);
    MarkStage("encoder-waited");
    CloseAll();
    m_pOwner->OnProcessEvent(PROCESS_ENDED, endValue);
    MarkStage("ended-handled");
    WriteStageTimes();
    if (m_bStopRequest != 1)
        m_pOwner->m_bStopped = 0;
}
