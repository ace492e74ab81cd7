#include "encoder/EncoderLimits.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// What encoders and containers accept, where FFmpeg would otherwise refuse
// a value the converter can send.
const int MP2_SAMPLE_RATES[] = {16000, 22050, 24000, 32000, 44100, 48000};
const int AC3_SAMPLE_RATES[] = {32000, 44100, 48000};
const int FLASH_MP3_SAMPLE_RATES[] = {11025, 22050, 44100};
const int MPEG1_AUDIO_KBPS[] = {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};
const int MPEG2_AUDIO_KBPS[] = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
const int MP3_KBPS[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
const int AC3_KBPS[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 448, 512, 576, 640};

// The video bit rates (kbit/s) the MPEG presets' rate control allows: VCD
// is constant, SVCD and DVD have a ceiling.
struct BitrateWindow {
    const char* presetSuffix;
    int lowest;
    int highest;
};
const BitrateWindow PRESET_VIDEO_KBPS[] = {{"-vcd", 1150, 1150}, {"-svcd", 0, 2516}, {"-dvd", 0, 9000}};

const FrameSize H263_SIZES[] = {{128, 96}, {176, 144}, {352, 288}, {704, 576}, {1408, 1152}};

struct Rate {
    int numerator;
    int denominator;
};
const Rate MPEG1_FRAME_RATES[] = {{24000, 1001}, {24, 1}, {25, 1}, {30000, 1001}, {30, 1},
                                  {50, 1}, {60000, 1001}, {60, 1}};

template <size_t N>
int Nearest(const int (&allowed)[N], int wanted)
{
    int best = allowed[0];
    for (int candidate : allowed)
        if (std::abs(candidate - wanted) < std::abs(best - wanted))
            best = candidate;
    return best;
}

}  // namespace

// AVI stores samples in the little-endian byte order of its WAVE headers
// only; big-endian samples go in as the same samples in that order.
std::string FitAudioCodec(const std::string& codec, const std::string& container)
{
    if (codec == "pcm_s16be" && container == "avi")
        return "pcm_s16le";
    return codec;
}

int FitSampleRate(const std::string& codec, const std::string& container, int rate)
{
    if (codec == "mp2")
        return Nearest(MP2_SAMPLE_RATES, rate);
    if (codec == "ac3")
        return Nearest(AC3_SAMPLE_RATES, rate);
    if (codec == "libmp3lame" && (container == "swf" || container == "flv"))
        return Nearest(FLASH_MP3_SAMPLE_RATES, rate);
    return rate;
}

// MPEG audio offers fixed bit rates, fewer at the half sample rates.
int FitAudioKbps(const std::string& codec, int sampleRate, int kbps)
{
    bool fullRate = sampleRate == 0 || sampleRate >= 32000;
    if (codec == "mp2")
        return fullRate ? Nearest(MPEG1_AUDIO_KBPS, kbps) : Nearest(MPEG2_AUDIO_KBPS, kbps);
    if (codec == "libmp3lame")
        return fullRate ? Nearest(MP3_KBPS, kbps) : Nearest(MPEG2_AUDIO_KBPS, kbps);
    if (codec == "ac3")
        return Nearest(AC3_KBPS, kbps);
    return kbps;
}

bool TakesAudioBitrate(const std::string& codec)
{
    return codec.compare(0, 4, "pcm_") != 0;
}

// H.263 knows five picture sizes; H.263+ needs multiples of 4; the other
// 4:2:0 encoders need even sizes.
FrameSize FitFrameSize(const std::string& codec, int width, int height)
{
    if (codec == "h263") {
        FrameSize best = H263_SIZES[0];
        long area = static_cast<long>(width) * height;
        for (const FrameSize& size : H263_SIZES)
            if (std::labs(static_cast<long>(size.width) * size.height - area) <
                std::labs(static_cast<long>(best.width) * best.height - area))
                best = size;
        return best;
    }
    int alignment = codec == "h263p" ? 4 : (codec == "mjpeg" || codec == "svq1") ? 1 : 2;
    auto align = [alignment](int value) { return value < alignment ? alignment : value - value % alignment; };
    return {align(width), align(height)};
}

int FitVideoKbps(const std::string& target, int kbps)
{
    for (const BitrateWindow& window : PRESET_VIDEO_KBPS) {
        size_t at = target.rfind(window.presetSuffix);
        if (at != std::string::npos && at + strlen(window.presetSuffix) == target.size())
            return kbps < window.lowest ? window.lowest : kbps > window.highest ? window.highest : kbps;
    }
    return kbps;
}

// MPEG-1 video stores one of eight frame rates.
std::string FitFrameRate(const std::string& codec, double rate)
{
    if (codec != "mpeg1video")
        return FrameRateText(rate);
    Rate best = MPEG1_FRAME_RATES[0];
    for (const Rate& candidate : MPEG1_FRAME_RATES)
        if (std::fabs(static_cast<double>(candidate.numerator) / candidate.denominator - rate) <
            std::fabs(static_cast<double>(best.numerator) / best.denominator - rate))
            best = candidate;
    char text[32];
    snprintf(text, sizeof text, best.denominator == 1 ? "%d" : "%d/%d", best.numerator, best.denominator);
    return text;
}

std::string FrameRateText(double rate)
{
    const Rate ntsc[] = {{24000, 1001}, {30000, 1001}, {60000, 1001}};
    char text[32];
    for (const Rate& candidate : ntsc)
        if (std::fabs(static_cast<double>(candidate.numerator) / candidate.denominator - rate) < 0.01) {
            snprintf(text, sizeof text, "%d/%d", candidate.numerator, candidate.denominator);
            return text;
        }
    snprintf(text, sizeof text, "%.6g", rate);
    return text;
}

