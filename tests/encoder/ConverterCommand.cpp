#include "ConverterCommand.h"

#include <cstdio>
#include <vector>

const char* const AUDIO_BITRATES[15] = {"32", "48", "56", "64", "80", "96", "112", "128",
                                        "160", "192", "224", "256", "320", "384", "576"};
const char* const SAMPLE_RATES[5] = {"11025", "22050", "24000", "44100", "48000"};
const char* const ASPECTS[3] = {"4:3", "1:1", "16:9"};

namespace {

const std::vector<std::vector<const char*>> VIDEO = {
    {"xvid", "h263", "h263p", "mpeg4", "mjpeg", "h264"},
    {"pal-vcd", "ntsc-vcd", "pal-svcd", "ntsc-svcd", "pal-dvd", "ntsc-dvd", "mpeg1video", "mpeg2video"},
    {"wmv2", "wmv1", "msmpeg4", "msmpeg4v2"},
    {"xvid", "h264", "h263", "mpeg4", "svq1"},
    {"swf", "flv"},
};
const std::vector<std::vector<const char*>> AUDIO = {
    {"mp3", "mp2", "pcm_s16le", "pcm_s16be"}, {"ac3", "mp2"}, {"mp3", "mp2"},
    {"aac", "pcm_alaw", "pcm_s16le", "pcm_s16be"}, {"mp3"},
};

std::string Format(const char* format, int value)
{
    char text[32];
    snprintf(text, sizeof text, format, value);
    return text;
}

const char* Extension(const ConverterSettings& s)
{
    switch (s.target) {
    case TARGET_MPEG: return ".mpg";
    case TARGET_WMV: return s.videoCodec == 3 ? ".asf" : ".wmv";
    case TARGET_MOV: return ".mov";
    case TARGET_FLV: return s.videoCodec == 0 ? ".swf" : ".flv";
    default: return ".avi";
    }
}

}  // namespace

const char* VideoEntry(int target, int index) { return VIDEO[target - 1][index]; }
const char* AudioEntry(int target, int index) { return AUDIO[target - 1][index]; }
int VideoEntryCount(int target) { return static_cast<int>(VIDEO[target - 1].size()); }
int AudioEntryCount(int target) { return static_cast<int>(AUDIO[target - 1].size()); }

ConverterCommand BuildConverterCommand(const std::string& programDir, const ConverterSettings& s)
{
    const char* video = VideoEntry(s.target, s.videoCodec);
    const char* audio = AudioEntry(s.target, s.audioCodec);
    char size[32], rate[32];
    snprintf(size, sizeof size, "%dx%d", s.width, s.height);
    snprintf(rate, sizeof rate, "%.2f", s.frameRate);
    std::string bitrate = Format("%dk", s.videoBitrate);
    std::string channels = Format("%d", s.channels);
    std::string volume = Format("%d", s.volume);
    std::string output = s.outputBase + "_" + video + "_" + audio + Extension(s);

    std::string line = programDir + "vec.exe" + " " + "lumen-quartz-framebridging" + " " + "-i" + " " + "\"" +
                       s.input + "\"";
    std::string audioPart = std::string(" -acodec ") + audio + " -ab " + AUDIO_BITRATES[s.audioBitrate] +
                            " -ac " + channels + " -ar " + SAMPLE_RATES[s.sampleRate];
    switch (s.target) {
    case TARGET_MPEG:
        line += std::string(s.videoCodec <= 5 ? " -target " : " -vcodec ") + video + " -b " + bitrate + " -r " +
                rate + " -s " + size + " -aspect " + ASPECTS[s.aspect] + audioPart +
                " -mbd 2 -qmin 2  -async 1 -vsync 1 " + " -vol " + volume;
        break;
    case TARGET_FLV:
        line += std::string(s.videoCodec == 0 ? " -f " : " -vcodec ") + video + " -b " + bitrate + " -s " + size +
                " -r " + rate + " -aspect " + ASPECTS[s.aspect] + audioPart + " -async 1 -vsync 1 " + " -vol " +
                volume;
        break;
    default:
        line += std::string(" -vcodec ") + video + " -b " + bitrate + " -s " + size + " -r " + rate + " -aspect " +
                ASPECTS[s.aspect] + audioPart + " -vol " + volume + " -async 1 -vsync 1 ";
        break;
    }
    line += std::string(" -y ") + "\"" + output + "\"";
    return {line, output};
}
