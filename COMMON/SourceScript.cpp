#include "COMMON/SourceScript.h"

#include <cstdio>
#include <cstring>
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

const char* SourceLineFormat(const char* extension)
{
    if (IsOneOf(extension, CONVERT_FPS_EXTENSIONS))
        return "DirectShowSource(\"%s\", fps=23.976, convertfps=true )\n";
    if (strcasecmp(extension, ".mp4") == 0)
        return "DirectShowSource(\"%s\", fps=23.976, convertfps=false )\n";
    return "DirectShowSource(\"%s\")\n";
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

int bWriteSourceScript(const char* scriptPath, const char* sourcePath)
{
    const char* extension = FindExtension(sourcePath);
    if (IsOneOf(extension, DIRECT_EXTENSIONS))
        return 0;
    // An unwritable script still answers 1: the encoder then fails on its
    // input, and the run reports that as a failed conversion.
    FILE* script = fopen(scriptPath, "wt");
    if (!script)
        return 1;
    fprintf(script, "LoadPlugin(\"%s\")\n", "plugin\\DirectShowSource.dll");
    fprintf(script, SourceLineFormat(extension), sourcePath);
    fputs("return last", script);
    fclose(script);
    return 1;
}
