// Converts clips through the program and the same clips directly through
// FFmpeg with the options the encoder hands it, interleaved, and prints where
// the program's time goes and how it compares. Run by bench/convert_ratio.sh,
// never by CTest.
//
// The machine is shared: how long FFmpeg takes depends mostly on what else
// runs at the time, so a program run and a direct run, even back to back,
// can differ by a factor of two. The program's cost is therefore measured
// within each run, against FFmpeg's own time in that same run (noted by the
// host shell around FFmpeg); the processor time of FFmpeg inside the program
// and directly shows that it does the same work either way.
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
    {"first-row", "converter, once: click to the first row's turn (dialog, worker)"},
    {"batch-start", "converter: previous row's end to this row's turn (row checks)"},
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
    {"done", "converter, once: last row settled, completion notice shown"},
};

// Marks that carry a measured value rather than a point in time.
const char FFMPEG_CPU[] = "ffmpeg-cpu";

std::string BenchFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "vodrix_bench\\";
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

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
    explicit Bench(std::string folder)
        : m_folder(std::move(folder)), m_out(m_folder + "out\\"), m_stageFile(StageFile())
    {
    }

    // Makes the clip and `files` copies of it to convert in one batch.
    bool Prepare(const Clip& clip, int files)
    {
        CreateDirectoryA(m_folder.c_str(), nullptr);
        CreateDirectoryA(m_out.c_str(), nullptr);
        m_clip = clip;
        const std::string path = HostPathOf(m_folder + clip.name);
        std::string copies;
        m_names.clear();
        for (int i = 1; i <= files; ++i) {
            m_names.push_back(std::to_string(i) + clip.name);
            copies += "; cp " + Quoted(path) + " " + Quoted(HostPathOf(m_folder + m_names.back()));
        }
        return RunHostShell("ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=" + std::string(clip.size) +
                            ":rate=25:duration=" + std::to_string(clip.seconds) +
                            " -f lavfi -i sine=frequency=440:duration=" + std::to_string(clip.seconds) +
                            " -c:v mpeg4 -c:a libmp3lame -shortest " + Quoted(path) + copies) &&
               GetFileAttributesA((m_folder + m_names.back()).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // One batch through the program; false when it did not complete.
    bool ThroughProgram()
    {
        ClearOutput();
        WriteSetting("Directory", m_out.c_str());
        RemoteProgram program;
        if (!program.Start(PROGRAM_HOST_PATH, m_folder + "errors.log"))
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

    // The same conversion of one file directly with FFmpeg, timed by the host
    // shell around FFmpeg alone, with the processor time it used.
    bool Directly()
    {
        std::string command = DirectCommand();
        if (command.empty())
            return Fail("no command line in the trace");
        const std::string timeFile = m_folder + "direct_us";
        DeleteFileA(timeFile.c_str());
        RunHostShell("s=$(date +%s%6N); " + command + "; e=$(date +%s%6N); { echo $((e - s)); times; } >" +
                     Quoted(HostPathOf(timeFile)));
        m_directCommand = command;
        const std::string measured = ReadText(timeFile);
        const long long microseconds = atoll(measured.c_str());
        const long long processor = ChildProcessorMicroseconds(measured);
        if (microseconds <= 0 || processor < 0)
            return Fail("FFmpeg did not run");
        m_directs.push_back(microseconds / 1000.0);
        m_directProcessor.push_back(processor / 1000.0);
        return true;
    }

    void PrintRun(int run) const
    {
        const BatchRun& last = m_runs.back();
        printf("  run %d: program %.0f ms (FFmpeg's own runs in it %.0f ms), FFmpeg directly %.0f ms, load %s\n", run,
               last.total, last.ffmpeg, m_directs.back(), LoadAverage().c_str());
    }

    // Prints the stages and the comparison.
    void PrintSummary()
    {
        const size_t files = m_names.size();
        printf("  FFmpeg directly: %s\n", m_directCommand.c_str());
        printf("  where the program's time goes (median ms of %zu runs of %zu file%s):\n", m_runs.size(), files,
               files == 1 ? "" : "s");
        printf("    %-62s %6.0f\n", "probe of each file when it is added (before the conversion)", Median(m_probes));
        for (const auto& stage : STAGES) {
            auto found = m_stages.find(stage.mark);
            if (found != m_stages.end())
                printf("    %-62s %6.0f\n", stage.stage, Median(found->second));
        }
        printf("  FFmpeg per file: in the program %.0f ms, %.0f ms processor; directly %.0f ms (from %.0f to %.0f), "
               "%.0f ms processor\n",
               Median(m_ffmpegRuns), Median(m_processor), Median(m_directs),
               *std::min_element(m_directs.begin(), m_directs.end()),
               *std::max_element(m_directs.begin(), m_directs.end()), Median(m_directProcessor));
        printf("  processor time of FFmpeg in the program / directly: %.3f (the same work either way at 1)\n",
               ProcessorRatio());
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

    double ProcessorRatio() const { return Median(m_processor) / Median(m_directProcessor); }

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
    // turn and the completion notice come once per batch.
    BatchRun TakeApart(long long click, long long done)
    {
        Marks marks = ReadMarks(m_stageFile, &m_processor);
        marks.emplace_back(done, "done");
        BatchRun run;
        run.total = (done - click) / 1000.0;
        long long previous = click;
        bool firstRow = true;
        for (const auto& mark : marks) {
            const double ms = (mark.first - previous) / 1000.0;
            std::string stage = mark.second;
            if (stage == "batch-start" && firstRow) {
                stage = "first-row";
                firstRow = false;
            }
            if (stage == "first-row" || stage == "done")
                run.onceOnly += ms;
            if (stage == "ffmpeg-ended") {
                run.ffmpeg += ms;
                m_ffmpegRuns.push_back(ms);
            }
            m_stages[stage].push_back(ms);
            previous = mark.first;
        }
        return run;
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
    std::vector<std::string> m_names;
    std::vector<BatchRun> m_runs;
    std::vector<double> m_directs, m_directProcessor, m_processor, m_ffmpegRuns, m_probes;
    std::map<std::string, std::vector<double>> m_stages;
};

// Five runs of one clip, the program and FFmpeg taking turns to go first so
// that neither always meets a warmer or a busier machine.
bool Measure(const Clip& clip, int files, Bench& bench)
{
    if (!bench.Prepare(clip, files)) {
        fprintf(stderr, "convert_bench: cannot make the clip with the host's FFmpeg\n");
        return false;
    }
    printf("clip of %d s at %s, %d file%s per batch (load at the start %s):\n", clip.seconds, clip.size, files,
           files == 1 ? "" : "s", LoadAverage().c_str());
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
    bench.PrintSummary();
    return true;
}

}  // namespace

int main()
{
    if (GetEnvironmentVariableA("VEC_STAGE_TIMES", nullptr, 0) == 0) {
        fprintf(stderr, "convert_bench: set VEC_STAGE_TIMES to the file for vec.exe's stage times\n");
        return 1;
    }
    Bench shortClips(BenchFolder()), longClip(BenchFolder());
    if (!Measure({"short.avi", 6, "320x240"}, 5, shortClips) || !Measure({"long.avi", 60, "640x480"}, 1, longClip))
        return 1;
    printf("fixed overhead per file on the 6 s clip, in a batch of 5: %.0f ms (goal: at most 60 ms); "
           "once per batch: %.0f ms\n",
           shortClips.PerFile(), shortClips.PerBatch());
    printf("ratio program / FFmpeg's own run on the 60 s clip: %.3f (goal: at most 1.05); "
           "FFmpeg's processor time in the program / directly: %.3f; "
           "paired wall-clock ratio program / direct run: %.3f (swayed by the machine's other work)\n",
           longClip.RatioInRun(), longClip.ProcessorRatio(), longClip.RatioPaired());
    return 0;
}
