// A scriptable stand-in for the encoder, started by the engine tests as
// "vec.exe". The environment variable VODRIX_TEST_ENCODER_SCRIPT names a
// script; each of its lines is one step:
//   write TEXT          one write of TEXT to standard output (escapes \n \r \t \\ \0 \xHH)
//   sleep MS            pause
//   wait FILE           wait until FILE exists (the test's go-ahead)
//   signal FILE         create FILE (tells the test where the script is)
//   stdin-pending FILE  store the number of bytes waiting on standard input
//   read-stdin FILE     read standard input until 10 bytes or its end; store them
//   flood BYTES         write about BYTES bytes of output lines, ignoring write failures
//   cmdline FILE        store the command line this process was started with
//   module FILE         add this program's own path and a line feed to FILE
//   fill FILE           write a few bytes of data into FILE, as an encoder its output
//   exit CODE           end with CODE
// Lines starting with '#' are ignored. The script's end exits with 0.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr DWORD WAIT_LIMIT_MS = 60000;

std::string Unescape(const std::string& text)
{
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            bytes += text[i];
            continue;
        }
        const char kind = text[++i];
        switch (kind) {
        case 'n': bytes += '\n'; break;
        case 'r': bytes += '\r'; break;
        case 't': bytes += '\t'; break;
        case '0': bytes += '\0'; break;
        case 'x':
            bytes += static_cast<char>(strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
            break;
        default: bytes += kind; break;
        }
    }
    return bytes;
}

bool WriteOut(const std::string& bytes)
{
    DWORD written = 0;
    return WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
                     &written, nullptr) != FALSE;
}

void StoreFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WaitForFile(const std::string& path)
{
    for (DWORD waited = 0; !FileExists(path); waited += 10) {
        if (waited > WAIT_LIMIT_MS)
            ExitProcess(3);
        Sleep(10);
    }
}

std::string PendingStdinBytes()
{
    DWORD available = 0;
    PeekNamedPipe(GetStdHandle(STD_INPUT_HANDLE), nullptr, 0, nullptr, &available, nullptr);
    return std::to_string(available);
}

std::string ReadQuitRequest()
{
    std::string bytes;
    char buffer[10];
    DWORD got = 0;
    while (bytes.size() < sizeof buffer &&
           ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, static_cast<DWORD>(sizeof buffer - bytes.size()),
                    &got, nullptr) &&
           got > 0)
        bytes.append(buffer, got);
    return bytes;
}

void AppendModulePath(const std::string& path)
{
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::ofstream(path, std::ios::binary | std::ios::app) << module << "\n";
}

void Flood(long bytes)
{
    const std::string line = std::string(99, 'x') + "\n";
    for (long sent = 0; sent < bytes; sent += static_cast<long>(line.size()))
        if (!WriteOut(line))
            return;
}

}  // namespace

int main()
{
    const char* scriptPath = getenv("VODRIX_TEST_ENCODER_SCRIPT");
    if (!scriptPath)
        return 2;
    std::ifstream script(scriptPath);
    std::string step;
    while (std::getline(script, step)) {
        if (!step.empty() && step.back() == '\r')
            step.pop_back();
        if (step.empty() || step[0] == '#')
            continue;
        const size_t blank = step.find(' ');
        const std::string verb = step.substr(0, blank);
        const std::string arg = blank == std::string::npos ? std::string() : step.substr(blank + 1);
        if (verb == "write")
            WriteOut(Unescape(arg));
        else if (verb == "sleep")
            Sleep(static_cast<DWORD>(atol(arg.c_str())));
        else if (verb == "wait")
            WaitForFile(arg);
        else if (verb == "signal")
            StoreFile(arg, "");
        else if (verb == "stdin-pending")
            StoreFile(arg, PendingStdinBytes());
        else if (verb == "read-stdin")
            StoreFile(arg, ReadQuitRequest());
        else if (verb == "flood")
            Flood(atol(arg.c_str()));
        else if (verb == "cmdline")
            StoreFile(arg, GetCommandLineA());
        else if (verb == "module")
            AppendModulePath(arg);
        else if (verb == "fill")
            StoreFile(arg, "encoded data");
        else if (verb == "exit")
            return atoi(arg.c_str());
        else
            return 4;
    }
    return 0;
}
