// The record of one source file: its conversion settings, what probing found
// out about it, its paths and its state. A plain record, copied whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

// Room of the two path fields, without their terminator.
constexpr int MEDIA_PATH_CHARS = 512;

// Target family codes (MediaItem::m_nTarget).
enum : int32_t {
    TARGET_AVI = 1,
    TARGET_MPEG = 2,
    TARGET_WMV = 3,
    TARGET_MOV = 4,
    TARGET_FLV = 5,
};

struct MediaItem {
    int32_t m_nVideoCodec;       // index into the family's video table
    int32_t m_nVideoBitrate;     // kbit/s
    double m_dFrameRate;         // output frames per second
    int32_t m_nAspect;           // index into the aspect table
    int32_t m_nAudioCodec;       // index into the family's audio table
    int32_t m_nAudioBitrate;     // index into the audio bit-rate table
    int32_t m_nSampleRate;       // index into the sample-rate table
    int32_t m_nChannels;         // 1 or 2
    int32_t m_nVolume;           // handed to the encoder as it is (256 = unchanged)
    int32_t m_nSrcVideoBitRate;  // bit/s
    double m_dSrcFrameRate;
    double m_dDuration;          // seconds; the base of the progress percentage
    int32_t m_nSrcAudioBitRate;  // bit/s
    int32_t m_nSrcSampleRate;    // Hz
    int32_t m_nSrcChannels;
    char m_szSourcePath[MEDIA_PATH_CHARS + 1];
    char m_szOutputPath[MEDIA_PATH_CHARS + 1];  // base path before a build, full name after it
    int32_t m_nTarget;           // TARGET_*
    int32_t m_nWidth;            // output frame size
    int32_t m_nHeight;
    int32_t m_nSrcWidth;
    int32_t m_nSrcHeight;        // always positive, also for bottom-up frames
    int32_t m_bHasVideo;
    int32_t m_bHasAudio;
    int32_t m_bDirectShow;       // probed through DirectShow: may take the script route
    int32_t m_bConverted;        // stays with the dialog; the encoder never copies it
};

static_assert(std::is_trivially_copyable<MediaItem>::value, "MediaItem is copied as bytes");

// The part of a MediaItem that the encoder keeps a copy of.
constexpr size_t MEDIA_ITEM_ENCODER_BYTES = offsetof(MediaItem, m_bConverted);
