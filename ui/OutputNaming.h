// Where a source's converted file goes: the output directory, a backslash and
// the source's name up to its first dot. The engine appends "_", the codec
// names and the family's extension to this base, and a number before the
// extension when that name is taken.
#pragma once

#include "COMMON/RunFiles.h"

#include <string>

// Longest suffix the engine appends to a base path ("_h263p_pcm_s16le (9999).avi").
constexpr size_t MAX_OUTPUT_SUFFIX_CHARS = 20 + OUTPUT_NUMBER_CHARS;

// The file name of `sourcePath` (after its last backslash) up to its first
// dot. A name without a dot, or with nothing before its first dot, is kept
// whole, so that two such sources never share one output name.
std::string OutputBaseName(const char* sourcePath);

// `outputDir` + "\" + OutputBaseName. The directory normally ends in a
// backslash already; the doubled backslash is accepted by the file system.
std::string ComposeOutputBase(const std::string& outputDir, const char* sourcePath);

// True when `base` plus the longest suffix fits `capacity` characters.
bool OutputPathFits(const std::string& base, size_t capacity);
