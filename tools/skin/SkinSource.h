// The readable source of a skin (see skin/SOURCE.md): compiled into a Skin
// by skinc, written from a Skin by skindump.
#pragma once

#include "skin/core/Skin.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace skin {

// A mistake in a source text, with the line it was found on.
class SourceError : public std::runtime_error {
public:
    SourceError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message), m_line(line)
    {
    }
    int Line() const { return m_line; }

private:
    int m_line;
};

// Gives the bytes of an image file named in the source (a path relative to
// the source file); throws std::runtime_error when it cannot.
using ImageLoader = std::function<std::vector<uint8_t>(const std::string& path)>;
// Stores the bytes of an image under a path relative to the source file.
using ImageSaver = std::function<void(const std::string& path, const std::vector<uint8_t>& bytes)>;

// Fills an empty skin from a source text; the minor version is the one the
// text names (1.16 when it names none). Throws SourceError.
void CompileSkinSource(const std::string& text, const ImageLoader& loadImage, Skin& skin);

// The source of a skin, listing every value of every object, so that
// compiling it gives the same objects, values and images. The images are
// handed to `saveImage` under the paths the source names.
std::string DumpSkinSource(const Skin& skin, const ImageSaver& saveImage);

}  // namespace skin
