// How quickly the converter's window answers while the encoder converts: the
// program converts a long clip and its window is sent WM_NULL every 50 ms
// until the bar passes 80 %. Run by bench/window_answer.sh, never by CTest.
#include "RemoteProgram.h"

#include "services/AppServices.h"
#include "res/resource.h"
#include "support/HostProcess.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

std::string BenchFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "vodrix_answer\\";
}

int Fail(const char* what)
{
    fprintf(stderr, "answer_bench: %s\n", what);
    return 1;
}

// Round trips of WM_NULL to the window while the bar is between its first
// move and 80 %; a window that does not answer within 10 s ends the sampling.
std::vector<DWORD> AnswerTimes(const RemoteProgram& program)
{
    std::vector<DWORD> times;
    const DWORD start = GetTickCount();
    while (program.ProgressPosition() == 0 && GetTickCount() - start < 120000)
        Sleep(10);
    while (program.ProgressPosition() > 0 && program.ProgressPosition() < 80) {
        const DWORD sent = GetTickCount();
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(program.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer))
            break;
        times.push_back(GetTickCount() - sent);
        Sleep(50);
    }
    return times;
}

}  // namespace

int main()
{
    const std::string folder = BenchFolder();
    const std::string out = folder + "out\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA(out.c_str(), nullptr);
    if (!RunHostShell("cd '" + HostPathOf(folder) + "' && rm -f out/* && ffmpeg -v error -y -f lavfi -i "
                      "testsrc=size=640x480:rate=25:duration=60 -f lavfi -i sine=frequency=440:duration=60 "
                      "-c:v mpeg4 -c:a libmp3lame -shortest answer.avi"))
        return Fail("cannot run FFmpeg on the host");
    WriteSetting("Directory", out.c_str());

    RemoteProgram program;
    if (!program.Start(PROGRAM_HOST_PATH, folder + "errors.log"))
        return Fail("the program did not start");
    if (!program.AddFiles(folder, {"answer.avi"}) || !program.WaitForProbedRows(1, 60000))
        return Fail("the clip could not be added");
    program.Click(IDC_CONVERT);
    std::vector<DWORD> times = AnswerTimes(program);
    program.Click(IDC_STOP);
    if (times.empty())
        return Fail("the conversion never showed progress");
    std::sort(times.begin(), times.end());
    printf("window answers while the encoder runs: %u samples, median %lu ms, slowest %lu ms (goal: at most "
           "200 ms)\n", static_cast<unsigned>(times.size()), times[times.size() / 2], times.back());
    return 0;
}
