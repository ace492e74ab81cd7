// Translates the converter's encoder options into options that FFmpeg reads
// alike from version 4.1 (the build shipped beside vec.exe) to today, fitting each value to what the chosen encoder and container accept.
#pragma once

#include <string>
#include <vector>

// Everything the converter asked for, in FFmpeg's terms. Empty texts and
// zero numbers are options the command line did not give, or gave as 0: a
// frame size with a 0 in it (a source whose probe found only one side), a
// frame rate or a video bit rate of 0 keep what the source or the encoder
// would choose.
struct EncodeSettings {
    std::string input;         // the path after -i: a source or a script
    std::string output;        // the path after -y
    std::string target;        // MPEG preset (-target)
    std::string format;        // container forced by -f
    std::string videoCodec;    // FFmpeg encoder name
    int videoKbps = 0;
    int width = 0;
    int height = 0;
    double frameRate = 0.0;
    std::string aspect;
    std::string audioCodec;    // FFmpeg encoder name
    int audioKbps = 0;
    int channels = 0;
    int sampleRate = 0;
    int volume = -1;           // 256 keeps the level
    int audioSync = -1;
    std::string videoSync;     // "passthrough", "cfr" or "vfr"
    std::vector<std::string> passThrough;  // option and value pairs FFmpeg still spells the same
    double sourceFrameRate = 0.0;          // constant rate forced on the source by a script
};

// Parses the converter's options (the arguments after the access token).
// Accepts exactly the options and names of the mapping table; anything else
// fails with a message naming it.
bool ParseConverterOptions(const std::vector<std::string>& arguments, EncodeSettings& settings,
                           std::string& error);

// The FFmpeg output options for the settings, fitted to the encoders (the
// input, the output path and the progress options are the caller's).
std::vector<std::string> FfmpegOutputOptions(const EncodeSettings& settings);

// The encoder FFmpeg will use for the video: the chosen one, or the one the
// MPEG preset or the forced container implies.
std::string EffectiveVideoCodec(const EncodeSettings& settings);
