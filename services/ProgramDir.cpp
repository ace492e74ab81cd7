// Apart from the settings and the event log, so that a program that needs
// only its folder (vec.exe) does not load the services' system libraries.
#include "services/AppServices.h"

#include <windows.h>

#include <cstring>

std::string DirectoryOfPath(const char* path)
{
    const char* lastSlash = strrchr(path, '\\');
    return lastSlash ? std::string(path, lastSlash + 1) : std::string();
}

std::string GetProgramDir()
{
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return DirectoryOfPath(path);
}
