// The encoder that drives the external "vec.exe": builds its command lines,
// runs it hidden and follows its progress, and probes sources.
#pragma once

#include "COMMON/CEncoder.h"
#include "app/AppServices.h"

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

// How every command line starts: the encoder in `programDir` (which ends in
// a backslash) and the access token. The program path stays unquoted.
inline std::string EncoderInvocation(const std::string& programDir)
{
    return programDir + "vec.exe " ENCODER_ACCESS_TOKEN;
}

class CFfmpegEncoder : public CEncoder {
public:
    // "vec.exe" lies in the program's folder; "edit.avs" and "trace" go to
    // GetOwnFilesDir().
    CFfmpegEncoder();
    // "vec.exe", "edit.avs" and "trace" all in `folder` (with its trailing backslash).
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
    std::string InputPathForEncoder() const;
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
    static int AppendOutputName(MediaItem* pItem, std::string* pCommand, const FamilyOptions& options);
    static int RefuseItem(int nLine, const char* pszReason, const std::string& detail);

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
    std::string m_strOwnFilesDir;  // where "edit.avs" and "trace" are written
};
