// The encoder command lines exactly as the converter's builder writes them,
// so that the encoder is tested on the very text it will receive.
#pragma once

#include <string>

enum TargetFamily { TARGET_AVI = 1, TARGET_MPEG, TARGET_WMV, TARGET_MOV, TARGET_FLV };

struct ConverterSettings {
    int target = TARGET_AVI;
    int videoCodec = 0;       // index into the family's video table
    int videoBitrate = 800;   // kbit/s
    double frameRate = 25.0;
    int width = 320;
    int height = 240;
    int aspect = 0;           // index into the aspect table
    int audioCodec = 0;       // index into the family's audio table
    int audioBitrate = 7;     // index into the audio bit-rate table
    int channels = 2;
    int sampleRate = 3;       // index into the sample-rate table
    int volume = 256;
    std::string input;        // source or script path
    std::string outputBase;   // output path without the codec suffix and extension
};

struct ConverterCommand {
    std::string commandLine;
    std::string outputPath;
};

ConverterCommand BuildConverterCommand(const std::string& programDir, const ConverterSettings& settings);

const char* VideoEntry(int target, int index);
const char* AudioEntry(int target, int index);
int VideoEntryCount(int target);
int AudioEntryCount(int target);
extern const char* const AUDIO_BITRATES[15];
extern const char* const SAMPLE_RATES[5];
extern const char* const ASPECTS[3];
