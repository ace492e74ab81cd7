// Reaching the host system from a test running under Wine: running a host
// command (for example to generate media files with the host's tools) and
// translating paths. On real Windows none of this exists.
#pragma once

#include <string>

// True when the process runs under Wine.
bool RunningUnderWine();

// Runs `command` with the host's /bin/sh and waits for it. False when it
// could not be started (not under Wine). The command's own result is not
// reported: check the files it should have made.
bool RunHostShell(const std::string& command);

// The host path of a Windows path; empty when there is none.
std::string HostPathOf(const std::string& windowsPath);

// The Windows path of a host path: "Z:" and the host path with backslashes.
std::string WindowsPathOfHost(std::string hostPath);
