// Who runs another process: the files of a second start go only to a window
// of this very program, run by the same user in the same session. Any other
// window, whatever it carries, may belong to anyone.
#pragma once

#include <windows.h>

#include <vector>

// A security identifier as plain bytes; empty when it could not be read.
using SidBytes = std::vector<BYTE>;

// The user this process runs as.
SidBytes CurrentUserSid();

// True when process `processId` runs the same program file as this one
// (compared whatever the case and the short or long form of the path), in
// this session, as this user. False when any of it cannot be found out.
bool RunsThisProgramForThisUser(DWORD processId);

// True when some other process runs this program for this user in this
// session (or when the system cannot tell).
bool AnotherProcessRunsThisProgram();
