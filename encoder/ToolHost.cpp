#include "encoder/ToolHost.h"

#include "win/OwnedHandle.h"
#include "services/AppServices.h"
#include "services/StageTimes.h"
#include "encoder/WineHost.h"

#include <windows.h>

#include <cstdlib>

namespace {

bool IsNonEmptyFile(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
           !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && (data.nFileSizeLow || data.nFileSizeHigh);
}

// ---- Under Wine: the host's programs, talking through files ----

// Runs the tool with its output in files of the private folder, notes its
// process id and, once it has ended, its exit code, or "missing" when the host
// has no such program. The caller learns of the end from the spawn returning.
// Only builtins besides the tool itself: every further host process would
// cost each conversion a fork and an exec. The id is one short write, so a
// reader that waits for a non-empty file never sees half a number. For the
// bench, the end time on the host's clock and the tool's processor time.
const char RUN_SCRIPT[] =
    "dir=$1; shift\n"
    "command -v \"$1\" >/dev/null 2>&1 || { echo missing >\"$dir/status\"; exit 0; }\n"
    "\"$@\" </dev/null >\"$dir/output\" 2>\"$dir/log\" &\n"
    "echo $! >\"$dir/pid\"\n"
    "wait $!\n"
    "code=$?\n"
    "[ -z \"$VEC_STAGE_TIMES\" ] || { date +%s%6N; times; } >\"$dir/ended\"\n"
    "echo $code >\"$dir/status\"\n";

bool IsMissing(const std::string& status) { return status.compare(0, 7, "missing") == 0; }

std::string MissingToolMessage(const char* tool)
{
    return std::string("FFmpeg is missing: this system has no \"") + tool + "\" program";
}

// FFmpeg finishes its output on an interrupt just as on its "q" key.
const char INTERRUPT_SCRIPT[] = "kill -INT \"$(cat \"$1\")\" 2>/dev/null";

// Runs a host program on a thread of its own, which ends when the program
// has: its handle is the event a caller waits on.
class HostRunThread {
public:
    HostRunThread(const WineHost& wine, std::vector<std::string> argv) : m_wine(wine), m_argv(std::move(argv))
    {
        m_thread.Reset(CreateThread(nullptr, 0, &HostRunThread::Run, this, 0, nullptr));
    }
    ~HostRunThread() { WaitForEnd(INFINITE); }
    HostRunThread(const HostRunThread&) = delete;
    HostRunThread& operator=(const HostRunThread&) = delete;

    bool IsRunning() const { return m_thread.Get() != nullptr; }
    // True once the program has ended (or never started).
    bool WaitForEnd(DWORD milliseconds) const
    {
        return !m_thread || WaitForSingleObject(m_thread.Get(), milliseconds) == WAIT_OBJECT_0;
    }

private:
    static DWORD WINAPI Run(void* self)
    {
        HostRunThread& run = *static_cast<HostRunThread*>(self);
        run.m_wine.Spawn(run.m_argv, true);
        return 0;
    }

    const WineHost& m_wine;
    std::vector<std::string> m_argv;
    CKernelHandle m_thread;
};

class WineEncodingRun : public EncodingRun {
public:
    WineEncodingRun(const WineHost& wine, const PrivateFolder& folder, std::vector<std::string> argv)
        : m_wine(wine), m_folder(folder), m_thread(wine, std::move(argv))
    {
    }

    // Waits until the script has either started FFmpeg (its process id is
    // noted) or ended; false, with a message, when FFmpeg is not running.
    bool WaitUntilStarted(std::string& error)
    {
        if (!m_thread.IsRunning()) {
            error = "cannot start \"ffmpeg\"";
            return false;
        }
        while (!IsNonEmptyFile(m_folder.File("pid")) && !m_thread.WaitForEnd(1)) {
        }
        if (IsNonEmptyFile(m_folder.File("pid")))
            return true;
        error = IsMissing(ReadFileText(m_folder.File("status"))) ? MissingToolMessage("ffmpeg")
                                                                 : "cannot start \"ffmpeg\"";
        return false;
    }

    std::string TakeProgress() override { return ReadFileText(m_folder.File("progress"), &m_progressRead); }

    bool HasEnded(int& exitCode) override
    {
        if (!m_thread.WaitForEnd(0))
            return false;
        std::string status = ReadFileText(m_folder.File("status"));
        exitCode = status.empty() ? -1 : atoi(status.c_str());
        NoteHostEnd();
        return true;
    }

    void WaitForEnd(unsigned long milliseconds) override { m_thread.WaitForEnd(milliseconds); }

    // One interrupt only: FFmpeg takes a second one, while it still finishes
    // its file after the first, as a call to stop at once, and the file's end
    // is lost. An interrupt is never missed, unlike a key.
    void RequestQuit() override
    {
        if (m_interrupted)
            return;
        m_interrupted = true;
        m_wine.Spawn({"/bin/sh", "-c", INTERRUPT_SCRIPT, "sh", m_wine.HostPath(m_folder.File("pid"))}, true);
    }

    std::string Log() override { return ReadFileText(m_folder.File("log")); }

private:
    // When FFmpeg ended on the host's clock and the processor time it used
    // (noted by the script only for the bench).
    void NoteHostEnd() const
    {
        const long long UNIX_EPOCH_MICROSECONDS = 11644473600LL * 1000000;
        std::string ended = ReadFileText(m_folder.File("ended"));
        if (ended.empty())
            return;
        MarkStageAt("ffmpeg-ended", UNIX_EPOCH_MICROSECONDS + atoll(ended.c_str()));
        const long long processor = ChildProcessorMicroseconds(ended);
        if (processor >= 0)
            NoteStageValue("ffmpeg-cpu", processor);
    }

    const WineHost& m_wine;
    const PrivateFolder& m_folder;
    HostRunThread m_thread;
    unsigned long long m_progressRead = 0;
    bool m_interrupted = false;
};

class WineToolHost : public ToolHost {
public:
    WineToolHost() : m_hostFolder(HostFolder()) {}

    bool IsAvailable() const { return m_wine.IsAvailable(); }

    bool ToolPath(const std::string& path, std::string& toolPath) override
    {
        toolPath = m_wine.HostPath(path);
        return !toolPath.empty();
    }

    bool RunProbe(const std::vector<std::string>& arguments, ToolResult& result, std::string& error) override
    {
        if (!HasFolder(error))
            return false;
        ClearFolder();
        if (!m_wine.Spawn(RunArguments("ffprobe", arguments), true)) {
            error = "cannot start \"ffprobe\"";
            return false;
        }
        std::string status = ReadFileText(m_folder.File("status"));
        if (IsMissing(status)) {
            error = MissingToolMessage("ffprobe");
            return false;
        }
        result.output = ReadFileText(m_folder.File("output"));
        result.log = ReadFileText(m_folder.File("log"));
        result.exitCode = status.empty() ? -1 : atoi(status.c_str());
        return true;
    }

    std::unique_ptr<EncodingRun> StartEncoding(const std::vector<std::string>& arguments,
                                               std::string& error) override
    {
        if (!HasFolder(error))
            return nullptr;
        std::vector<std::string> all = {"-nostdin", "-progress", m_hostFolder + "progress"};
        all.insert(all.end(), arguments.begin(), arguments.end());
        ClearFolder();
        std::unique_ptr<WineEncodingRun> run(new WineEncodingRun(m_wine, m_folder, RunArguments("ffmpeg", all)));
        if (!run->WaitUntilStarted(error))
            return nullptr;
        return run;
    }

private:
    bool HasFolder(std::string& error) const
    {
        if (m_hostFolder.empty())
            error = "cannot create a temporary folder";
        return !m_hostFolder.empty();
    }

    std::string HostFolder() const
    {
        if (!m_folder.IsReady())
            return "";
        std::string folder = m_folder.File("");
        folder.pop_back();
        std::string hostFolder = m_wine.HostPath(folder);
        return hostFolder.empty() ? "" : hostFolder + "/";
    }

    void ClearFolder() const
    {
        for (const char* stale : {"output", "log", "pid", "status", "progress", "ended"})
            DeleteFileA(m_folder.File(stale).c_str());
    }

    std::vector<std::string> RunArguments(const char* tool, const std::vector<std::string>& arguments) const
    {
        std::vector<std::string> argv = {"/bin/sh", "-c", RUN_SCRIPT, "sh", m_hostFolder, tool};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return argv;
    }

    WineHost m_wine;
    PrivateFolder m_folder;
    std::string m_hostFolder;  // with its trailing slash; empty without a folder
};

}  // namespace

PrivateFolder::PrivateFolder()
{
    char temp[MAX_PATH + 1] = {};
    if (!GetTempPathA(MAX_PATH, temp))
        return;
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        std::string path = std::string(temp) + "vec-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(GetTickCount() + attempt);
        if (CreateDirectoryA(path.c_str(), nullptr)) {
            m_path = path + "\\";
            return;
        }
    }
}

PrivateFolder::~PrivateFolder()
{
    if (m_path.empty())
        return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((m_path + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((m_path + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(m_path.c_str());
}

std::string ReadFileText(const std::string& path, unsigned long long* offset)
{
    CKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Get())
        return "";
    LARGE_INTEGER start;
    start.QuadPart = offset ? static_cast<LONGLONG>(*offset) : 0;
    if (!SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN))
        return "";
    std::string text;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr) && read > 0)
        text.append(chunk, read);
    if (offset)
        *offset += text.size();
    return text;
}

std::unique_ptr<ToolHost> CreateToolHost()
{
    const std::string programDir = GetProgramDir();
    if (!HasWindowsTools(programDir)) {
        std::unique_ptr<WineToolHost> wine(new WineToolHost);
        if (wine->IsAvailable())
            return wine;
    }
    return CreateWindowsToolHost(programDir);
}

