// The encoder that drives the external "vec.exe": has its command lines
// built, runs it hidden and follows its progress, and has sources probed.
#pragma once

#include "COMMON/CConsoleProcess.h"
#include "COMMON/CEncoder.h"
#include "COMMON/RunFiles.h"
#include "services/AppServices.h"

#include <windows.h>

#include <atomic>
#include <string>

// Shown when the script through which the encoder would read a source
// cannot be written: the source, then the folder.
#define MSG_SCRIPT_NOT_WRITTEN                                                                                 \
    "The script file for \"%s\" cannot be written in \"%s\". Please make sure that this folder can be written, " \
    "then convert again."

class CFfmpegEncoder : public CEncoder, private IProcessEvents {
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

    const std::string& GetCommand() const { return m_strCommand; }
    const MediaItem& GetItem() const { return m_item; }

private:
    CFfmpegEncoder(std::string programDir, std::string ownFilesDir);

    // The runner's events, on the thread inside bRun.
    void OnProcessStarted(HANDLE hProcess) override;
    void OnProcessLine(const std::string& text) override;
    void OnProcessEnded(DWORD dwEndValue) override;
    void OnReadingAbandoned() override;

    bool WriteScript(std::string* pInput);
    std::string ChooseOutputName() const;
    static void RefuseItem(int nLine, const char* pszReason, const std::string& detail);

    bool ReserveOutput();
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
    CConsoleProcess m_runner;      // runs never overlap: one runner serves them all
};
