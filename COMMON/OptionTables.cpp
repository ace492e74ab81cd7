#include "COMMON/OptionTables.h"

namespace {

template <int N>
constexpr OptionTable TableOf(const char* const (&names)[N])
{
    return {names, N};
}

const char* const AVI_VIDEO[] = {"xvid", "h263", "h263p", "mpeg4", "mjpeg", "h264"};
const char* const MPEG_VIDEO[] = {"pal-vcd",   "ntsc-vcd", "pal-svcd",   "ntsc-svcd",
                                  "pal-dvd",   "ntsc-dvd", "mpeg1video", "mpeg2video"};
const char* const WMV_VIDEO[] = {"wmv2", "wmv1", "msmpeg4", "msmpeg4v2"};
const char* const MOV_VIDEO[] = {"xvid", "h264", "h263", "mpeg4", "svq1"};
const char* const FLV_VIDEO[] = {"swf", "flv"};
const char* const AVI_AUDIO[] = {"mp3", "mp2", "pcm_s16le", "pcm_s16be"};
const char* const MPEG_AUDIO[] = {"ac3", "mp2"};
const char* const WMV_AUDIO[] = {"mp3", "mp2"};
const char* const MOV_AUDIO[] = {"aac", "pcm_alaw", "pcm_s16le", "pcm_s16be"};
const char* const FLV_AUDIO[] = {"mp3"};

const char* const AUDIO_BITRATES[] = {"32", "48",  "56",  "64",  "80",  "96",  "112", "128",
                                      "160", "192", "224", "256", "320", "384", "576"};
const char* const SAMPLE_RATES[] = {"11025", "22050", "24000", "44100", "48000"};
const char* const ASPECTS[] = {"4:3", "1:1", "16:9"};

// Indexed by list type - 1.
const OptionTable LIST_TABLES[] = {
    TableOf(AVI_VIDEO), TableOf(MPEG_VIDEO), TableOf(WMV_VIDEO), TableOf(MOV_VIDEO), TableOf(FLV_VIDEO),
    TableOf(AVI_AUDIO), TableOf(MPEG_AUDIO), TableOf(WMV_AUDIO), TableOf(MOV_AUDIO), TableOf(FLV_AUDIO),
};

}  // namespace

const OptionTable AUDIO_BITRATE_TABLE = TableOf(AUDIO_BITRATES);
const OptionTable SAMPLE_RATE_TABLE = TableOf(SAMPLE_RATES);
const OptionTable ASPECT_TABLE = TableOf(ASPECTS);

const OptionTable* FindOptionTable(int listType)
{
    if (listType < LIST_AVI_VIDEO || listType > LIST_FLV_AUDIO)
        return nullptr;
    return &LIST_TABLES[listType - 1];
}

const char* OptionEntry(const OptionTable& table, int index)
{
    return index >= 0 && index < table.count ? table.names[index] : nullptr;
}
