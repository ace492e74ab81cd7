// Probing a source file: DirectShow's media detector first, the encoder's
// "-info" mode when the detector cannot tell duration and frame size.
#pragma once

#include "COMMON/MediaItem.h"
#include "services/AppServices.h"

#include <windows.h>

#include <string>

// Where the DirectShow probe writes what it finds.
struct MediaProbeFields {
    double* pdDuration;
    int32_t* pbHasVideo;
    int32_t* pbHasAudio;
    double* pdFrameRate;
    int32_t* pnWidth;
    int32_t* pnHeight;
    int32_t* pnVideoBitRate;
    int32_t* pnAudioBitRate;
    int32_t* pnSampleRate;
    int32_t* pnChannels;
};

// The probe fields of an item.
MediaProbeFields ProbeFieldsOf(MediaItem* pItem);

// The path in the ANSI code page as a wide string.
std::wstring WidePath(const char* path);

// Size of the file in bytes (low 32 bits); 0 when it cannot be opened.
DWORD GetFileLength(const wchar_t* path);

// Reads streams, duration, frame size and stream properties through the
// media detector; every output starts at 0. Returns the status of the last
// COM call, or E_FAIL when the file is empty or cannot be opened. COM must
// be initialised on the calling thread.
HRESULT ProbeWithDirectShow(const wchar_t* path, const MediaProbeFields& fields);

// Runs "vec.exe" of `programDir` in its "-info" mode and reads duration,
// width and height from its answer. 1 when the duration and at least one of
// the two dimensions are positive.
int bProbeWithEncoder(const char* sourcePath, int* pnDuration, int32_t* pnWidth, int32_t* pnHeight,
                      const std::string& programDir = GetProgramDir());

// Probes the source into the item's probe fields: the media detector first,
// the encoder of `programDir` when the detector tells no duration and frame
// size. 1 when the item then holds a positive duration and a usable frame
// size; m_bDirectShow tells which of the two found it.
int bProbeMediaFile(const char* sourcePath, MediaItem* pItem, const std::string& programDir);
