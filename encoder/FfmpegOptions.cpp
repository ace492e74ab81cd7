#include "encoder/FfmpegOptions.h"

#include "encoder/EncoderLimits.h"

#include <cstdio>
#include <cstdlib>

namespace {

// How the value after an option is read.
enum class Value { Input, Output, Name, Bitrate, FrameSize, FrameRate, KiloBits, Channels, SampleRate, Volume, AudioSync, PassThrough };

// The mapping from the converter's encoder options to FFmpeg's (4.1 and
// later: "-vsync" rather than its newer spelling "-fps_mode"). A row
// with a value accepts exactly that name and gives FFmpeg its own name for
// it; a row without one reads a number or a path. The README shows the same
// table.
struct Mapping {
    const char* option;
    const char* value;
    const char* ffmpegOption;
    const char* ffmpegValue;
    Value kind;
};

const Mapping MAPPING[] = {
    {"-i", nullptr, "-i", nullptr, Value::Input},
    {"-vcodec", "xvid", "-c:v", "libxvid", Value::Name},
    {"-vcodec", "h263", "-c:v", "h263", Value::Name},
    {"-vcodec", "h263p", "-c:v", "h263p", Value::Name},
    {"-vcodec", "mpeg4", "-c:v", "mpeg4", Value::Name},
    {"-vcodec", "mjpeg", "-c:v", "mjpeg", Value::Name},
    {"-vcodec", "h264", "-c:v", "libx264", Value::Name},
    {"-vcodec", "mpeg1video", "-c:v", "mpeg1video", Value::Name},
    {"-vcodec", "mpeg2video", "-c:v", "mpeg2video", Value::Name},
    {"-vcodec", "wmv2", "-c:v", "wmv2", Value::Name},
    {"-vcodec", "wmv1", "-c:v", "wmv1", Value::Name},
    {"-vcodec", "msmpeg4", "-c:v", "msmpeg4", Value::Name},
    {"-vcodec", "msmpeg4v2", "-c:v", "msmpeg4v2", Value::Name},
    {"-vcodec", "svq1", "-c:v", "svq1", Value::Name},
    {"-vcodec", "flv", "-c:v", "flv", Value::Name},
    {"-target", "pal-vcd", "-target", "pal-vcd", Value::Name},
    {"-target", "ntsc-vcd", "-target", "ntsc-vcd", Value::Name},
    {"-target", "pal-svcd", "-target", "pal-svcd", Value::Name},
    {"-target", "ntsc-svcd", "-target", "ntsc-svcd", Value::Name},
    {"-target", "pal-dvd", "-target", "pal-dvd", Value::Name},
    {"-target", "ntsc-dvd", "-target", "ntsc-dvd", Value::Name},
    {"-f", "swf", "-f", "swf", Value::Name},
    {"-b", nullptr, "-b:v", nullptr, Value::Bitrate},
    {"-s", nullptr, "-s", nullptr, Value::FrameSize},
    {"-r", nullptr, "-r", nullptr, Value::FrameRate},
    {"-aspect", "4:3", "-aspect", "4:3", Value::Name},
    {"-aspect", "1:1", "-aspect", "1:1", Value::Name},
    {"-aspect", "16:9", "-aspect", "16:9", Value::Name},
    {"-acodec", "mp3", "-c:a", "libmp3lame", Value::Name},
    {"-acodec", "mp2", "-c:a", "mp2", Value::Name},
    {"-acodec", "pcm_s16le", "-c:a", "pcm_s16le", Value::Name},
    {"-acodec", "pcm_s16be", "-c:a", "pcm_s16be", Value::Name},
    {"-acodec", "ac3", "-c:a", "ac3", Value::Name},
    {"-acodec", "aac", "-c:a", "aac", Value::Name},
    {"-acodec", "pcm_alaw", "-c:a", "pcm_alaw", Value::Name},
    {"-ab", nullptr, "-b:a", nullptr, Value::KiloBits},
    {"-ac", nullptr, "-ac", nullptr, Value::Channels},
    {"-ar", nullptr, "-ar", nullptr, Value::SampleRate},
    {"-vol", nullptr, "-af", "volume", Value::Volume},
    {"-async", nullptr, "-af", "aresample", Value::AudioSync},
    {"-vsync", "0", "-vsync", "passthrough", Value::Name},
    {"-vsync", "1", "-vsync", "cfr", Value::Name},
    {"-vsync", "2", "-vsync", "vfr", Value::Name},
    {"-mbd", nullptr, "-mbd", nullptr, Value::PassThrough},
    {"-qmin", nullptr, "-qmin", nullptr, Value::PassThrough},
    {"-y", nullptr, "-y", nullptr, Value::Output},
};

bool ParseInteger(const std::string& text, long low, long high, int& value)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    long number = strtol(text.c_str(), nullptr, 10);
    if (number < low || number > high)
        return false;
    value = static_cast<int>(number);
    return true;
}

bool ParseBitrate(const std::string& text, int& kbps)
{
    std::string digits = text;
    if (!digits.empty() && (digits.back() == 'k' || digits.back() == 'K'))
        digits.pop_back();
    return ParseInteger(digits, 0, 1000000, kbps);
}

bool ParseFrameSize(const std::string& text, int& width, int& height)
{
    size_t x = text.find('x');
    return x != std::string::npos && ParseInteger(text.substr(0, x), 0, 8192, width) &&
           ParseInteger(text.substr(x + 1), 0, 8192, height);
}

bool ParseFrameRate(const std::string& text, double& rate)
{
    char* end = nullptr;
    rate = strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && rate >= 0.0 && rate <= 1000.0;
}

const Mapping* FindOption(const std::string& option)
{
    for (const Mapping& row : MAPPING)
        if (option == row.option)
            return &row;
    return nullptr;
}

const Mapping* FindName(const std::string& option, const std::string& value)
{
    for (const Mapping& row : MAPPING)
        if (option == row.option && row.value && value == row.value)
            return &row;
    return nullptr;
}

std::string* NamedField(EncodeSettings& settings, const std::string& option)
{
    if (option == "-vcodec")
        return &settings.videoCodec;
    if (option == "-target")
        return &settings.target;
    if (option == "-f")
        return &settings.format;
    if (option == "-aspect")
        return &settings.aspect;
    if (option == "-acodec")
        return &settings.audioCodec;
    return &settings.videoSync;
}

// Reads one option's value into the settings; false when it is not valid.
bool ReadValue(const Mapping& row, const std::string& value, EncodeSettings& settings)
{
    switch (row.kind) {
    case Value::Input:
        settings.input = value;
        return !value.empty();
    case Value::Output:
        settings.output = value;
        return !value.empty();
    case Value::Name: {
        const Mapping* name = FindName(row.option, value);
        if (name)
            *NamedField(settings, row.option) = name->ffmpegValue;
        return name != nullptr;
    }
    case Value::Bitrate:
        return ParseBitrate(value, settings.videoKbps);
    case Value::FrameSize:
        return ParseFrameSize(value, settings.width, settings.height);
    case Value::FrameRate:
        return ParseFrameRate(value, settings.frameRate);
    case Value::KiloBits:
        return ParseInteger(value, 1, 100000, settings.audioKbps);
    case Value::Channels:
        return ParseInteger(value, 1, 8, settings.channels);
    case Value::SampleRate:
        return ParseInteger(value, 1000, 384000, settings.sampleRate);
    case Value::Volume:
        return ParseInteger(value, 0, 65535, settings.volume);
    case Value::AudioSync:
        return ParseInteger(value, 0, 1000000, settings.audioSync);
    case Value::PassThrough: {
        int number = 0;
        settings.passThrough.push_back(row.ffmpegOption);
        settings.passThrough.push_back(value);
        return ParseInteger(value, 0, 1000, number);
    }
    }
    return false;
}

std::string ToLower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The container FFmpeg will write: forced by -f or by an MPEG preset, else
// chosen by the output file's extension.
std::string Container(const EncodeSettings& settings)
{
    if (!settings.format.empty())
        return settings.format;
    if (!settings.target.empty())
        return "mpeg";
    size_t dot = settings.output.find_last_of('.');
    size_t slash = settings.output.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return "";
    return ToLower(settings.output.substr(dot + 1));
}

void Append(std::vector<std::string>& options, const char* option, const std::string& value)
{
    options.push_back(option);
    options.push_back(value);
}

// The source's forced rate (from a script), then the output's rate. The fps
// filter rounds the last frame to the source's end; FFmpeg's own constant-rate
// output would repeat it for up to a whole frame (a tenth of a second at
// 10 frames per second) past the source.
std::string VideoFilters(const EncodeSettings& settings, const std::string& outputRate)
{
    std::string chain;
    if (settings.sourceFrameRate > 0.0)
        chain = "fps=" + FrameRateText(settings.sourceFrameRate);
    const bool constantRate = settings.videoSync.empty() || settings.videoSync == "cfr";
    if (!outputRate.empty() && constantRate)
        chain += (chain.empty() ? "" : ",") + ("fps=" + outputRate);
    return chain;
}

std::string AudioFilters(const EncodeSettings& settings)
{
    std::string chain;
    char filter[64];
    if (settings.volume >= 0) {
        snprintf(filter, sizeof filter, "volume=%.6g", settings.volume / 256.0);
        chain = filter;
    }
    if (settings.audioSync >= 0) {
        snprintf(filter, sizeof filter, "aresample=async=%d:first_pts=0", settings.audioSync);
        chain += (chain.empty() ? "" : ",") + std::string(filter);
    }
    return chain;
}

}  // namespace

bool ParseConverterOptions(const std::vector<std::string>& arguments, EncodeSettings& settings,
                           std::string& error)
{
    for (size_t i = 0; i < arguments.size(); i += 2) {
        const std::string& option = arguments[i];
        const Mapping* row = FindOption(option);
        if (!row) {
            error = "unknown option \"" + option + "\"";
            return false;
        }
        if (i + 1 >= arguments.size()) {
            error = "option \"" + option + "\" lacks its value";
            return false;
        }
        if (!ReadValue(*row, arguments[i + 1], settings)) {
            error = "option \"" + option + "\" does not accept \"" + arguments[i + 1] + "\"";
            return false;
        }
    }
    if (settings.input.empty() || settings.output.empty()) {
        error = settings.input.empty() ? "no input file (-i) given" : "no output file (-y) given";
        return false;
    }
    return true;
}

std::string EffectiveVideoCodec(const EncodeSettings& settings)
{
    if (!settings.videoCodec.empty())
        return settings.videoCodec;
    if (!settings.target.empty())
        return settings.target.find("-vcd") != std::string::npos ? "mpeg1video" : "mpeg2video";
    if (settings.format == "swf")
        return "flv";
    return "";
}

std::vector<std::string> FfmpegOutputOptions(const EncodeSettings& settings)
{
    std::vector<std::string> options;
    std::string videoCodec = EffectiveVideoCodec(settings);
    std::string container = Container(settings);
    // The preset comes first, so that every explicit option overrides it.
    if (!settings.target.empty())
        Append(options, "-target", settings.target);
    if (!settings.format.empty())
        Append(options, "-f", settings.format);
    if (!settings.videoCodec.empty())
        Append(options, "-c:v", settings.videoCodec);
    if (settings.videoKbps > 0)
        Append(options, "-b:v", std::to_string(FitVideoKbps(settings.target, settings.videoKbps)) + "k");
    if (settings.width > 0 && settings.height > 0) {
        FrameSize size = FitFrameSize(videoCodec, settings.width, settings.height);
        Append(options, "-s", std::to_string(size.width) + "x" + std::to_string(size.height));
    }
    const std::string frameRate = settings.frameRate > 0.0 ? FitFrameRate(videoCodec, settings.frameRate) : "";
    if (!frameRate.empty())
        Append(options, "-r", frameRate);
    if (!settings.aspect.empty())
        Append(options, "-aspect", settings.aspect);

    std::string audioCodec = FitAudioCodec(settings.audioCodec, container);
    int sampleRate = settings.sampleRate > 0 ? FitSampleRate(audioCodec, container, settings.sampleRate) : 0;
    if (!audioCodec.empty())
        Append(options, "-c:a", audioCodec);
    if (settings.audioKbps > 0 && TakesAudioBitrate(audioCodec))
        Append(options, "-b:a", std::to_string(FitAudioKbps(audioCodec, sampleRate, settings.audioKbps)) + "k");
    if (settings.channels > 0)
        Append(options, "-ac", std::to_string(settings.channels));
    if (sampleRate > 0)
        Append(options, "-ar", std::to_string(sampleRate));
    options.insert(options.end(), settings.passThrough.begin(), settings.passThrough.end());

    std::string videoFilters = VideoFilters(settings, frameRate);
    if (!videoFilters.empty())
        Append(options, "-vf", videoFilters);
    std::string audioFilters = AudioFilters(settings);
    if (!audioFilters.empty())
        Append(options, "-af", audioFilters);
    if (!settings.videoSync.empty())
        Append(options, "-vsync", settings.videoSync);
    return options;
}
