#include "encoder/CommandLine.h"

#include <cstring>
#include <strings.h>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Length of the program part at the start of `line`.
size_t ProgramPartLength(const char* line, const char* modulePath)
{
    if (line[0] == '"') {
        const char* close = strchr(line + 1, '"');
        return close ? close - line + 1 : strlen(line);
    }
    size_t moduleLength = strlen(modulePath);
    if (moduleLength > 0 && strncasecmp(line, modulePath, moduleLength) == 0 &&
        (line[moduleLength] == '\0' || IsBlank(line[moduleLength])))
        return moduleLength;
    size_t length = 0;
    while (line[length] && !IsBlank(line[length]))
        ++length;
    return length;
}

}  // namespace

std::vector<std::string> SplitArguments(const char* commandLine, const char* modulePath)
{
    std::vector<std::string> arguments;
    const char* p = commandLine + ProgramPartLength(commandLine, modulePath);
    while (*p) {
        while (IsBlank(*p))
            ++p;
        if (!*p)
            break;
        std::string argument;
        bool quoted = false;
        for (; *p && (quoted || !IsBlank(*p)); ++p) {
            if (*p == '"')
                quoted = !quoted;
            else
                argument += *p;
        }
        arguments.push_back(argument);
    }
    return arguments;
}
