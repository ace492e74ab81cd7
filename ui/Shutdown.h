// Shutting the computer down after a completed batch.
#pragma once

#include <windows.h>

// The call that finally ends the session. Replaceable, so that tests can
// watch the shut-down path without ending their own session.
using ExitWindowsCall = BOOL(WINAPI*)(UINT flags, DWORD reason);

// Installs `call` (null: the system's ExitWindowsEx); returns the previous one.
ExitWindowsCall SetExitWindowsCall(ExitWindowsCall call);

// On the NT platform enables the shut-down privilege of this process, then
// asks for a shut-down without a question. Nothing is reported.
void ShutdownComputer();
