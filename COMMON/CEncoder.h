// The interface through which the media controller reaches an encoder. The
// order of the operations is part of the interface: keep it.
#pragma once

#include "COMMON/ConvertView.h"
#include "COMMON/MediaItem.h"

#include <windows.h>

// Encoder kinds that the media controller can create.
enum { ENCODER_FFMPEG = 3 };

class CEncoder {
public:
    virtual ~CEncoder() = default;

    // Copies entry `nIndex` of list `nListType` (1 to 10) into `pszName`,
    // which holds at least MEDIA_PATH_CHARS + 1 characters. Returns 1, or 0
    // for an unknown list, an index outside it or a null buffer.
    virtual int bGetOptionName(int nListType, int nIndex, char* pszName) = 0;

    // Stores the entry count of list `nListType`; an unknown list stores 0.
    virtual int bGetOptionCount(int nListType, int* pnCount) = 0;

    // Held free in the interface; does nothing and is not called.
    virtual void ReservedSlot(DWORD dwValue) = 0;

    // Builds the encoder's command line for the caller's item and extends
    // the item's output path to the full output file name. 1 when built.
    virtual int bBuildCommand(MediaItem* pItem) = 0;

    // Held free in the interface; answers 1 and is not called.
    virtual int bReservedSlot(DWORD dwFirst, DWORD dwSecond) = 0;

    // Asks a running encoder to finish; the request reaches it when it next
    // writes output. Returns 1.
    virtual int bStop() = 0;

    // Runs the built command and returns when the encoder has ended: 1 for
    // a run without error lines, else 0. Both arguments are ignored.
    virtual int bRun(const char* pszOutputPath, int nTarget) = 0;

    // The view that shows the runs: their notices, progress and tray tip.
    // Null leaves them unseen. Returns 1.
    virtual int bSetNotifyView(IConvertView* pView) = 0;

    // Called just before the object is deleted. Returns 1.
    virtual int bRelease() = 0;

    // Probes the source and fills the item's probe fields. 1 when the item
    // holds a positive duration and a usable frame size.
    virtual int bGetMediaFileContent(const char* pszSourcePath, MediaItem* pItem) = 0;

    // Whether another run follows the next bRun. While a run converts, the
    // encoder can then start the process of the run to follow, so that a
    // batch does not wait for a process start per file.
    virtual void SetFollowingRun(bool bFollows) = 0;

    // No run follows after all: ends what SetFollowingRun prepared.
    virtual void EndFollowingRun() = 0;
};
