// Converts clips through the program and the same clips directly through
// FFmpeg with the options the encoder hands it, interleaved, and prints where
// the program's time goes and how it compares. Run by bench/convert_ratio.sh,
// never by CTest.
#include "RemoteProgram.h"

#include "app/AppServices.h"
#include "encoder/CommandLine.h"
#include "encoder/FfmpegOptions.h"
#include "app/StageTimes.h"
#include "res/resource.h"
#include "support/HostProcess.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace {

const int RUNS = 5;
const DWORD CONVERSION_TIMEOUT_MS = 600000;

struct Clip {
    const char* name;
    int seconds;
    const char* size;
};

// The stages of one conversion in the order they end, as noted by the bench
// ("done"), the converter and vec.exe (see app/StageTimes.h); the bench's
// click on Convert starts the first.
const struct {
    const char* mark;
    const char* stage;
} STAGES[] = {
    {"batch-start", "converter: click to the row's turn (dialog, worker, row checks)"},
    {"command-built", "converter: command line built and logged"},
    {"pipes", "converter: pipes made"},
    {"created", "converter: CreateProcess until vec.exe exists"},
    {"vec-start", "vec.exe program start (created to main)"},
    {"setup", "vec.exe setup (arguments, private folder)"},
    {"start-ffmpeg", "vec.exe host-shell spawn: start ffmpeg (until its process id is noted)"},
    {"ffmpeg-ended", "ffmpeg runs (host clock)"},
    {"encoding", "vec.exe notices the end"},
    {"vec-finish", "vec.exe finish (output check, folder removal)"},
    {"output-closed", "converter: vec.exe exits, its output pipe closes"},
    {"encoder-waited", "converter: wait for the process"},
    {"ended-handled", "converter: bar to 100, tray tip"},
    {"done", "converter: row settled, completion notice shown"},
};

std::string BenchFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "vodrix_bench\\";
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string ReadText(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The marks of one run, ordered by time.
std::vector<std::pair<long long, std::string>> ReadMarks(const std::string& path)
{
    std::vector<std::pair<long long, std::string>> marks;
    std::istringstream lines(ReadText(path));
    std::string name;
    long long at = 0;
    while (lines >> name >> at)
        marks.emplace_back(at, name);
    std::sort(marks.begin(), marks.end());
    return marks;
}

class Bench {
public:
    explicit Bench(std::string folder)
        : m_folder(std::move(folder)), m_out(m_folder + "out\\"), m_stageFile(StageFile())
    {
    }

    bool Prepare(const Clip& clip)
    {
        CreateDirectoryA(m_folder.c_str(), nullptr);
        CreateDirectoryA(m_out.c_str(), nullptr);
        m_clip = clip;
        const std::string path = m_folder + clip.name;
        return RunHostShell("ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=" + std::string(clip.size) +
                            ":rate=25:duration=" + std::to_string(clip.seconds) +
                            " -f lavfi -i sine=frequency=440:duration=" + std::to_string(clip.seconds) +
                            " -c:v mpeg4 -c:a libmp3lame -shortest " + Quoted(HostPathOf(path))) &&
               GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // One run through the program; false when it did not complete.
    bool ThroughProgram()
    {
        ClearOutput();
        WriteSetting("Directory", m_out.c_str());
        RemoteProgram program;
        if (!program.Start(PROGRAM_HOST_PATH, m_folder + "errors.log"))
            return Fail("the program did not start");
        DWORD confirmed = 0;
        if (!program.AddFiles(m_folder, {m_clip.name}, &confirmed) || !program.WaitForProbedRows(1, 60000))
            return Fail("the file could not be added");
        m_probes.push_back(GetTickCount() - confirmed);

        DeleteFileA(m_stageFile.c_str());
        const long long click = NowMicroseconds();
        program.Click(IDC_CONVERT);
        const RemoteDialog notice = WaitForNotice(program);
        const long long done = NowMicroseconds();
        if (!notice.hwnd)
            return Fail("the conversion did not end");
        RemoteProgram::Close(notice, IDOK);
        program.Quit();
        m_programs.push_back((done - click) / 1000.0);
        NoteStages(click, done);
        return true;
    }

    // The same conversion directly with FFmpeg, timed by the host shell
    // around FFmpeg alone.
    bool Directly()
    {
        std::string command = DirectCommand();
        if (command.empty())
            return Fail("no command line in the trace");
        const std::string timeFile = m_folder + "direct_us";
        DeleteFileA(timeFile.c_str());
        RunHostShell("s=$(date +%s%6N); " + command + "; e=$(date +%s%6N); echo $((e - s)) >" +
                     Quoted(HostPathOf(timeFile)));
        m_directCommand = command;
        const long long microseconds = atoll(ReadText(timeFile).c_str());
        if (microseconds <= 0)
            return Fail("FFmpeg did not run");
        m_directs.push_back(microseconds / 1000.0);
        return true;
    }

    void PrintRun(int run) const
    {
        printf("  run %d: program %.0f ms, FFmpeg %.0f ms\n", run, m_programs.back(), m_directs.back());
    }

    // Prints the stages and the comparison; returns the paired medians.
    void PrintSummary(double* overheadMs, double* ratio) const
    {
        printf("  FFmpeg directly: %s\n", m_directCommand.c_str());
        printf("  where the program's time goes (median ms of %zu runs):\n", m_programs.size());
        printf("    %-58s %6.0f\n", "probe when the file is added (before the conversion)", Median(m_probes));
        for (const auto& stage : STAGES) {
            auto found = m_stages.find(stage.mark);
            if (found != m_stages.end())
                printf("    %-58s %6.0f\n", stage.stage, Median(found->second));
        }
        std::vector<double> differences, ratios;
        for (size_t i = 0; i < m_programs.size(); ++i) {
            differences.push_back(m_programs[i] - m_directs[i]);
            ratios.push_back(m_programs[i] / m_directs[i]);
        }
        const auto spread = std::minmax_element(m_directs.begin(), m_directs.end());
        printf("  conversion through the program: median %.0f ms; FFmpeg directly: median %.0f ms "
               "(from %.0f to %.0f ms)\n",
               Median(m_programs), Median(m_directs), *spread.first, *spread.second);
        *overheadMs = Median(differences);
        *ratio = Median(ratios);
        printf("  per-run difference program - FFmpeg: median %.0f ms; per-run ratio: median %.3f\n", *overheadMs,
               *ratio);
    }

private:
    static std::string StageFile()
    {
        char path[MAX_PATH + 1] = {};
        GetEnvironmentVariableA("VEC_STAGE_TIMES", path, sizeof path);
        return path;
    }

    bool Fail(const char* what) const
    {
        fprintf(stderr, "convert_bench: %s (%s)\n", what, m_clip.name);
        return false;
    }

    void ClearOutput() const { RunHostShell("rm -f " + Quoted(HostPathOf(m_out)) + "/*"); }

    // Waits until vec.exe has noted its end (a cheap check while FFmpeg works),
    // then watches closely for the completion notice.
    RemoteDialog WaitForNotice(const RemoteProgram& program) const
    {
        const DWORD start = GetTickCount();
        while (ReadText(m_stageFile).find("vec-finish") == std::string::npos &&
               GetTickCount() - start < CONVERSION_TIMEOUT_MS && !program.CurrentDialog().hwnd)
            Sleep(20);
        for (;;) {
            RemoteDialog notice = program.WaitForDialog(0, "Info");
            if (notice.hwnd || GetTickCount() - start >= CONVERSION_TIMEOUT_MS)
                return notice;
            Sleep(1);
        }
    }

    void NoteStages(long long click, long long done)
    {
        std::vector<std::pair<long long, std::string>> marks = ReadMarks(m_stageFile);
        marks.emplace_back(done, "done");
        long long previous = click;
        for (const auto& mark : marks) {
            m_stages[mark.second].push_back((mark.first - previous) / 1000.0);
            previous = mark.first;
        }
    }

    // The command line the program ran, as the encoder reads it, turned into
    // the FFmpeg command that does the same without the encoder.
    std::string DirectCommand() const
    {
        std::string programDir = "Z:" + std::string(PROGRAM_HOST_PATH);
        std::replace(programDir.begin(), programDir.end(), '/', '\\');
        programDir = DirectoryOfPath(programDir.c_str());
        std::string command = ReadText(programDir + "trace");
        command = command.substr(0, command.find('\n'));
        std::vector<std::string> arguments = SplitArguments(command.c_str(), (programDir + "vec.exe").c_str());
        if (arguments.empty())
            return "";
        arguments.erase(arguments.begin());
        EncodeSettings settings;
        std::string error;
        if (!ParseConverterOptions(arguments, settings, error))
            return "";
        // vec.exe's own global options, but for its progress report.
        std::string direct = "ffmpeg -nostdin -hide_banner -loglevel error -nostats -y -i " +
                             Quoted(HostPathOf(m_folder + m_clip.name));
        for (const std::string& option : FfmpegOutputOptions(settings))
            direct += " " + Quoted(option);
        return direct + " " + Quoted(HostPathOf(m_out) + "/direct" + settings.output.substr(settings.output.rfind('.')));
    }

    std::string m_folder, m_out, m_stageFile, m_directCommand;
    Clip m_clip = {};
    std::vector<double> m_programs, m_directs, m_probes;
    std::map<std::string, std::vector<double>> m_stages;
};

// Five runs of one clip, the program and FFmpeg taking turns to go first so
// that neither always meets a warmer or a busier machine.
bool Measure(const Clip& clip, double* overheadMs, double* ratio)
{
    Bench bench(BenchFolder());
    if (!bench.Prepare(clip)) {
        fprintf(stderr, "convert_bench: cannot make the clip with the host's FFmpeg\n");
        return false;
    }
    printf("clip of %d s at %s:\n", clip.seconds, clip.size);
    for (int run = 1; run <= RUNS; ++run) {
        const bool programFirst = run % 2 == 1;
        if (programFirst && !bench.ThroughProgram())
            return false;
        if (!bench.Directly())
            return false;
        if (!programFirst && !bench.ThroughProgram())
            return false;
        bench.PrintRun(run);
    }
    bench.PrintSummary(overheadMs, ratio);
    return true;
}

}  // namespace

int main()
{
    if (GetEnvironmentVariableA("VEC_STAGE_TIMES", nullptr, 0) == 0) {
        fprintf(stderr, "convert_bench: set VEC_STAGE_TIMES to the file for vec.exe's stage times\n");
        return 1;
    }
    double shortOverhead = 0, shortRatio = 0, longOverhead = 0, longRatio = 0;
    if (!Measure({"short.avi", 6, "320x240"}, &shortOverhead, &shortRatio) ||
        !Measure({"long.avi", 60, "640x480"}, &longOverhead, &longRatio))
        return 1;
    printf("fixed overhead per file on the 6 s clip: %.0f ms (goal: at most 60 ms)\n", shortOverhead);
    printf("ratio program / FFmpeg on the 60 s clip: %.3f (goal: at most 1.05)\n", longRatio);
    return 0;
}
