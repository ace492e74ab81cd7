// The encoder's command lines, as text alone: what a conversion, a probe and
// a standby encoder are started with. Nothing here touches a file or a
// process; what only the file system can settle (the script written, the
// free output name) comes in from the caller.
#pragma once

#include "COMMON/MediaItem.h"

#include <string>

// First argument of every encoder command line.
#define ENCODER_ACCESS_TOKEN "lumen-quartz-framebridging"

// The encoder's full path: "vec.exe" in `programDir` (which ends in a backslash).
inline std::string EncoderProgram(const std::string& programDir) { return programDir + "vec.exe"; }

// How every command line starts: the encoder's path, quoted so that a blank
// in its folder never splits it, and the access token.
inline std::string EncoderInvocation(const std::string& programDir)
{
    return "\"" + EncoderProgram(programDir) + "\" " ENCODER_ACCESS_TOKEN;
}

// The encoder asked for the duration and frame size of a source.
inline std::string ProbeCommandLine(const std::string& programDir, const char* sourcePath)
{
    return EncoderInvocation(programDir) + " -info \"" + sourcePath + "\"";
}

// An encoder that waits for the command line of the run to follow.
inline std::string StandbyCommandLine(const std::string& programDir)
{
    return EncoderInvocation(programDir) + " -standby";
}

// The two below read the item's source path, which must end within its field.

// Flash video needs even frame dimensions; sources of any other kind take any size.
bool FrameSizeAllowed(const MediaItem& item);

// Whether the encoder reads the item's source through a script of the run's
// own: only a source the DirectShow probe could read, of a format that needs it.
bool TakesScript(const MediaItem& item);

// Why an item gets no output name, and with it no command.
enum class CommandRefusal {
    NONE,
    UNKNOWN_TARGET,        // m_nTarget names no family
    OPTION_OUT_OF_RANGE,   // an index lies outside its table
    OUTPUT_NAME_TOO_LONG,  // the name does not fit the item's path field
};

// The output name an item asks for before a number may make it free: its
// base path, "_", the video entry, "_", the audio entry, and the family's
// extension.
struct OutputName {
    CommandRefusal refusal = CommandRefusal::NONE;
    std::string stem;       // the base path and the codec names; set unless the target or an index is refused
    std::string extension;  // with its dot
};
OutputName PlanOutputName(const MediaItem& item);

// What the command names that the file system settles before it is built.
struct CommandFiles {
    std::string programDir;  // where "vec.exe" lies, with its trailing backslash
    std::string input;       // the source itself, or the script that reads it
    std::string output;      // the output name chosen; empty when none was left
};

// The conversion command for the item, as far as it can be built: the
// invocation and the quoted input; then, unless PlanOutputName refuses the
// item, the family's options; then the quoted output, when there is one.
std::string BuildCommandLine(const MediaItem& item, const CommandFiles& files);
