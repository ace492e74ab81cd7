#include "ui/OutputNaming.h"

#include <cstring>

std::string OutputBaseName(const char* sourcePath)
{
    const char* lastSlash = strrchr(sourcePath, '\\');
    const std::string name = lastSlash ? lastSlash + 1 : sourcePath;
    const size_t dot = name.find('.');
    if (dot == std::string::npos || dot == 0)
        return name;
    return name.substr(0, dot);
}

std::string ComposeOutputBase(const std::string& outputDir, const char* sourcePath)
{
    return outputDir + "\\" + OutputBaseName(sourcePath);
}

bool OutputPathFits(const std::string& base, size_t capacity)
{
    return base.size() + MAX_OUTPUT_SUFFIX_CHARS <= capacity;
}
