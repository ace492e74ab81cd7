#include "BuiltCommand.h"

#include "COMMON/EncoderCommand.h"
#include "COMMON/RunFiles.h"
#include "COMMON/SourceScript.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// False, and the test fails, when the path does not fit the item's field.
bool CopyPath(const std::string& path, char (&field)[MEDIA_PATH_CHARS + 1])
{
    if (path.size() > static_cast<size_t>(MEDIA_PATH_CHARS)) {
        ADD_FAILURE() << "path longer than a MediaItem holds: " << path;
        return false;
    }
    memcpy(field, path.c_str(), path.size() + 1);
    return true;
}

}  // namespace

ConverterCommand BuildConverterCommand(const std::string& programDir, const ConverterSettings& s)
{
    MediaItem item{};
    item.m_nTarget = s.target;
    item.m_nVideoCodec = s.videoCodec;
    item.m_nVideoBitrate = s.videoBitrate;
    item.m_dFrameRate = s.frameRate;
    item.m_nWidth = s.width;
    item.m_nHeight = s.height;
    item.m_nAspect = s.aspect;
    item.m_nAudioCodec = s.audioCodec;
    item.m_nAudioBitrate = s.audioBitrate;
    item.m_nChannels = s.channels;
    item.m_nSampleRate = s.sampleRate;
    item.m_nVolume = s.volume;
    item.m_bDirectShow = s.directShow;
    if (!CopyPath(s.input, item.m_szSourcePath) || !CopyPath(s.outputBase, item.m_szOutputPath))
        return {};

    auto script = std::make_shared<RunFile>();
    const OutputName name = PlanOutputName(item);
    CommandFiles files{programDir, s.input, FreeOutputName(name.stem, name.extension)};
    if (!FrameSizeAllowed(item) || name.refusal != CommandRefusal::NONE ||
        (TakesScript(item) && !WriteRunScript(programDir, s.input.c_str(), script.get()))) {
        ADD_FAILURE() << "the converter refused to build a command for " << s.input;
        return {};
    }
    if (TakesScript(item))
        files.input = script->Path();
    return {BuildCommandLine(item, files), files.output, script};
}
