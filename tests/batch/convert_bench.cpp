// Converts one clip through the program (probe included) and the same clip
// directly through FFmpeg with the options the encoder hands it, and prints
// the wall-time ratio. Run by bench/convert_ratio.sh, never by CTest.
#include "RemoteProgram.h"

#include "app/AppServices.h"
#include "encoder/CommandLine.h"
#include "encoder/FfmpegOptions.h"
#include "res/resource.h"
#include "support/HostProcess.h"

#include <cstdio>
#include <fstream>

namespace {

std::string BenchFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "vodrix_bench\\";
}

int Fail(const char* what)
{
    fprintf(stderr, "convert_bench: %s\n", what);
    return 1;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

int main()
{
    const std::string folder = BenchFolder();
    const std::string out = folder + "out\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA(out.c_str(), nullptr);
    const std::string clip = folder + "bench.avi";
    if (!RunHostShell("rm -f " + Quoted(HostPathOf(out)) + "/*; ffmpeg -v error -y -f lavfi -i "
                      "testsrc=size=640x480:rate=25:duration=60 -f lavfi -i sine=frequency=440:duration=60 "
                      "-c:v mpeg4 -c:a libmp3lame -shortest " + Quoted(HostPathOf(clip))))
        return Fail("cannot run FFmpeg on the host");
    WriteSetting("Directory", out.c_str());

    RemoteProgram program;
    if (!program.Start(PROGRAM_HOST_PATH, folder + "errors.log"))
        return Fail("the program did not start");
    DWORD confirmed = 0;
    if (!program.AddFiles(folder, {"bench.avi"}, &confirmed))
        return Fail("the file could not be added");
    while (program.Rows().empty() || program.Rows()[0].duration.empty())
        Sleep(5);
    const DWORD probeMs = GetTickCount() - confirmed;
    const DWORD convertStart = GetTickCount();
    program.Click(IDC_CONVERT);
    const RemoteDialog done = program.WaitForDialog(600000, "Info");
    const DWORD convertMs = GetTickCount() - convertStart;
    if (!done.hwnd)
        return Fail("the conversion did not end");
    RemoteProgram::Close(done, IDOK);
    program.Quit();

    // The command line the program ran, as the encoder reads it.
    std::string programDir = "Z:" + std::string(PROGRAM_HOST_PATH);
    for (char& c : programDir)
        if (c == '/')
            c = '\\';
    programDir = DirectoryOfPath(programDir.c_str());
    const std::string vec = programDir + "vec.exe";
    std::string command;
    std::ifstream trace(programDir + "trace");
    std::getline(trace, command);
    // The trace holds the command without a line break before the encoder's lines.
    command = command.substr(0, command.find("frame="));
    std::vector<std::string> arguments = SplitArguments(command.c_str(), vec.c_str());
    if (arguments.empty())
        return Fail("no command line in the trace");
    arguments.erase(arguments.begin());
    EncodeSettings settings;
    std::string error;
    if (!ParseConverterOptions(arguments, settings, error))
        return Fail(error.c_str());
    std::string direct = "ffmpeg -hide_banner -loglevel error -y -i " + Quoted(HostPathOf(clip));
    for (const std::string& option : FfmpegOutputOptions(settings))
        direct += " " + Quoted(option);
    const std::string extension = settings.output.substr(settings.output.rfind('.'));
    direct += " " + Quoted(HostPathOf(out) + "/direct" + extension);
    const DWORD directStart = GetTickCount();
    RunHostShell(direct);
    const DWORD directMs = GetTickCount() - directStart;

    const DWORD programMs = probeMs + convertMs;
    printf("program: %lu ms (probe %lu ms, conversion %lu ms)\n", programMs, probeMs, convertMs);
    printf("FFmpeg directly: %lu ms\n", directMs);
    printf("ratio: %.2f\n", directMs ? static_cast<double>(programMs) / directMs : 0.0);
    return 0;
}
