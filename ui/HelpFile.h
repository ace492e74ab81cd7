// The compiled help file beside the executable, opened through the shell.
#pragma once

#include <windows.h>

#include <string>

constexpr const char* HELP_FILE_NAME = "vodrixvidoeconverter.chm";

// The help file's full path: the executable's directory joined with the name.
std::string HelpFilePath();

// Asks the shell to open the help file; the result is ignored (no message).
void OpenHelpFile();

// The shell call OpenHelpFile makes; tests put a recorder in its place.
// Null restores ShellExecute.
using ShellOpenFunction = HINSTANCE (*)(const char* path);
void SetShellOpenFunction(ShellOpenFunction function);
