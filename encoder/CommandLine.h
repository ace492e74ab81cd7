// Splits the command line that started the encoder into its arguments.
#pragma once

#include <string>
#include <vector>

// The converter quotes the program's path; older converters named it without
// quotes, even when its folder holds blanks, so the program part cannot be
// found by blanks alone: it is the quoted first word, or the running module's
// own path when the line starts with it, or else the first word. The rest is split at blanks and tabs;
// double quotes group (and are removed), backslashes are plain characters,
// since every quoted argument the converter writes is a path.
std::vector<std::string> SplitArguments(const char* commandLine, const char* modulePath);
