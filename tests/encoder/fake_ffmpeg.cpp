// A stand-in for FFmpeg's Windows programs, to test how vec.exe talks to
// "ffmpeg.exe" and "ffprobe.exe" through pipes where no Windows FFmpeg exists.
// As ffprobe: prints fixed facts. As ffmpeg: prints "-progress pipe:1"
// blocks every 50 ms for 0.1 s of media each, up to the second given by the
// input name ("clip-3.avi": 3 s), stops early on "q" from standard input,
// writes the last argument as its output file. An input named "broken..."
// fails with a message on standard error.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::atomic<bool> g_quit(false);

void Out(const std::string& text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void Err(const std::string& text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string ArgumentAfter(int argc, char** argv, const char* option)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (strcmp(argv[i], option) == 0)
            return argv[i + 1];
    return "";
}

void Block(int tenths, const char* state)
{
    char text[160];
    snprintf(text, sizeof text, "frame=%d\nfps=25.0\nout_time_us=%lld\nspeed=1x\nprogress=%s\n", tenths * 3,
             tenths * 100000LL, state);
    Out(text);
}

int Encode(int argc, char** argv)
{
    if (ArgumentAfter(argc, argv, "-progress") != "pipe:1") {
        Err("fake ffmpeg: progress must go to pipe:1\n");
        return 2;
    }
    std::string input = ArgumentAfter(argc, argv, "-i");
    const char* name = strrchr(input.c_str(), '\\');
    name = name ? name + 1 : input.c_str();
    if (strncmp(name, "broken", 6) == 0) {
        Err(input + ": Invalid data found when processing input\n");
        return 1;
    }
    std::thread([] {
        char key = 0;
        DWORD read = 0;
        while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &key, 1, &read, nullptr) && read == 1)
            if (key == 'q')
                g_quit = true;
    }).detach();
    const char* dash = strrchr(name, '-');
    int tenths = dash ? atoi(dash + 1) * 10 : 10;
    int done = 0;
    for (; done < tenths && !g_quit; ++done) {
        Block(done, "continue");
        Sleep(50);
    }
    FILE* output = fopen(argv[argc - 1], "wb");
    if (!output) {
        Err(std::string(argv[argc - 1]) + ": No such file or directory\n");
        return 1;
    }
    fputs("fake media", output);
    fclose(output);
    Block(done, "end");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (strstr(argv[0], "ffprobe")) {
        Err("fake ffprobe: reading\n");
        Out("streams_stream_0_codec_type=\"video\"\nstreams_stream_0_width=64\nstreams_stream_0_height=48\n"
            "format_duration=\"3.500000\"\n");
        return 0;
    }
    return Encode(argc, argv);
}
