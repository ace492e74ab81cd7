// The encoder that drives the external "vec.exe": builds its command lines,
// runs it hidden and follows its progress, and probes sources.
#pragma once

#include "COMMON/CEncoder.h"
#include "COMMON/RunFiles.h"
#include "services/AppServices.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

// Events from the process runner to CFfmpegEncoder::OnProcessEvent.
enum {
    PROCESS_STARTED = 997,  // value: the encoder's process handle
    PROCESS_LINE = 998,     // value: std::string* of one output line, owned by the handler
    PROCESS_ENDED = 999,    // value: 0, or the error code that ended the start or the output
};


// First argument of every encoder command line.
#define ENCODER_ACCESS_TOKEN "lumen-quartz-framebridging"

// The encoder's full path: "vec.exe" in `programDir` (which ends in a backslash).
inline std::string EncoderProgram(const std::string& programDir) { return programDir + "vec.exe"; }

// How every command line starts: the encoder's path, quoted so that a blank
// in its folder never splits it, and the access token.
inline std::string EncoderInvocation(const std::string& programDir)
{
    return "\"" + EncoderProgram(programDir) + "\" " ENCODER_ACCESS_TOKEN;
}

// Shown when the script through which the encoder would read a source
// cannot be written: the source, then the folder.
#define MSG_SCRIPT_NOT_WRITTEN                                                                                 \
    "The script file for \"%s\" cannot be written in \"%s\". Please make sure that this folder can be written, " \
    "then convert again."

class CFfmpegEncoder : public CEncoder {
public:
    // "vec.exe" lies in the program's folder; the script files and "trace"
    // go to GetOwnFilesDir().
    CFfmpegEncoder();
    // "vec.exe", the script files and "trace" all in `folder` (with its trailing backslash).
    explicit CFfmpegEncoder(const std::string& folder);

    int bGetOptionName(int nListType, int nIndex, char* pszName) override;
    int bGetOptionCount(int nListType, int* pnCount) override;
    void ReservedSlot(DWORD dwValue) override;
    int bBuildCommand(MediaItem* pItem) override;
    int bReservedSlot(DWORD dwFirst, DWORD dwSecond) override;
    int bStop() override;
    int bRun(const char* pszOutputPath, int nTarget) override;
    int bSetNotifyView(IConvertView* pView) override;
    int bRelease() override;
    int bGetMediaFileContent(const char* pszSourcePath, MediaItem* pItem) override;
    void SetFollowingRun(bool bFollows) override { m_bFollowingRun = bFollows; }
    void EndFollowingRun() override;

    // Receives the runner's events (PROCESS_*), on the thread inside bRun.
    void OnProcessEvent(int nEvent, uintptr_t value);

    const std::string& GetCommand() const { return m_strCommand; }
    const MediaItem& GetItem() const { return m_item; }
    const std::string& GetOwnFilesDirectory() const { return m_strOwnFilesDir; }
    // Where the runs are shown; a silent view until one is set.
    IConvertView& View() const { return *m_pView; }

private:
    CFfmpegEncoder(std::string programDir, std::string ownFilesDir);

    friend class CConsoleProcess;  // settles m_bStopped when a run ends

    struct FamilyOptions;

    bool bFrameSizeAllowed() const;
    bool PrepareInput(std::string* pInput);
    int AppendFamilyOptions(MediaItem* pItem);
    int BuildAviCommand(MediaItem* pItem, std::string* pCommand);
    int BuildMpegCommand(MediaItem* pItem, std::string* pCommand);
    int BuildWmvCommand(MediaItem* pItem, std::string* pCommand);
    int BuildMovCommand(MediaItem* pItem, std::string* pCommand);
    int BuildFlvCommand(MediaItem* pItem, std::string* pCommand);
    int BuildSharedOrderCommand(MediaItem* pItem, std::string* pCommand, int nVideoList,
                                const char* pszExtension);
    int PrepareFamily(const MediaItem& item, int nVideoList, const char* pszExtension,
                      FamilyOptions* pOptions);
    static void AppendAspectAndAudio(const FamilyOptions& options, std::string* pCommand);
    int AppendOutputName(MediaItem* pItem, std::string* pCommand, const FamilyOptions& options);
    static int RefuseItem(int nLine, const char* pszReason, const std::string& detail);

    bool ReserveOutput();
    void HandleLine(std::string* pLine);
    void ShowProgress(int nPercent);

    std::string m_strCommand;
    MediaItem m_item;
    IConvertView* m_pView;           // never null
    std::atomic<HANDLE> m_hProcess;  // set while a run has started since the last build
    int m_bError;                    // a line that is not a progress line was seen
    std::atomic<int> m_bStopped;     // a stop has been handed to the runner
    bool m_bFollowingRun = false;    // the next run starts a standby encoder for the one after
    std::string m_strProgramDir;   // where "vec.exe" lies
    std::string m_strOwnFilesDir;  // where the script files and "trace" are written
    std::string m_strOutputPath;   // the output file the built command writes
    RunFile m_script;              // the script of the built command, if it has one
    RunFile m_output;              // the output file while a run may still fail
};
