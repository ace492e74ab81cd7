// The conversion engine as the main dialog sees it: one object that creates
// the encoder, serves its option lists, probes sources, converts one item at
// a time and stops a running conversion.
#pragma once

#include "COMMON/CEncoder.h"
#include "COMMON/MediaItem.h"

#include <memory>

class CVodrixMediaCntl {
public:
    CVodrixMediaCntl() = default;
    virtual ~CVodrixMediaCntl();
    CVodrixMediaCntl(const CVodrixMediaCntl&) = delete;
    CVodrixMediaCntl& operator=(const CVodrixMediaCntl&) = delete;

    // Creates the encoder of kind ENCODER_FFMPEG; any other kind answers 0.
    int bCreateEncoder(int nKind);

    // Releases and deletes the encoder. Never while a conversion runs.
    void Release();

    int bGetOptionCount(int nListType, int* pnCount);
    int bGetOptionName(int nListType, int nIndex, char* pszName);

    // Probes a source into the item; 0 without probing for an empty path,
    // a null item or no encoder.
    int bGetMediaFileContent(const char* pszSourcePath, MediaItem* pItem);

    // Builds and runs the conversion of one item, shown in `pView` (its
    // notices, progress and tray tip, all from the calling thread).
    // 1 for a run without error lines, and also when the item was refused
    // before anything ran (the caller then finds no output file); 0 when the
    // run failed.
    int bDoConvert(MediaItem* pItem, IConvertView* pView);

    // Whether another conversion follows the next one, which can then get
    // the following one's encoder ready while it converts.
    void SetFollowingRun(bool bFollows);

    // No conversion follows after all: lets go of what was readied for one.
    void EndFollowingRun();

    // Asks a running conversion to stop. Called from the user-interface
    // thread while the worker is inside bDoConvert.
    int bStop();

private:
    std::unique_ptr<CEncoder> m_pEncoder;
};
