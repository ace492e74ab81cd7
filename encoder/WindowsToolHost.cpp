// "ffmpeg.exe" and "ffprobe.exe" beside vec.exe, started as Windows processes
// (on Windows as under Wine) with pipes for their standard input, output and
// errors. No file is involved: under Wine a process's handles close a moment
// after its end is signalled, too late for a folder removed right after.
#include "encoder/ToolHost.h"

#include "win/OwnedHandle.h"
#include "services/StageTimes.h"

#include <windows.h>

namespace {

// How often a probe looks at ffprobe's pipes while it works; its end is seen at once.
const DWORD PROBE_POLL_MILLISECONDS = 20;

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Quotes one argument so that the C runtime of the started program reads it back unchanged.
std::string QuoteArgument(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

// What a pipe holds now, without waiting for more.
std::string ReadAvailable(HANDLE pipe)
{
    std::string text;
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        std::string chunk(available, '\0');
        DWORD read = 0;
        if (!ReadFile(pipe, &chunk[0], available, &read, nullptr) || read == 0)
            break;
        text.append(chunk, 0, read);
    }
    return text;
}

// A started tool with a pipe for each of its standard handles.
class WindowsProcess {
public:
    bool Start(const std::string& program, const std::vector<std::string>& arguments, std::string& error)
    {
        SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
        CKernelHandle inputRead, outputWrite, errorsWrite;
        if (!CreatePipe(inputRead.Receive(), m_input.Receive(), &inheritable, 0) ||
            !CreatePipe(m_output.Receive(), outputWrite.Receive(), &inheritable, 0) ||
            !CreatePipe(m_errors.Receive(), errorsWrite.Receive(), &inheritable, 0) ||
            !SetHandleInformation(m_input.Get(), HANDLE_FLAG_INHERIT, 0) ||
            !SetHandleInformation(m_output.Get(), HANDLE_FLAG_INHERIT, 0) ||
            !SetHandleInformation(m_errors.Get(), HANDLE_FLAG_INHERIT, 0)) {
            error = "cannot create the pipes to FFmpeg";
            return false;
        }
        std::string commandLine = QuoteArgument(program);
        for (const std::string& argument : arguments)
            commandLine += " " + QuoteArgument(argument);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = inputRead.Get();
        startup.hStdOutput = outputWrite.Get();
        startup.hStdError = errorsWrite.Get();
        PROCESS_INFORMATION started = {};
        MarkStage("ffmpeg-starting");  // for the bench: the tool's own run begins
        if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                            nullptr, &startup, &started)) {
            error = "cannot start \"" + program + "\"";
            return false;
        }
        CloseHandle(started.hThread);
        *m_process.Receive() = started.hProcess;
        return true;
    }

    // What the tool has written to its standard output so far.
    std::string ReadOutput() { return ReadAvailable(m_output.Get()); }

    // Its error messages so far. Read while it works, so that a full pipe
    // never holds it back.
    const std::string& Errors()
    {
        m_errorText += ReadAvailable(m_errors.Get());
        return m_errorText;
    }

    void WaitForEnd(DWORD milliseconds) { WaitForSingleObject(m_process.Get(), milliseconds); }

    bool HasEnded(int& exitCode)
    {
        DWORD code = 0;
        if (WaitForSingleObject(m_process.Get(), 0) != WAIT_OBJECT_0 || !GetExitCodeProcess(m_process.Get(), &code))
            return false;
        exitCode = static_cast<int>(code);
        return true;
    }

    // For the bench: when the tool ended. (Wine does not tell the processor
    // time of another process: it answers the first thread's alone.)
    void NoteEnd() const
    {
        FILETIME created, exited, kernel, user;
        if (StageTimesWanted() && GetProcessTimes(m_process.Get(), &created, &exited, &kernel, &user))
            MarkStageAt("ffmpeg-ended", FileTimeMicroseconds(exited));
    }

    void Write(const char* text, DWORD length)
    {
        DWORD written = 0;
        WriteFile(m_input.Get(), text, length, &written, nullptr);
    }

private:
    CKernelHandle m_process, m_input, m_output, m_errors;
    std::string m_errorText;
};

class WindowsEncodingRun : public EncodingRun {
public:
    WindowsProcess& Process() { return m_process; }

    std::string TakeProgress() override
    {
        m_process.Errors();
        return m_process.ReadOutput();
    }

    bool HasEnded(int& exitCode) override
    {
        if (!m_process.HasEnded(exitCode))
            return false;
        m_process.NoteEnd();
        return true;
    }

    void WaitForEnd(unsigned long milliseconds) override { m_process.WaitForEnd(milliseconds); }
    void RequestQuit() override { m_process.Write("q", 1); }
    std::string Log() override { return m_process.Errors(); }

private:
    WindowsProcess m_process;
};

class WindowsToolHost : public ToolHost {
public:
    explicit WindowsToolHost(const std::string& toolDir) : m_toolDir(toolDir)
    {
        // The tools inherit only the pipes made for them: the converter's
        // pipes, held open by a tool, would outlive vec.exe.
        for (DWORD standard : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE})
            SetHandleInformation(GetStdHandle(standard), HANDLE_FLAG_INHERIT, 0);
    }

    bool ToolPath(const std::string& path, std::string& toolPath) override
    {
        toolPath = path;
        return true;
    }

    bool RunProbe(const std::vector<std::string>& arguments, ToolResult& result, std::string& error) override
    {
        WindowsProcess process;
        if (!FindTool("ffprobe.exe", error) || !process.Start(m_toolDir + "ffprobe.exe", arguments, error))
            return false;
        while (!process.HasEnded(result.exitCode)) {
            result.output += process.ReadOutput();
            process.Errors();
            process.WaitForEnd(PROBE_POLL_MILLISECONDS);
        }
        result.output += process.ReadOutput();
        result.log = process.Errors();
        return true;
    }

    std::unique_ptr<EncodingRun> StartEncoding(const std::vector<std::string>& arguments,
                                               std::string& error) override
    {
        std::vector<std::string> all = {"-progress", "pipe:1"};
        all.insert(all.end(), arguments.begin(), arguments.end());
        std::unique_ptr<WindowsEncodingRun> run(new WindowsEncodingRun);
        if (!FindTool("ffmpeg.exe", error) || !run->Process().Start(m_toolDir + "ffmpeg.exe", all, error))
            return nullptr;
        return run;
    }

private:
    bool FindTool(const char* tool, std::string& error) const
    {
        if (FileExists(m_toolDir + tool))
            return true;
        error = std::string("FFmpeg is missing: \"") + tool + "\" is not beside vec.exe in " + m_toolDir;
        return false;
    }

    std::string m_toolDir;
};

}  // namespace

bool HasWindowsTools(const std::string& toolDir)
{
    return FileExists(toolDir + "ffmpeg.exe") && FileExists(toolDir + "ffprobe.exe");
}

std::unique_ptr<ToolHost> CreateWindowsToolHost(const std::string& toolDir)
{
    return std::unique_ptr<ToolHost>(new WindowsToolHost(toolDir));
}
