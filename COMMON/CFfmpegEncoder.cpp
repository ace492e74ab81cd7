#include "COMMON/CFfmpegEncoder.h"

#include "COMMON/EncoderCommand.h"
#include "COMMON/EncoderOutput.h"
#include "COMMON/MediaProbe.h"
#include "COMMON/OptionTables.h"
#include "COMMON/RunFiles.h"
#include "COMMON/SourceScript.h"
#include "services/StageTimes.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const MODULE_NAME = "COMMON\\CFfmpegEncoder";
constexpr int BUILD_FAILURE_LINE = 366;
// Module number of the entries about encoder output and probing.
constexpr unsigned ENCODER_MODULE_ID = 0xFFFF01;

const char* const FRAME_SIZE_MESSAGE = " Destionation File Width/Height must be a multiple of 2 ! ";

// Where runs go when nobody watches them.
CSilentConvertView g_silentView;

// Only the start of a line matters to the progress parser.
constexpr size_t LINE_CHARS_EXAMINED = 511;

void LogError(const char* text) { LogEvent(EVENTLOG_ERROR_TYPE, EVENT_ID_ERROR, text); }

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    const int length = snprintf(nullptr, 0, format, args...);
    std::string text(length > 0 ? length : 0, '\0');
    snprintf(&text[0], text.size() + 1, format, args...);
    return text;
}

// An output line that is not a progress line, or one that claims 100 % or more.
void LogOutputLine(const char* line)
{
    LogError(Format("Module:%x,Line:%s,Error Info :%s", ENCODER_MODULE_ID, "PostMessage", line).c_str());
}

}  // namespace

CFfmpegEncoder::CFfmpegEncoder() : CFfmpegEncoder(GetProgramDir(), GetOwnFilesDir()) {}

CFfmpegEncoder::CFfmpegEncoder(const std::string& folder) : CFfmpegEncoder(folder, folder) {}

CFfmpegEncoder::CFfmpegEncoder(std::string programDir, std::string ownFilesDir)
    : m_item(),
      m_pView(&g_silentView),
      m_hProcess(nullptr),
      m_bError(0),
      m_bStopped(0),
      m_strProgramDir(std::move(programDir)),
      m_strOwnFilesDir(std::move(ownFilesDir)),
      m_runner(*this, m_strOwnFilesDir + "trace")
{
}

int CFfmpegEncoder::bGetOptionName(int nListType, int nIndex, char* pszName)
{
    const OptionTable* table = FindOptionTable(nListType);
    const char* name = table ? OptionEntry(*table, nIndex) : nullptr;
    if (!name || !pszName || strlen(name) > static_cast<size_t>(MEDIA_PATH_CHARS))
        return 0;
    strcpy(pszName, name);
    return 1;
}

int CFfmpegEncoder::bGetOptionCount(int nListType, int* pnCount)
{
    if (!pnCount)
        return 0;
    const OptionTable* table = FindOptionTable(nListType);
    *pnCount = table ? table->count : 0;
    return table ? 1 : 0;
}

void CFfmpegEncoder::ReservedSlot(DWORD) {}

int CFfmpegEncoder::bReservedSlot(DWORD, DWORD) { return 1; }

int CFfmpegEncoder::bSetNotifyView(IConvertView* pView)
{
    m_pView = pView ? pView : &g_silentView;
    return 1;
}

int CFfmpegEncoder::bRelease()
{
    EndFollowingRun();
    return 1;
}

// ---------------------------------------------------------------------------
// Command line

int CFfmpegEncoder::bBuildCommand(MediaItem* pItem)
{
    MarkStage("batch-start");
    try {
        if (!pItem)
            return 0;
        memcpy(&m_item, pItem, MEDIA_ITEM_ENCODER_BYTES);
        // Whatever the caller left in them, the copy's paths end in their fields.
        m_item.m_szSourcePath[MEDIA_PATH_CHARS] = '\0';
        m_item.m_szOutputPath[MEDIA_PATH_CHARS] = '\0';
        m_hProcess = nullptr;
        m_bError = 0;
        m_script.Remove();
        m_strOutputPath.clear();

        if (!FrameSizeAllowed(m_item)) {
            m_pView->ShowNotice(FRAME_SIZE_MESSAGE);
            return 0;
        }
        CommandFiles files{m_strProgramDir, m_item.m_szSourcePath, std::string()};
        if (TakesScript(m_item) && !WriteScript(&files.input))
            return 0;
        files.output = ChooseOutputName();
        m_strCommand = BuildCommandLine(m_item, files);
        const int result = files.output.empty() ? 0 : 1;
        if (result == 1) {
            // The caller finds the produced file under the full name.
            m_strOutputPath = files.output;
            memcpy(pItem->m_szOutputPath, files.output.c_str(), files.output.size() + 1);
        } else {
            m_script.Remove();
        }
        // The log entry leaves out the executable and the token; the tail is
        // taken by length, since the program directory may itself hold "-i".
        LogEvent(EVENTLOG_INFORMATION_TYPE, EVENT_ID_INFO,
                 m_strCommand.c_str() + EncoderInvocation(m_strProgramDir).size() + 1);
        return result;
    } catch (...) {
        LogError(Format("Module:%s,Line:%d,Unable to get output video convert interface", MODULE_NAME,
                        BUILD_FAILURE_LINE)
                     .c_str());
        return 0;
    }
}

// Sources that only DirectShow could read reach the encoder through a script
// of this build's own. False, after telling the user, when that script
// cannot be written whole: the encoder would read another run's script or none.
bool CFfmpegEncoder::WriteScript(std::string* pInput)
{
    if (WriteRunScript(m_strOwnFilesDir, m_item.m_szSourcePath, &m_script)) {
        *pInput = m_script.Path();
        return true;
    }
    RefuseItem(__LINE__, "Script file not written in ", m_strOwnFilesDir + " for " + m_item.m_szSourcePath);
    m_pView->ShowNotice(Format(MSG_SCRIPT_NOT_WRITTEN, m_item.m_szSourcePath, m_strOwnFilesDir.c_str()).c_str());
    return false;
}

// The name the command writes to, which must fit the caller's path field. A
// name that is taken gets a number before its extension: no output replaces
// a file, an earlier row's among them. Empty, after logging why, when the
// item gets no name.
std::string CFfmpegEncoder::ChooseOutputName() const
{
    const OutputName planned = PlanOutputName(m_item);
    const std::string wanted = planned.stem + planned.extension;
    switch (planned.refusal) {
    case CommandRefusal::NONE: break;
    case CommandRefusal::UNKNOWN_TARGET: return std::string();
    case CommandRefusal::OPTION_OUT_OF_RANGE:
        RefuseItem(__LINE__, "Option index out of range", "");
        return std::string();
    case CommandRefusal::OUTPUT_NAME_TOO_LONG:
        RefuseItem(__LINE__, "Output file name too long: ", wanted);
        return std::string();
    }
    const std::string chosen = FreeOutputName(planned.stem, planned.extension);
    if (!chosen.empty() && chosen.size() <= static_cast<size_t>(MEDIA_PATH_CHARS))
        return chosen;
    RefuseItem(__LINE__, "No free output file name for ", wanted);
    return std::string();
}

void CFfmpegEncoder::RefuseItem(int nLine, const char* pszReason, const std::string& detail)
{
    LogError(Format("Module:%s,Line:%d,%s%s", MODULE_NAME, nLine, pszReason, detail.c_str()).c_str());
}

// ---------------------------------------------------------------------------
// Running and progress

int CFfmpegEncoder::bRun(const char*, int)
{
    MarkStage("command-built");
    m_bStopped = 0;
    if (!ReserveOutput())
        return 0;
    m_runner.Init(EncoderProgram(m_strProgramDir), m_strCommand,
                  m_bFollowingRun ? StandbyCommandLine(m_strProgramDir) : std::string());
    const bool executed = m_runner.bExecute();
    // Only a stop whose request never reached the encoder stays marked after its run.
    if (!m_runner.StopPending())
        m_bStopped = 0;
    const bool succeeded = executed && m_bError == 0 && m_runner.EncoderExitedCleanly();
    // A stopped run keeps what the encoder wrote up to the stop: it plays.
    if ((succeeded || m_runner.StopAsked()) && m_output.HoldsData())
        m_output.Keep();
    else
        m_output.Remove();
    m_script.Remove();
    return succeeded ? 1 : 0;
}

// The output is made new, never over an existing file, before the encoder
// starts: the encoder then writes only into a file of this run, and a
// failed run removes only what it made.
bool CFfmpegEncoder::ReserveOutput()
{
    if (m_output.CreateNew(m_strOutputPath))
        return true;
    RefuseItem(__LINE__, "Output file not made: ", m_strOutputPath);
    return false;
}

void CFfmpegEncoder::EndFollowingRun()
{
    m_bFollowingRun = false;
    m_runner.EndStandby();
}

int CFfmpegEncoder::bStop()
{
    if (m_bStopped == 1 || !m_hProcess)
        return 1;
    m_runner.RequestStop();
    m_bStopped = 1;
    return 1;
}

void CFfmpegEncoder::OnProcessStarted(HANDLE hProcess) { m_hProcess = hProcess; }

void CFfmpegEncoder::OnProcessEnded(DWORD)
{
    // The handle is closed by now; a later stop has nothing to reach.
    m_hProcess = nullptr;
    if (m_bError != 1)
        ShowProgress(100);
}

void CFfmpegEncoder::OnReadingAbandoned() { m_pView->ShowRunFailure("ERROR"); }

void CFfmpegEncoder::OnProcessLine(const std::string& text)
{
    char line[LINE_CHARS_EXAMINED + 1] = {};
    try {
        strncpy(line, text.c_str(), LINE_CHARS_EXAMINED);
        if (!line[0])
            return;

        int seconds = 0;
        if (!ParseProgressSeconds(line, &seconds)) {
            LogOutputLine(line);
            m_bError = 1;
        }
        const int percent = ProgressPercent(seconds, m_item.m_dDuration);
        if (percent > 0)
            ShowProgress(percent);
        else if (m_pView->ProgressPosition() == 0)
            m_pView->SetProgressPosition(1);  // shows that work has begun
        if (percent >= 100)
            LogOutputLine(line);
    } catch (...) {
        m_bError = 1;
        LogOutputLine(line);
    }
}

// The position, and the tray tip as the source and the percentage.
void CFfmpegEncoder::ShowProgress(int nPercent)
{
    m_pView->SetProgressPosition(nPercent);
    m_pView->SetTrayTip(Format("%s %d%%", m_item.m_szSourcePath, nPercent).c_str());
}

// ---------------------------------------------------------------------------
// Probing

int CFfmpegEncoder::bGetMediaFileContent(const char* pszSourcePath, MediaItem* pItem)
{
    try {
        if (!pszSourcePath || !*pszSourcePath || !pItem)
            return 0;
        return bProbeMediaFile(pszSourcePath, pItem, m_strProgramDir);
    } catch (...) {
        LogError(Format("Module:%x,bGetMediaFileContent raise exception", ENCODER_MODULE_ID).c_str());
        return 0;
    }
}
