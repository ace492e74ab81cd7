// The AviSynth script through which the encoder reads sources that only
// DirectShow can open.
#pragma once

#include <string>

class RunFile;

// Answer of bWriteSourceScript for a script that did not reach its file whole.
constexpr int SCRIPT_NOT_WRITTEN = -1;

// Whether the encoder reads the source through a script, by its extension.
bool TakesScriptRoute(const char* sourcePath);

// When the source takes the script route, writes its script to `scriptPath`
// (replacing what the file held) and returns 1, or SCRIPT_NOT_WRITTEN when
// opening, any write or closing failed; returns 0, writing nothing, when the
// encoder reads the source directly.
int bWriteSourceScript(const char* scriptPath, const char* sourcePath);

// The extension of the path's file name, from its last dot on (dot included);
// empty when the file name has no dot.
const char* FindExtension(const char* path);

// Writes the script of `sourcePath` into a new file of `folder` (with its
// trailing backslash), under a name no other run holds, which `script` then
// owns. False, with nothing left behind, when it did not reach its file whole.
bool WriteRunScript(const std::string& folder, const char* sourcePath, RunFile* script);
