// How long the converter takes from its launch to a usable main window
// (visible and painted, Add enabled), against its own dialog template shown
// by a bare program and against the smallest one-button dialog, all started
// the same way, in alternating runs. Prints the medians of the converter's
// own start-up stages (services/StageTimes.h) and its ratio to the bare
// template (goal: at most 1.5); the one-button figures are for information.
// Run by bench/startup_ratio.sh, never by CTest.
#include "services/StageTimes.h"
#include "res/resource.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using Stages = std::map<std::string, long long>;  // stage name -> microseconds on NowMicroseconds' clock

struct Contender {
    const char* hostPath;
    int usableItem;  // the control whose being enabled makes the window usable
    int closeItem;   // the command that ends the program
};

const Contender CONVERTER{PROGRAM_HOST_PATH, IDC_ADD, IDC_EXIT};
const Contender BARE{BARE_HOST_PATH, IDC_ADD, IDC_EXIT};
const Contender TRIVIAL{TRIVIAL_HOST_PATH, IDOK, IDOK};

std::string WindowsPath(std::string hostPath)
{
    std::replace(hostPath.begin(), hostPath.end(), '/', '\\');
    return "Z:" + hostPath;
}

std::string StageFile()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "vodrix_startup_stages";
}

struct Search {
    DWORD processId;
    int item;
    HWND found;
};

BOOL CALLBACK FindUsable(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    HWND item = owner == search->processId && IsWindowVisible(window) ? GetDlgItem(window, search->item) : nullptr;
    // Usable means seen too: shown, enabled, and nothing left to paint.
    if (item && IsWindowVisible(item) && IsWindowEnabled(item) && !GetUpdateRect(window, nullptr, FALSE) &&
        !GetUpdateRect(item, nullptr, FALSE)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The process's visible, painted top-level window whose item is enabled, polled until
// it appears, the process ends or 60 s pass.
HWND WaitUntilUsable(const PROCESS_INFORMATION& process, int item)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 60000 && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        Search search{process.dwProcessId, item, nullptr};
        EnumWindows(FindUsable, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(2);  // a polling period, short against a start-up of a few hundred milliseconds
    }
    return nullptr;
}

Stages ReadStages(const std::string& file)
{
    Stages stages;
    std::ifstream in(file);
    std::string name;
    long long at = 0;
    while (in >> name >> at)
        stages.emplace(name, at);  // the first mark of a name is the start-up's
    return stages;
}

// Launches the contender, waits until it is usable, ends it through its own
// command and returns its stages with "launch" and "ready" added; empty when
// it failed.
Stages RunOnce(const Contender& contender)
{
    const std::string stageFile = StageFile();
    DeleteFileA(stageFile.c_str());
    std::string command = "\"" + WindowsPath(contender.hostPath) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const long long launch = NowMicroseconds();
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return {};
    HWND window = WaitUntilUsable(process, contender.usableItem);
    const long long ready = NowMicroseconds();
    if (window)
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(contender.closeItem, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, contender.closeItem)));
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        window = nullptr;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!window)
        return {};
    Stages stages = ReadStages(stageFile);
    stages["launch"] = launch;
    stages["ready"] = ready;
    return stages;
}

double MedianMs(std::vector<long long> micros)
{
    if (micros.empty())
        return -1;
    std::sort(micros.begin(), micros.end());
    return micros[micros.size() / 2] / 1000.0;
}

double MedianSpan(const std::vector<Stages>& runs, const char* from, const char* to)
{
    std::vector<long long> spans;
    for (const Stages& run : runs)
        if (run.count(from) && run.count(to))
            spans.push_back(run.at(to) - run.at(from));
    return MedianMs(spans);
}

std::string Load()
{
    std::ifstream in("Z:\\proc\\loadavg");
    std::string one;
    in >> one;
    return one.empty() ? "?" : one;
}

// Every mark the converter noted, in the order of its median time from the
// launch, for finding where a stage's time goes.
void PrintEveryMark(const std::vector<Stages>& runs)
{
    std::map<std::string, bool> names;
    for (const Stages& run : runs)
        for (const auto& stage : run)
            names[stage.first] = true;
    std::vector<std::pair<double, std::string>> marks;
    for (const auto& name : names)
        marks.emplace_back(MedianSpan(runs, "launch", name.first.c_str()), name.first);
    std::sort(marks.begin(), marks.end());
    std::printf("\n%-52s %8s\n", "every mark of the converter, from the launch", "ms");
    for (const auto& mark : marks)
        std::printf("%-52s %8.1f\n", mark.second.c_str(), mark.first);
}

int Fail(const char* what)
{
    std::fprintf(stderr, "startup_bench: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    SetEnvironmentVariableA("VEC_STAGE_TIMES", StageFile().c_str());
    std::printf("start-up of the converter against its bare template and a one-button dialog, %d alternating runs "
                "each (load %s)\n",
                runs, Load().c_str());
    // The first start of each reads its files from disk: a user's second start does not.
    if (RunOnce(CONVERTER).empty() || RunOnce(BARE).empty() || RunOnce(TRIVIAL).empty())
        return Fail("a warm-up start failed");
    std::vector<Stages> converter, bare, trivial;
    for (int i = 0; i < runs; ++i) {
        converter.push_back(RunOnce(CONVERTER));
        bare.push_back(RunOnce(BARE));
        trivial.push_back(RunOnce(TRIVIAL));
        if (converter.back().empty() || bare.back().empty() || trivial.back().empty())
            return Fail("a start did not become usable, or did not end through its own command");
    }
    const struct {
        const char* what;
        const char* from;
        const char* to;
    } rows[] = {
        {"process start to the entry point", "launch", "entry"},
        {"  of which the process's creation", "launch", "created"},
        {"engine start and skin load", "entry", "skin"},
        {"dialog creation (template and controls)", "skin", "dialog-created"},
        {"control set-up (WM_INITDIALOG)", "dialog-created", "controls-set-up"},
        {"start-up worker, from its start until Add is enabled", "worker-started", "add-enabled"},
        {"first paint, from the launch", "launch", "first-paint"},
    };
    std::printf("%-52s %8s\n", "converter stage (medians)", "ms");
    for (const auto& row : rows)
        std::printf("%-52s %8.1f\n", row.what, MedianSpan(converter, row.from, row.to));
    std::printf("%-52s %8.1f\n", "bare template: process start to the entry point",
                MedianSpan(bare, "launch", "entry"));
    std::printf("%-52s %8.1f\n", "one-button dialog: process start to the entry point",
                MedianSpan(trivial, "launch", "entry"));
    const double program = MedianSpan(converter, "launch", "ready");
    const double ownWindows = MedianSpan(bare, "launch", "ready");
    const double oneButton = MedianSpan(trivial, "launch", "ready");
    std::printf("%-52s %8.1f\n", "converter usable, from the launch", program);
    std::printf("%-52s %8.1f\n", "bare template usable, from the launch", ownWindows);
    std::printf("%-52s %8.1f\n", "one-button dialog usable, from the launch", oneButton);
    std::printf("ratio to the one-button dialog %.2f (for information)\n", program / oneButton);
    std::printf("ratio to the bare template %.2f (goal: at most 1.5; load %s)\n", program / ownWindows,
                Load().c_str());
    PrintEveryMark(converter);
    return 0;
}
