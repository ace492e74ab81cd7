// The AviSynth script through which the encoder reads sources that only
// DirectShow can open.
#pragma once

// Decides by the source's extension whether the encoder reads the source
// through a script. When it does, writes the script to `scriptPath` and
// returns 1; returns 0 when the encoder reads the source directly.
int bWriteSourceScript(const char* scriptPath, const char* sourcePath);

// The extension of the path's file name, from its last dot on (dot included);
// empty when the file name has no dot.
const char* FindExtension(const char* path);
