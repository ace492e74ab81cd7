#include "COMMON/CVodrixMediaCntl.h"

#include "COMMON/CFfmpegEncoder.h"
#include "services/AppServices.h"

#include <cstdio>

namespace {

const char* const MODULE_NAME = "COMMON\\CVodrixMediaCntl";
constexpr int NULL_POINTER_LINE = 144;
constexpr int CONVERT_FAILURE_LINE = 414;

void LogError(const char* text) { LogEvent(EVENTLOG_ERROR_TYPE, EVENT_ID_ERROR, text); }

void LogModuleError(int line, const char* reason)
{
    char text[128];
    snprintf(text, sizeof text, "Module:%s,Line:%d,%s", MODULE_NAME, line, reason);
    LogError(text);
}

}  // namespace

CVodrixMediaCntl::~CVodrixMediaCntl() { Release(); }

int CVodrixMediaCntl::bCreateEncoder(int nKind)
{
    if (nKind != ENCODER_FFMPEG)
        return 0;
    Release();
    try {
        m_pEncoder.reset(new CFfmpegEncoder);
    } catch (...) {
        return 0;  // out of memory: the dialog runs without an encoder
    }
    return 1;
}

void CVodrixMediaCntl::Release()
{
    if (!m_pEncoder)
        return;
    m_pEncoder->bRelease();
    m_pEncoder.reset();
}

int CVodrixMediaCntl::bGetOptionCount(int nListType, int* pnCount)
{
    return m_pEncoder ? m_pEncoder->bGetOptionCount(nListType, pnCount) : 0;
}

int CVodrixMediaCntl::bGetOptionName(int nListType, int nIndex, char* pszName)
{
    return m_pEncoder ? m_pEncoder->bGetOptionName(nListType, nIndex, pszName) : 0;
}

int CVodrixMediaCntl::bGetMediaFileContent(const char* pszSourcePath, MediaItem* pItem)
{
    if (!pszSourcePath || !*pszSourcePath || !pItem || !m_pEncoder)
        return 0;
    return m_pEncoder->bGetMediaFileContent(pszSourcePath, pItem);
}

int CVodrixMediaCntl::bDoConvert(MediaItem* pItem, IConvertView* pView)
{
    if (!pItem || !pView) {
        LogModuleError(NULL_POINTER_LINE, "pointer is NULL ");
        return 0;
    }
    if (!m_pEncoder)
        return 0;
    try {
        // The view comes first: refusing the item is a notice.
        m_pEncoder->bSetNotifyView(pView);
        // A refused item runs nothing; the batch run then finds no output file.
        if (m_pEncoder->bBuildCommand(pItem) != 1)
            return 1;
        return m_pEncoder->bRun(pItem->m_szOutputPath, pItem->m_nTarget);
    } catch (...) {
        LogModuleError(CONVERT_FAILURE_LINE, "bDoConvert raise exception");
        LogError("");
        pView->SetProgressPosition(0);
        return 0;
    }
}

void CVodrixMediaCntl::SetFollowingRun(bool bFollows)
{
    if (m_pEncoder)
        m_pEncoder->SetFollowingRun(bFollows);
}

void CVodrixMediaCntl::EndFollowingRun()
{
    if (m_pEncoder)
        m_pEncoder->EndFollowingRun();
}

int CVodrixMediaCntl::bStop()
{
    if (!m_pEncoder)
        return 0;
    try {
        return m_pEncoder->bStop();
    } catch (...) {
        return 0;
    }
}
