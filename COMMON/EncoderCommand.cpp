#include "COMMON/EncoderCommand.h"

#include "COMMON/OptionTables.h"
#include "COMMON/SourceScript.h"

#include <strings.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int MSMPEG4V2_INDEX = 3;   // Windows Media video that goes into an ASF container
constexpr int SWF_INDEX = 0;         // a Flash container rather than a codec
constexpr int LAST_PRESET_INDEX = 5;  // "pal-vcd" to "ntsc-dvd" are MPEG target presets

bool IsEven(int value) { return value % 2 == 0; }

// Every value a family writes, formatted before anything is appended.
struct FamilyValues {
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
};

std::string TwoDecimals(double value)
{
    char text[64];
    snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// The family's extension; null for a target that names no family.
const char* FamilyExtension(const MediaItem& item)
{
    switch (item.m_nTarget) {
    case TARGET_AVI: return ".avi";
    case TARGET_MPEG: return ".mpg";
    case TARGET_WMV: return item.m_nVideoCodec == MSMPEG4V2_INDEX ? ".asf" : ".wmv";
    case TARGET_MOV: return ".mov";
    case TARGET_FLV: return item.m_nVideoCodec == SWF_INDEX ? ".swf" : ".flv";
    default: return nullptr;
    }
}

// False when an index of a known family lies outside its table.
bool ReadValues(const MediaItem& item, FamilyValues* values)
{
    FamilyValues& v = *values;
    // A family's video list has the family's code; its audio list follows five lists later.
    v.video = OptionEntry(*FindOptionTable(item.m_nTarget), item.m_nVideoCodec);
    v.audio = OptionEntry(*FindOptionTable(item.m_nTarget + AUDIO_LIST_OFFSET), item.m_nAudioCodec);
    v.aspect = OptionEntry(ASPECT_TABLE, item.m_nAspect);
    v.audioBitrate = OptionEntry(AUDIO_BITRATE_TABLE, item.m_nAudioBitrate);
    v.sampleRate = OptionEntry(SAMPLE_RATE_TABLE, item.m_nSampleRate);
    if (!v.video || !v.audio || !v.aspect || !v.audioBitrate || !v.sampleRate)
        return false;
    v.frameSize = std::to_string(item.m_nWidth) + "x" + std::to_string(item.m_nHeight);
    v.videoBitrate = std::to_string(item.m_nVideoBitrate) + "k";
    v.frameRate = TwoDecimals(item.m_dFrameRate);
    v.channels = std::to_string(item.m_nChannels);
    v.volume = std::to_string(item.m_nVolume);
    return true;
}

// The output name and, when the item has one, its family's values.
OutputName Plan(const MediaItem& item, FamilyValues* values)
{
    OutputName name;
    const char* extension = FamilyExtension(item);
    if (!extension) {
        name.refusal = CommandRefusal::UNKNOWN_TARGET;
        return name;
    }
    if (!ReadValues(item, values)) {
        name.refusal = CommandRefusal::OPTION_OUT_OF_RANGE;
        return name;
    }
    const size_t baseLength = strnlen(item.m_szOutputPath, MEDIA_PATH_CHARS + 1);
    name.stem = std::string(item.m_szOutputPath, baseLength) + "_" + values->video + "_" + values->audio;
    name.extension = extension;
    if (name.stem.size() + name.extension.size() > static_cast<size_t>(MEDIA_PATH_CHARS))
        name.refusal = CommandRefusal::OUTPUT_NAME_TOO_LONG;
    return name;
}

// The run of options every family writes in the same order.
std::string AspectAndAudio(const FamilyValues& v)
{
    return std::string(" -aspect ") + v.aspect + " -acodec " + v.audio + " -ab " + v.audioBitrate + " -ac " +
           v.channels + " -ar " + v.sampleRate;
}

// AVI, Windows Media and QuickTime.
std::string SharedOrderOptions(const FamilyValues& v)
{
    return " -vcodec " + std::string(v.video) + " -b " + v.videoBitrate + " -s " + v.frameSize + " -r " +
           v.frameRate + AspectAndAudio(v) + " -vol " + v.volume + " -async 1 -vsync 1 ";
}

// MPEG names its frame rate before its size.
std::string MpegOptions(const MediaItem& item, const FamilyValues& v)
{
    return (item.m_nVideoCodec <= LAST_PRESET_INDEX ? " -target " : " -vcodec ") + std::string(v.video) +
           " -b " + v.videoBitrate + " -r " + v.frameRate + " -s " + v.frameSize + AspectAndAudio(v) +
           " -mbd 2 -qmin 2  -async 1 -vsync 1 " + " -vol " + v.volume;
}

std::string FlashOptions(const MediaItem& item, const FamilyValues& v)
{
    return (item.m_nVideoCodec == SWF_INDEX ? " -f " : " -vcodec ") + std::string(v.video) + " -b " +
           v.videoBitrate + " -s " + v.frameSize + " -r " + v.frameRate + AspectAndAudio(v) +
           " -async 1 -vsync 1 " + " -vol " + v.volume;
}

std::string FamilyOptions(const MediaItem& item, const FamilyValues& values)
{
    switch (item.m_nTarget) {
    case TARGET_MPEG: return MpegOptions(item, values);
    case TARGET_FLV: return FlashOptions(item, values);
    default: return SharedOrderOptions(values);
    }
}

}  // namespace

bool FrameSizeAllowed(const MediaItem& item)
{
    if (strcasecmp(FindExtension(item.m_szSourcePath), ".flv") != 0)
        return true;
    return IsEven(item.m_nWidth) && IsEven(item.m_nHeight);
}

bool TakesScript(const MediaItem& item)
{
    return item.m_bDirectShow == 1 && TakesScriptRoute(item.m_szSourcePath);
}

OutputName PlanOutputName(const MediaItem& item)
{
    FamilyValues values;
    return Plan(item, &values);
}

std::string BuildCommandLine(const MediaItem& item, const CommandFiles& files)
{
    std::string command = EncoderInvocation(files.programDir) + " -i \"" + files.input + "\"";
    FamilyValues values;
    if (Plan(item, &values).refusal != CommandRefusal::NONE)
        return command;
    command += FamilyOptions(item, values);
    if (!files.output.empty())
        command += " -y \"" + files.output + "\"";
    return command;
}
