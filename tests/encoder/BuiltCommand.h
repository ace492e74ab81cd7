// The converter's settings of one test conversion, turned into an encoder
// command line by the converter's own builder, so that the encoder is tested
// on the very text it will receive.
#pragma once

#include "COMMON/MediaItem.h"

#include <memory>
#include <string>

class RunFile;

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
    int directShow = 0;       // 1: the source may reach the encoder through a script
    std::string input;        // source path
    std::string outputBase;   // output path without the codec suffix and extension
};

struct ConverterCommand {
    std::string commandLine;
    std::string outputPath;  // the first free output name
    // The script the command reads its source through, if any, kept until
    // the command is done with.
    std::shared_ptr<RunFile> script;
};

// Builds the command line for an encoder lying in `programDir` (with its
// trailing backslash), writing the source's script there as the converter
// does. A build the converter refuses fails the running test and answers
// empty strings.
ConverterCommand BuildConverterCommand(const std::string& programDir, const ConverterSettings& settings);
