// Marks the processes a test starts through the host shell, so that the test
// can tell its own program from any other on the display and end everything
// the program started (vec.exe, FFmpeg) when it is done with it. The tag is
// an environment variable, which every process started from a tagged one
// inherits, Windows and host processes alike.
#pragma once

#include <windows.h>

#include <string>

struct ProcessTag {
    std::string name;
    std::string value;

    // A tag no other process of the session carries.
    static ProcessTag Unique(const std::string& name);
    // "NAME=VALUE": an entry of the environment, or a shell assignment.
    std::string Entry() const { return name + "=" + value; }
};

// Whether the environment of the Windows process `process` (opened with
// PROCESS_QUERY_INFORMATION and PROCESS_VM_READ) holds the tag.
bool CarriesTag(HANDLE process, const ProcessTag& tag);

// Kills every process that carries the tag, host processes included, and
// waits until none is left; false when there is no host (not under Wine).
bool EndTaggedProcesses(const ProcessTag& tag);
