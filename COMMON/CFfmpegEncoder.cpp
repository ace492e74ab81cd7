#include "COMMON/CFfmpegEncoder.h"

#include "COMMON/CConsoleProcess.h"
#include "COMMON/EncoderOutput.h"
#include "COMMON/MediaProbe.h"
#include "COMMON/OptionTables.h"
#include "COMMON/RunFiles.h"
#include "COMMON/SourceScript.h"
#include "services/StageTimes.h"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <memory>

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

bool IsEven(int value) { return value % 2 == 0; }

}  // namespace

// Every value a family builder writes, formatted before anything is appended.
struct CFfmpegEncoder::FamilyOptions {
    const char* video;
    const char* audio;
    const char* aspect;
    const char* audioBitrate;
    const char* sampleRate;
    std::string frameSize;
    std::string videoBitrate;
    std::string frameRate;
    std::string channels;
    std::string volume;
    std::string outputSuffix;  // "_" video "_" audio extension
};

CFfmpegEncoder::CFfmpegEncoder() : CFfmpegEncoder(GetProgramDir(), GetOwnFilesDir()) {}

CFfmpegEncoder::CFfmpegEncoder(const std::string& folder) : CFfmpegEncoder(folder, folder) {}

CFfmpegEncoder::CFfmpegEncoder(std::string programDir, std::string ownFilesDir)
    : m_item(),
      m_pView(&g_silentView),
      m_hProcess(nullptr),
      m_bError(0),
      m_bStopped(0),
      m_strProgramDir(std::move(programDir)),
      m_strOwnFilesDir(std::move(ownFilesDir))
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

        if (!bFrameSizeAllowed()) {
            m_pView->ShowNotice(FRAME_SIZE_MESSAGE);
            return 0;
        }

        std::string input;
        if (!PrepareInput(&input))
            return 0;
        m_strCommand = EncoderInvocation(m_strProgramDir) + " ";
        // The log entry leaves out the executable and the token; the tail is
        // taken from here, since the program directory may itself hold "-i".
        const size_t tailStart = m_strCommand.size();
        m_strCommand += "-i \"" + input + "\"";

        const int result = AppendFamilyOptions(pItem);
        if (result != 1)
            m_script.Remove();
        LogEvent(EVENTLOG_INFORMATION_TYPE, EVENT_ID_INFO, m_strCommand.c_str() + tailStart);
        return result;
    } catch (...) {
        LogError(Format("Module:%s,Line:%d,Unable to get output video convert interface", MODULE_NAME,
                        BUILD_FAILURE_LINE)
                     .c_str());
        return 0;
    }
}

// Flash video needs even frame dimensions; other sources take any size.
bool CFfmpegEncoder::bFrameSizeAllowed() const
{
    if (strcasecmp(FindExtension(m_item.m_szSourcePath), ".flv") != 0)
        return true;
    return IsEven(m_item.m_nWidth) && IsEven(m_item.m_nHeight);
}

// Sources that only DirectShow could read reach the encoder through a script
// of this build's own, when their format needs one. False, after telling the
// user, when that script cannot be written whole: the encoder would read
// another run's script or none.
bool CFfmpegEncoder::PrepareInput(std::string* pInput)
{
    *pInput = m_item.m_szSourcePath;
    if (m_item.m_bDirectShow != 1 || !TakesScriptRoute(m_item.m_szSourcePath))
        return true;
    if (m_script.CreateUnique(m_strOwnFilesDir, "edit", ".avs") &&
        bWriteSourceScript(m_script.Path().c_str(), m_item.m_szSourcePath) == 1) {
        *pInput = m_script.Path();
        return true;
    }
    m_script.Remove();
    RefuseItem(__LINE__, "Script file not written in ", m_strOwnFilesDir + " for " + m_item.m_szSourcePath);
    m_pView->ShowNotice(Format(MSG_SCRIPT_NOT_WRITTEN, m_item.m_szSourcePath, m_strOwnFilesDir.c_str()).c_str());
    return false;
}

int CFfmpegEncoder::AppendFamilyOptions(MediaItem* pItem)
{
    switch (m_item.m_nTarget) {
    case TARGET_AVI: return BuildAviCommand(pItem, &m_strCommand);
    case TARGET_MPEG: return BuildMpegCommand(pItem, &m_strCommand);
    case TARGET_WMV: return BuildWmvCommand(pItem, &m_strCommand);
    case TARGET_MOV: return BuildMovCommand(pItem, &m_strCommand);
    case TARGET_FLV: return BuildFlvCommand(pItem, &m_strCommand);
    default: return 0;
    }
}

int CFfmpegEncoder::RefuseItem(int nLine, const char* pszReason, const std::string& detail)
{
    LogError(Format("Module:%s,Line:%d,%s%s", MODULE_NAME, nLine, pszReason, detail.c_str()).c_str());
    return 0;
}

// Formats every value of the item for the family and checks that the output
// name fits the caller's path field. Refuses indices outside their tables.
int CFfmpegEncoder::PrepareFamily(const MediaItem& item, int nVideoList, const char* pszExtension,
                                  FamilyOptions* pOptions)
{
    FamilyOptions& o = *pOptions;
    o.video = OptionEntry(*FindOptionTable(nVideoList), item.m_nVideoCodec);
    o.audio = OptionEntry(*FindOptionTable(nVideoList + AUDIO_LIST_OFFSET), item.m_nAudioCodec);
    o.aspect = OptionEntry(ASPECT_TABLE, item.m_nAspect);
    o.audioBitrate = OptionEntry(AUDIO_BITRATE_TABLE, item.m_nAudioBitrate);
    o.sampleRate = OptionEntry(SAMPLE_RATE_TABLE, item.m_nSampleRate);
    if (!o.video || !o.audio || !o.aspect || !o.audioBitrate || !o.sampleRate)
        return RefuseItem(__LINE__, "Option index out of range", "");

    o.frameSize = Format("%dx%d", item.m_nWidth, item.m_nHeight);
    o.videoBitrate = Format("%dk", item.m_nVideoBitrate);
    o.frameRate = Format("%.2f", item.m_dFrameRate);
    o.channels = Format("%d", item.m_nChannels);
    o.volume = Format("%d", item.m_nVolume);
    o.outputSuffix = std::string("_") + o.video + "_" + o.audio + pszExtension;

    const size_t baseLength = strnlen(item.m_szOutputPath, MEDIA_PATH_CHARS + 1);
    if (baseLength + o.outputSuffix.size() > static_cast<size_t>(MEDIA_PATH_CHARS))
        return RefuseItem(__LINE__, "Output file name too long: ",
                          std::string(item.m_szOutputPath, baseLength) + o.outputSuffix);
    return 1;
}

// Ends every family's options: the quoted output name, which also becomes
// the caller's output path so that the produced file can be found. A name
// that is taken gets a number before its extension: no output replaces a
// file, an earlier row's among them.
int CFfmpegEncoder::AppendOutputName(MediaItem* pItem, std::string* pCommand, const FamilyOptions& options)
{
    const std::string& suffix = options.outputSuffix;
    const size_t dot = suffix.rfind('.');
    const std::string base(pItem->m_szOutputPath);
    m_strOutputPath = FreeOutputName(base + suffix.substr(0, dot), suffix.substr(dot));
    if (m_strOutputPath.empty() || m_strOutputPath.size() > static_cast<size_t>(MEDIA_PATH_CHARS))
        return RefuseItem(__LINE__, "No free output file name for ", base + suffix);
    *pCommand += " -y \"" + m_strOutputPath + "\"";
    memcpy(pItem->m_szOutputPath, m_strOutputPath.c_str(), m_strOutputPath.size() + 1);
    return 1;
}

// The run of options every family writes in the same order.
void CFfmpegEncoder::AppendAspectAndAudio(const FamilyOptions& options, std::string* pCommand)
{
    std::string& c = *pCommand;
    c += " -aspect " + std::string(options.aspect);
    c += " -acodec " + std::string(options.audio);
    c += " -ab " + std::string(options.audioBitrate);
    c += " -ac " + options.channels;
    c += " -ar " + std::string(options.sampleRate);
}

int CFfmpegEncoder::BuildAviCommand(MediaItem* pItem, std::string* pCommand)
{
    return BuildSharedOrderCommand(pItem, pCommand, LIST_AVI_VIDEO, ".avi");
}

int CFfmpegEncoder::BuildMovCommand(MediaItem* pItem, std::string* pCommand)
{
    return BuildSharedOrderCommand(pItem, pCommand, LIST_MOV_VIDEO, ".mov");
}

int CFfmpegEncoder::BuildWmvCommand(MediaItem* pItem, std::string* pCommand)
{
    constexpr int MSMPEG4V2_INDEX = 3;  // goes into an ASF container
    if (!pItem || !pCommand)
        return 0;
    return BuildSharedOrderCommand(pItem, pCommand, LIST_WMV_VIDEO,
                                   pItem->m_nVideoCodec == MSMPEG4V2_INDEX ? ".asf" : ".wmv");
}

int CFfmpegEncoder::BuildSharedOrderCommand(MediaItem* pItem, std::string* pCommand, int nVideoList,
                                            const char* pszExtension)
{
    FamilyOptions o;
    if (!pItem || !pCommand || !PrepareFamily(*pItem, nVideoList, pszExtension, &o))
        return 0;
    std::string& c = *pCommand;
    c += " -vcodec " + std::string(o.video);
    c += " -b " + o.videoBitrate;
    c += " -s " + o.frameSize;
    c += " -r " + o.frameRate;
    AppendAspectAndAudio(o, &c);
    c += " -vol " + o.volume;
    c += " -async 1 -vsync 1 ";
    return AppendOutputName(pItem, pCommand, o);
}

int CFfmpegEncoder::BuildMpegCommand(MediaItem* pItem, std::string* pCommand)
{
    constexpr int LAST_PRESET_INDEX = 5;  // "pal-vcd" to "ntsc-dvd" are target presets
    FamilyOptions o;
    if (!pItem || !pCommand || !PrepareFamily(*pItem, LIST_MPEG_VIDEO, ".mpg", &o))
        return 0;
    std::string& c = *pCommand;
    c += (pItem->m_nVideoCodec <= LAST_PRESET_INDEX ? " -target " : " -vcodec ") + std::string(o.video);
    c += " -b " + o.videoBitrate;
    c += " -r " + o.frameRate;
    c += " -s " + o.frameSize;
    AppendAspectAndAudio(o, &c);
    c += " -mbd 2 -qmin 2  -async 1 -vsync 1 ";
    c += " -vol " + o.volume;
    return AppendOutputName(pItem, pCommand, o);
}

int CFfmpegEncoder::BuildFlvCommand(MediaItem* pItem, std::string* pCommand)
{
    constexpr int SWF_INDEX = 0;  // a container format rather than a codec
    if (!pItem || !pCommand)
        return 0;
    const bool swf = pItem->m_nVideoCodec == SWF_INDEX;
    FamilyOptions o;
    if (!PrepareFamily(*pItem, LIST_FLV_VIDEO, swf ? ".swf" : ".flv", &o))
        return 0;
    std::string& c = *pCommand;
    c += (swf ? " -f " : " -vcodec ") + std::string(o.video);
    c += " -b " + o.videoBitrate;
    c += " -s " + o.frameSize;
    c += " -r " + o.frameRate;
    AppendAspectAndAudio(o, &c);
    c += " -async 1 -vsync 1 ";
    c += " -vol " + o.volume;
    return AppendOutputName(pItem, pCommand, o);
}

// ---------------------------------------------------------------------------
// Running and progress

namespace {

// One runner for the whole program; runs never overlap.
CConsoleProcess g_consoleProcess;

}  // namespace

int CFfmpegEncoder::bRun(const char*, int)
{
    MarkStage("command-built");
    m_bStopped = 0;
    if (!ReserveOutput())
        return 0;
    const std::string standby = EncoderInvocation(m_strProgramDir) + " -standby";
    g_consoleProcess.Init(EncoderProgram(m_strProgramDir), m_strCommand, m_bFollowingRun ? standby : std::string(),
                          this);
    const bool succeeded =
        g_consoleProcess.bExecute() && m_bError == 0 && g_consoleProcess.EncoderExitedCleanly();
    // A stopped run keeps what the encoder wrote up to the stop: it plays.
    if ((succeeded || g_consoleProcess.StopAsked()) && m_output.HoldsData())
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
    g_consoleProcess.EndStandby();
}

int CFfmpegEncoder::bStop()
{
    if (m_bStopped == 1 || !m_hProcess)
        return 1;
    g_consoleProcess.RequestStop();
    m_bStopped = 1;
    return 1;
}

void CFfmpegEncoder::OnProcessEvent(int nEvent, uintptr_t value)
{
    switch (nEvent) {
    case PROCESS_STARTED:
        m_hProcess = reinterpret_cast<HANDLE>(value);
        break;
    case PROCESS_ENDED:
        // The handle is closed by now; a later stop has nothing to reach.
        m_hProcess = nullptr;
        if (m_bError != 1)
            ShowProgress(100);
        break;
    default:
        HandleLine(reinterpret_cast<std::string*>(value));
        break;
    }
}

void CFfmpegEncoder::HandleLine(std::string* pLine)
{
    char line[LINE_CHARS_EXAMINED + 1] = {};
    try {
        std::unique_ptr<std::string> owned(pLine);
        if (owned)
            strncpy(line, owned->c_str(), LINE_CHARS_EXAMINED);
        owned.reset();
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
        ProbeWithDirectShow(WidePath(pszSourcePath).c_str(), ProbeFieldsOf(pItem));
        if (pItem->m_dDuration > 0.0 && pItem->m_nSrcWidth > 0 && pItem->m_nSrcHeight > 0) {
            pItem->m_bDirectShow = 1;
            return 1;
        }
        int duration = 0;
        const int result = bProbeWithEncoder(pszSourcePath, &duration, &pItem->m_nSrcWidth,
                                             &pItem->m_nSrcHeight, m_strProgramDir);
        pItem->m_bDirectShow = 0;
        pItem->m_dDuration = duration;
        return result;
    } catch (...) {
        LogError(Format("Module:%x,bGetMediaFileContent raise exception", ENCODER_MODULE_ID).c_str());
        return 0;
    }
}
