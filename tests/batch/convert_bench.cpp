// Converts clips through the program and the same clips directly through
// FFmpeg with the options the encoder hands it, interleaved, and prints where
// the program's time goes and how it compares, for both ways vec.exe reaches
// FFmpeg: the bundled Windows "ffmpeg.exe" beside it (the program as it
// ships, compared with that same ffmpeg.exe started directly under the same
// Wine) and the host's FFmpeg (a copy of the program in a folder without
// ffmpeg.exe, compared with the host's ffmpeg run from a host shell). Run by
// bench/convert_ratio.sh, never by CTest.
//
// The machine is shared: how long FFmpeg takes depends mostly on what else
// runs at the time, so a program run and a direct run, even back to back,
// can differ by a factor of two. The program's cost is therefore measured
// within each run, against FFmpeg's own time in that same run (noted by vec.exe
// from the Windows process, or by the host shell around FFmpeg). For the
// host's FFmpeg, its processor time inside the program and directly shows that
// it does the same work either way; Wine tells no such time of a Windows process.
#include "RemoteProgram.h"

#include "services/AppServices.h"
#include "encoder/CommandLine.h"
#include "encoder/FfmpegOptions.h"
#include "services/StageTimes.h"
#include "res/resource.h"
#include "support/HostProcess.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace {

const int DEFAULT_RUNS = 5;
const DWORD CONVERSION_TIMEOUT_MS = 600000;

struct Clip {
    const char* name;
    int seconds;
    const char* size;
};

// The program's folder decides how vec.exe reaches FFmpeg.
struct Route {
    const char* name;
    std::string programHostPath;
    bool bundledFfmpeg;  // ffmpeg.exe beside vec.exe, rather than the host's ffmpeg
};

// The stages of one conversion in the order they end, as noted by the bench
// ("done"), the converter and vec.exe (see services/StageTimes.h); the bench's
// click on Convert starts the first.
const struct {
    const char* mark;
    const char* stage;
} STAGES[] = {
    {"first-row", "converter, once: click to the first row's turn (dialog, worker)"},
    {"batch-start", "converter: previous row's end to this row's turn (row checks)"},
    {"command-built", "converter: command line built and logged"},
    {"pipes", "converter: pipes made"},
    {"created", "converter: CreateProcess until vec.exe exists"},
    {"handed-over", "converter: command line handed to the standby vec.exe"},
    {"vec-start", "vec.exe program start (created to main), or the standby takes the command"},
    {"setup", "vec.exe setup (arguments, choice of FFmpeg, the host way's folder)"},
    {"ffmpeg-starting", "vec.exe options, pipes (ffmpeg.exe route)"},
    {"start-ffmpeg", "ffmpeg.exe: CreateProcess / host ffmpeg: shell spawn until its id is noted"},
    {"ffmpeg-ended", "ffmpeg runs (to its exit, on the system's clock)"},
    {"encoding", "vec.exe notices the end"},
    {"vec-finish", "vec.exe finish (output check, folder removal)"},
    {"output-closed", "converter: vec.exe exits, its output pipe closes"},
    {"encoder-waited", "converter: wait for the process"},
    {"ended-handled", "converter: bar to 100, tray tip"},
    {"done", "converter, once: last row settled, completion notice shown"},
};

// Marks that carry a measured value rather than a point in time.
const char FFMPEG_CPU[] = "ffmpeg-cpu";
// Where FFmpeg's own run begins when vec.exe starts it as a Windows process:
// its start is part of FFmpeg's run, as it is of a direct run.
const char FFMPEG_STARTING[] = "ffmpeg-starting";

std::string BenchFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "vodrix_bench\\";
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// Quoted for a Windows program's command line (no argument here ends in a backslash).
std::string WindowsQuoted(const std::string& text) { return "\"" + text + "\""; }

std::string WindowsPathOfHost(std::string hostPath)
{
    std::replace(hostPath.begin(), hostPath.end(), '/', '\\');
    return "Z:" + hostPath;
}

// Makes the clip and `files` copies of it in `folder`; the names of the copies.
std::vector<std::string> MakeClips(const std::string& folder, const Clip& clip, int files)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = HostPathOf(folder + clip.name);
    std::string copies;
    std::vector<std::string> names;
    for (int i = 1; i <= files; ++i) {
        names.push_back(std::to_string(i) + clip.name);
        copies += "; cp " + Quoted(path) + " " + Quoted(HostPathOf(folder + names.back()));
    }
    const bool made = RunHostShell("ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=" + std::string(clip.size) +
                                   ":rate=25:duration=" + std::to_string(clip.seconds) +
                                   " -f lavfi -i sine=frequency=440:duration=" + std::to_string(clip.seconds) +
                                   " -c:v mpeg4 -c:a libmp3lame -shortest " + Quoted(path) + copies);
    if (!made || GetFileAttributesA((folder + names.back()).c_str()) == INVALID_FILE_ATTRIBUTES)
        names.clear();
    return names;
}

std::string LoadAverage()
{
    std::ifstream file("Z:\\proc\\loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

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

using Marks = std::vector<std::pair<long long, std::string>>;

// The marks of one run, ordered by time, and the processor times FFmpeg used.
Marks ReadMarks(const std::string& path, std::vector<double>* processorMs)
{
    Marks marks;
    std::istringstream lines(ReadText(path));
    std::string name;
    long long at = 0;
    while (lines >> name >> at) {
        if (name == FFMPEG_CPU)
            processorMs->push_back(at / 1000.0);
        else
            marks.emplace_back(at, name);
    }
    std::sort(marks.begin(), marks.end());
    return marks;
}

size_t Count(const std::string& text, const std::string& word)
{
    size_t count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++count;
    return count;
}

// One run of a batch through the program, taken apart.
struct BatchRun {
    double total = 0;       // click to completion notice
    double onceOnly = 0;    // click to the first row's turn, and the notice
    double ffmpeg = 0;      // FFmpeg's own runs (host clock), all rows
    double PerFile(size_t files) const { return (total - onceOnly - ffmpeg) / files; }
};

class Bench {
public:
    Bench(std::string folder, Route route, const Clip& clip, std::vector<std::string> names)
        : m_folder(std::move(folder)), m_out(m_folder + "out\\"), m_stageFile(StageFile()), m_route(std::move(route)),
          m_clip(clip), m_names(std::move(names))
    {
        CreateDirectoryA(m_out.c_str(), nullptr);
    }

    // One batch through the program; false when it did not complete.
    bool ThroughProgram()
    {
        ClearOutput();
        WriteSetting("Directory", m_out.c_str());
        RemoteProgram program;
        if (!program.Start(m_route.programHostPath, m_folder + "errors.log"))
            return Fail("the program did not start");
        DWORD confirmed = 0;
        if (!program.AddFiles(m_folder, m_names, &confirmed) ||
            !program.WaitForProbedRows(m_names.size(), 60000 * static_cast<DWORD>(m_names.size())))
            return Fail("the files could not be added");
        m_probes.push_back((GetTickCount() - confirmed) / static_cast<double>(m_names.size()));

        DeleteFileA(m_stageFile.c_str());
        const long long click = NowMicroseconds();
        program.Click(IDC_CONVERT);
        const RemoteDialog notice = WaitForNotice(program);
        const long long done = NowMicroseconds();
        if (!notice.hwnd)
            return Fail("the conversion did not end");
        RemoteProgram::Close(notice, IDOK);
        program.Quit();
        m_runs.push_back(TakeApart(click, done));
        return true;
    }

    // The same conversion of one file directly with the route's FFmpeg.
    bool Directly()
    {
        const std::vector<std::string> options = DirectOptions();
        if (options.empty())
            return Fail("no command line in the trace");
        long long wall = 0, processor = 0;
        if (m_route.bundledFfmpeg ? !RunWindowsFfmpeg(options, wall) : !RunHostFfmpeg(options, wall, processor))
            return Fail("FFmpeg did not run");
        m_directs.push_back(wall / 1000.0);
        if (!m_route.bundledFfmpeg)
            m_directProcessor.push_back(processor / 1000.0);
        return true;
    }

    void PrintRun(int run) const
    {
        const BatchRun& last = m_runs.back();
        printf("  %s, run %d: program %.0f ms (FFmpeg's own runs in it %.0f ms), FFmpeg directly %.0f ms, load %s\n",
               m_route.name, run, last.total, last.ffmpeg, m_directs.back(), LoadAverage().c_str());
    }

    // Prints the stages and the comparison.
    void PrintSummary()
    {
        const size_t files = m_names.size();
        printf(" %s:\n  FFmpeg directly: %s\n", m_route.name, m_directCommand.c_str());
        printf("  where the program's time goes (median ms of %zu runs of %zu file%s):\n", m_runs.size(), files,
               files == 1 ? "" : "s");
        printf("    %-62s %6.0f\n", "probe of each file when it is added (before the conversion)", Median(m_probes));
        for (const auto& stage : STAGES) {
            auto found = m_stages.find(stage.mark);
            if (found != m_stages.end())
                printf("    %-62s %6.0f\n", stage.stage, Median(found->second));
        }
        printf("  FFmpeg per file: in the program %.0f ms; directly %.0f ms (from %.0f to %.0f)\n", Median(m_ffmpegRuns),
               Median(m_directs), *std::min_element(m_directs.begin(), m_directs.end()),
               *std::max_element(m_directs.begin(), m_directs.end()));
        if (ProcessorRatio() > 0)
            printf("  processor time of FFmpeg in the program %.0f ms, directly %.0f ms: %.3f (the same work either "
                   "way at 1)\n",
                   Median(m_processor), Median(m_directProcessor), ProcessorRatio());
        printf("  per file beyond FFmpeg's own run: %.0f ms; once per batch: %.0f ms\n", PerFile(), PerBatch());
    }

    double PerFile() const
    {
        std::vector<double> values;
        for (const BatchRun& run : m_runs)
            values.push_back(run.PerFile(m_names.size()));
        return Median(values);
    }

    double PerBatch() const
    {
        std::vector<double> values;
        for (const BatchRun& run : m_runs)
            values.push_back(run.onceOnly);
        return Median(values);
    }

    // The program's whole time over FFmpeg's own time in the same run.
    double RatioInRun() const
    {
        std::vector<double> values;
        for (const BatchRun& run : m_runs)
            values.push_back(run.total / run.ffmpeg);
        return Median(values);
    }

    // Paired runs back to back: at the mercy of the machine's other work.
    double RatioPaired() const
    {
        std::vector<double> values;
        for (size_t i = 0; i < m_runs.size(); ++i)
            values.push_back(m_runs[i].total / m_names.size() / m_directs[i]);
        return Median(values);
    }

    // Known for the host's FFmpeg only; 0 when not measured.
    double ProcessorRatio() const
    {
        return m_processor.empty() || m_directProcessor.empty() ? 0.0
                                                                 : Median(m_processor) / Median(m_directProcessor);
    }

    const Route& RouteTaken() const { return m_route; }

private:
    static std::string StageFile()
    {
        char path[MAX_PATH + 1] = {};
        GetEnvironmentVariableA("VEC_STAGE_TIMES", path, sizeof path);
        return path;
    }

    bool Fail(const char* what) const
    {
        fprintf(stderr, "convert_bench: %s (%s, %s)\n", what, m_clip.name, m_route.name);
        return false;
    }

    void ClearOutput() const { RunHostShell("rm -f " + Quoted(HostPathOf(m_out)) + "/*"); }

    // Waits until the converter has noted the end of every row (a cheap check
    // while FFmpeg works), then watches closely for the completion notice.
    RemoteDialog WaitForNotice(const RemoteProgram& program) const
    {
        const DWORD start = GetTickCount();
        while (Count(ReadText(m_stageFile), "ended-handled") < m_names.size() &&
               GetTickCount() - start < CONVERSION_TIMEOUT_MS && !program.CurrentDialog().hwnd)
            Sleep(20);
        for (;;) {
            RemoteDialog notice = program.WaitForDialog(0, "Info");
            if (notice.hwnd || GetTickCount() - start >= CONVERSION_TIMEOUT_MS)
                return notice;
            Sleep(1);
        }
    }

    // Each stage's time is its mark minus the mark before; the first row's
    // turn and the completion notice come once per batch. FFmpeg's own run
    // starts where vec.exe starts ffmpeg.exe, else where the host shell noted it.
    BatchRun TakeApart(long long click, long long done)
    {
        Marks marks = ReadMarks(m_stageFile, &m_processor);
        marks.emplace_back(done, "done");
        BatchRun run;
        run.total = (done - click) / 1000.0;
        long long previous = click;
        long long ffmpegFrom = -1;
        bool firstRow = true;
        for (const auto& mark : marks) {
            if (mark.first < click)
                continue;  // the program's own start, noted before the batch
            const double ms = (mark.first - previous) / 1000.0;
            std::string stage = mark.second;
            if (stage == "batch-start" && firstRow) {
                stage = "first-row";
                firstRow = false;
            }
            if (stage == "first-row" || stage == "done")
                run.onceOnly += ms;
            if (stage == FFMPEG_STARTING)
                ffmpegFrom = mark.first;
            if (stage == "ffmpeg-ended") {
                const double own = (mark.first - (ffmpegFrom >= 0 ? ffmpegFrom : previous)) / 1000.0;
                run.ffmpeg += own;
                m_ffmpegRuns.push_back(own);
                ffmpegFrom = -1;
            }
            m_stages[stage].push_back(ms);
            previous = mark.first;
        }
        return run;
    }

    // The command line the program ran, as the encoder reads it, turned into
    // the FFmpeg options that do the same without the encoder: vec.exe's own
    // global options, but for its progress report.
    std::vector<std::string> DirectOptions() const
    {
        std::string programDir = DirectoryOfPath(WindowsPathOfHost(m_route.programHostPath).c_str());
        std::string command = ReadText(programDir + "trace");
        command = command.substr(0, command.find('\n'));
        std::vector<std::string> arguments = SplitArguments(command.c_str(), (programDir + "vec.exe").c_str());
        if (arguments.empty())
            return {};
        arguments.erase(arguments.begin());
        EncodeSettings settings;
        std::string error;
        if (!ParseConverterOptions(arguments, settings, error))
            return {};
        std::vector<std::string> options = {"-nostdin", "-hide_banner", "-loglevel", "error", "-nostats", "-y", "-i",
                                            m_folder + m_clip.name};
        for (const std::string& option : FfmpegOutputOptions(settings))
            options.push_back(option);
        options.push_back(m_out + "direct" + settings.output.substr(settings.output.rfind('.')));
        return options;
    }

    // The host's ffmpeg, timed by the host shell around it, with the processor time it used.
    bool RunHostFfmpeg(std::vector<std::string> options, long long& wall, long long& processor)
    {
        std::string command = "ffmpeg";
        for (size_t i = 0; i < options.size(); ++i) {
            const bool path = i + 1 == options.size() || (i > 0 && options[i - 1] == "-i");
            command += " " + Quoted(path ? HostPathOf(options[i]) : options[i]);
        }
        const std::string timeFile = m_folder + "direct_us";
        DeleteFileA(timeFile.c_str());
        RunHostShell("s=$(date +%s%6N); " + command + "; e=$(date +%s%6N); { echo $((e - s)); times; } >" +
                     Quoted(HostPathOf(timeFile)));
        m_directCommand = command;
        const std::string measured = ReadText(timeFile);
        wall = atoll(measured.c_str());
        processor = ChildProcessorMicroseconds(measured);
        return wall > 0 && processor >= 0;
    }

    // The bundled ffmpeg.exe started from here as vec.exe starts it, timed
    // from its start to its end. (Wine tells no processor time of it.)
    bool RunWindowsFfmpeg(const std::vector<std::string>& options, long long& wall)
    {
        const std::string program =
            DirectoryOfPath(WindowsPathOfHost(m_route.programHostPath).c_str()) + "ffmpeg.exe";
        std::string command = WindowsQuoted(program);
        for (const std::string& option : options)
            command += " " + WindowsQuoted(option);
        m_directCommand = command;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started = {};
        const long long start = NowMicroseconds();
        if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                            &startup, &started))
            return false;
        WaitForSingleObject(started.hProcess, CONVERSION_TIMEOUT_MS);
        wall = NowMicroseconds() - start;
        DWORD exitCode = 1;
        const bool ended = GetExitCodeProcess(started.hProcess, &exitCode) && exitCode == 0;
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
        return ended;
    }

    std::string m_folder, m_out, m_stageFile, m_directCommand;
    Route m_route;
    Clip m_clip;
    std::vector<std::string> m_names;
    std::vector<BatchRun> m_runs;
    std::vector<double> m_directs, m_directProcessor, m_processor, m_ffmpegRuns, m_probes;
    std::map<std::string, std::vector<double>> m_stages;
};

// Runs of one clip through every route, the program and FFmpeg taking turns
// to go first so that neither always meets a warmer or a busier machine.
bool Measure(const Clip& clip, int files, int runs, const std::vector<Route>& routes, std::vector<Bench>& benches)
{
    const std::vector<std::string> names = MakeClips(BenchFolder(), clip, files);
    if (names.empty()) {
        fprintf(stderr, "convert_bench: cannot make the clip with the host's FFmpeg\n");
        return false;
    }
    for (const Route& route : routes)
        benches.emplace_back(BenchFolder(), route, clip, names);
    printf("clip of %d s at %s, %d file%s per batch (load at the start %s):\n", clip.seconds, clip.size, files,
           files == 1 ? "" : "s", LoadAverage().c_str());
    for (int run = 1; run <= runs; ++run) {
        for (Bench& bench : benches) {
            const bool programFirst = run % 2 == 1;
            if (programFirst && !bench.ThroughProgram())
                return false;
            if (!bench.Directly())
                return false;
            if (!programFirst && !bench.ThroughProgram())
                return false;
            bench.PrintRun(run);
        }
    }
    for (Bench& bench : benches)
        bench.PrintSummary();
    return true;
}

// The program as built, with the bundled FFmpeg beside it, and a copy of it
// and its encoder and skin in a folder of their own without FFmpeg.
std::vector<Route> Routes()
{
    const std::string dist = std::string(PROGRAM_HOST_PATH).substr(0, std::string(PROGRAM_HOST_PATH).rfind('/'));
    const std::string bare = dist + "/../bench_host_route";
    RunHostShell("rm -rf " + Quoted(bare) + "; mkdir -p " + Quoted(bare) + "; cp " + Quoted(dist) +
                 "/VodrixVideoConverter.exe " + Quoted(dist) + "/vec.exe " + Quoted(dist) + "/x-plus.smf " +
                 Quoted(bare));
    return {{"bundled ffmpeg.exe", PROGRAM_HOST_PATH, true},
            {"host ffmpeg", bare + "/VodrixVideoConverter.exe", false}};
}

}  // namespace

int main(int argc, char** argv)
{
    if (GetEnvironmentVariableA("VEC_STAGE_TIMES", nullptr, 0) == 0) {
        fprintf(stderr, "convert_bench: set VEC_STAGE_TIMES to the file for vec.exe's stage times\n");
        return 1;
    }
    const int runs = argc > 1 ? atoi(argv[1]) : DEFAULT_RUNS;
    const std::vector<Route> routes = Routes();
    std::vector<Bench> shortClips, longClip;
    if (runs < 1 || !Measure({"short.avi", 6, "320x240"}, 5, runs, routes, shortClips) ||
        !Measure({"long.avi", 60, "1280x720"}, 1, runs, routes, longClip))
        return 1;
    for (size_t i = 0; i < routes.size(); ++i) {
        const bool product = routes[i].bundledFfmpeg;
        printf("%s: fixed overhead per file on the 6 s clip, in a batch of 5: %.0f ms%s; once per batch: %.0f ms\n",
               routes[i].name, shortClips[i].PerFile(), product ? " (goal: at most 60 ms)" : "",
               shortClips[i].PerBatch());
        printf("%s: ratio program / FFmpeg's own run on the 60 s clip: %.3f%s; "
               "paired wall-clock ratio program / direct run: %.3f (swayed by the machine's other work)\n",
               routes[i].name, longClip[i].RatioInRun(), product ? " (goal: at most 1.03)" : "",
               longClip[i].RatioPaired());
    }
    return 0;
}
