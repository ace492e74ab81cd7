#include "COMMON/SourceScript.h"

#include "COMMON/RunFiles.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <strings.h>

namespace {

// Streamed formats whose frame timing is irregular: the encoder gets a
// constant 23.976 frames per second out of them.
const char* const CONVERT_FPS_EXTENSIONS[] = {".rm", ".rmvb", ".wmv", ".asf", ".ram"};

// Formats the encoder opens itself; no script is written for them.
const char* const DIRECT_EXTENSIONS[] = {".swf", ".flv", ".mov", ".m4v", ".h264", ".h261",
                                         ".h263", ".mpg", ".avi", ".3gp", ".mpeg"};

template <size_t N>
bool IsOneOf(const char* extension, const char* const (&list)[N])
{
    for (const char* candidate : list)
        if (strcasecmp(extension, candidate) == 0)
            return true;
    return false;
}

// What follows the source path in its DirectShowSource line.
const char* SourceLineEnd(const char* extension)
{
    if (IsOneOf(extension, CONVERT_FPS_EXTENSIONS))
        return "\", fps=23.976, convertfps=true )";
    if (strcasecmp(extension, ".mp4") == 0)
        return "\", fps=23.976, convertfps=false )";
    return "\")";
}

// Every byte reaches the file and the file closes cleanly.
bool WriteWholeFile(const char* path, const std::string& text)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool complete = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                          written == text.size();
    return CloseHandle(file) && complete;
}

}  // namespace

const char* FindExtension(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    const char* dot = strrchr(name, '.');
    return dot ? dot : name + strlen(name);
}

bool TakesScriptRoute(const char* sourcePath) { return !IsOneOf(FindExtension(sourcePath), DIRECT_EXTENSIONS); }

int bWriteSourceScript(const char* scriptPath, const char* sourcePath)
{
    if (!TakesScriptRoute(sourcePath))
        return 0;
    // The line ends a text-mode file would write.
    const std::string text = "LoadPlugin(\"plugin\\DirectShowSource.dll\")\r\nDirectShowSource(\"" +
                             std::string(sourcePath) + SourceLineEnd(FindExtension(sourcePath)) +
                             "\r\nreturn last";
    return WriteWholeFile(scriptPath, text) ? 1 : SCRIPT_NOT_WRITTEN;
}

bool WriteRunScript(const std::string& folder, const char* sourcePath, RunFile* script)
{
    if (script->CreateUnique(folder, "edit", ".avs") && bWriteSourceScript(script->Path().c_str(), sourcePath) == 1)
        return true;
    script->Remove();
    return false;
}
