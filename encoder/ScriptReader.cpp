#include "encoder/ScriptReader.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <strings.h>

namespace {

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    return strncasecmp(text.c_str(), prefix, strlen(prefix)) == 0;
}

// The quoted text right after "Name(" and what follows its closing quote.
bool SplitCall(const std::string& line, const char* name, std::string& quoted, std::string& rest)
{
    std::string head = std::string(name) + "(\"";
    if (!StartsWithNoCase(line, head.c_str()) || line.back() != ')')
        return false;
    size_t close = line.find('"', head.size());
    if (close == std::string::npos)
        return false;
    quoted = line.substr(head.size(), close - head.size());
    rest = Trim(line.substr(close + 1, line.size() - close - 2));
    return !quoted.empty();
}

bool IsRelativePath(const std::string& path)
{
    return path[0] != '\\' && path[0] != '/' && path.find(':') == std::string::npos;
}

// Reads ", fps=23.976, convertfps=true" into the source's constant rate.
bool ParseSourceOptions(const std::string& options, ScriptSource& source)
{
    double fps = 0.0;
    bool convert = false;
    std::stringstream list(options);
    std::string item;
    bool first = true;
    while (std::getline(list, item, ',')) {
        item = Trim(item);
        if (first && item.empty()) {  // the text before the first comma
            first = false;
            continue;
        }
        if (first)
            return false;
        size_t equals = item.find('=');
        if (equals == std::string::npos)
            return false;
        std::string name = Trim(item.substr(0, equals));
        std::string value = Trim(item.substr(equals + 1));
        if (strcasecmp(name.c_str(), "fps") == 0) {
            char* end = nullptr;
            fps = strtod(value.c_str(), &end);
            if (value.empty() || *end || fps <= 0.0)
                return false;
        } else if (strcasecmp(name.c_str(), "convertfps") == 0) {
            if (strcasecmp(value.c_str(), "true") != 0 && strcasecmp(value.c_str(), "false") != 0)
                return false;
            convert = strcasecmp(value.c_str(), "true") == 0;
        } else {
            return false;
        }
    }
    // Without the conversion the rate only tells a player how to time the
    // frames; the source's own timing is kept, so picture and sound stay together.
    source.frameRate = convert ? fps : 0.0;
    return true;
}

}  // namespace

bool IsScriptPath(const std::string& path)
{
    return path.size() > 4 && strcasecmp(path.c_str() + path.size() - 4, ".avs") == 0;
}

bool ParseSourceScript(const std::string& text, ScriptSource& source, std::string& error)
{
    std::stringstream lines(text);
    std::string line;
    int sources = 0;
    while (std::getline(lines, line)) {
        line = Trim(line);
        std::string quoted, rest;
        if (line.empty() || line[0] == '#' || strcasecmp(line.c_str(), "return last") == 0)
            continue;
        if (SplitCall(line, "LoadPlugin", quoted, rest) && rest.empty() && IsRelativePath(quoted))
            continue;
        if (SplitCall(line, "DirectShowSource", quoted, rest) && ParseSourceOptions(rest, source)) {
            source.path = quoted;
            ++sources;
            continue;
        }
        error = "script line not supported: " + line;
        return false;
    }
    if (sources != 1) {
        error = sources == 0 ? "script opens no source" : "script opens more than one source";
        return false;
    }
    return true;
}

bool ReadSourceScript(const std::string& path, ScriptSource& source, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read the script \"" + path + "\"";
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return ParseSourceScript(text.str(), source, error);
}
