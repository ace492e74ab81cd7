// Reads the AviSynth script through which the converter hands over
// sources that only DirectShow could open.
#pragma once

#include <string>

struct ScriptSource {
    std::string path;        // the source the script opens
    double frameRate = 0.0;  // constant output rate the script asks for; 0 keeps the source's timing
};

// True when the input is a script rather than a media file.
bool IsScriptPath(const std::string& path);

// Parses the script's text. Accepted: relative LoadPlugin lines, exactly one
// DirectShowSource line (with "fps=" and "convertfps=" options at most),
// "return last", comments and blank lines. Anything else fails with a
// message naming the line.
bool ParseSourceScript(const std::string& text, ScriptSource& source, std::string& error);

// Reads and parses the script file.
bool ReadSourceScript(const std::string& path, ScriptSource& source, std::string& error);
