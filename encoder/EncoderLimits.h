// What FFmpeg's encoders and containers accept, and for a value the converter
// may send that one of them would refuse, the nearest value it accepts.
// Codecs are FFmpeg's encoder names; containers are FFmpeg's format names or
// output extensions ("avi", "mpeg", "swf", "flv"...).
#pragma once

#include <string>

struct FrameSize {
    int width;
    int height;
};

std::string FitAudioCodec(const std::string& codec, const std::string& container);
int FitSampleRate(const std::string& codec, const std::string& container, int rate);
int FitAudioKbps(const std::string& codec, int sampleRate, int kbps);
// PCM has no bit rate to choose.
bool TakesAudioBitrate(const std::string& codec);
FrameSize FitFrameSize(const std::string& codec, int width, int height);
// `target` is an MPEG preset ("pal-vcd"...) or empty.
int FitVideoKbps(const std::string& target, int kbps);
std::string FitFrameRate(const std::string& codec, double rate);

// A frame rate as FFmpeg should get it: the NTSC rates 23.97/23.976, 29.97
// and 59.94 as their exact fractions, anything else in decimals.
std::string FrameRateText(double rate);
