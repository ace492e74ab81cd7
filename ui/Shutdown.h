// Shutting the computer down after a completed batch.
#pragma once

#include <windows.h>

#include <string>

// The call that finally ends the session. Replaceable, so that tests can
// watch the shut-down path without ending their own session.
using ExitWindowsCall = BOOL(WINAPI*)(UINT flags, DWORD reason);

// Installs `call` (null: the system's ExitWindowsEx); returns the previous one.
ExitWindowsCall SetExitWindowsCall(ExitWindowsCall call);

// On the NT platform enables the shut-down privilege of this process, then
// asks for a shut-down without a question. False when the privilege was not
// granted or the system refused: the computer keeps running.
bool ShutdownComputer();

// How long the user has to stop a shut-down: 30 seconds, or the whole
// seconds (1 to 3600) that the environment variable SHUTDOWN_SECONDS_VARIABLE
// names, so that tests neither wait half a minute nor risk the real call.
extern const char* const SHUTDOWN_SECONDS_VARIABLE;
int ShutdownCountdownSeconds();

// Whole seconds left of a countdown of `totalSeconds` after `elapsedMs`,
// rounded up: the full count at the start, 0 once the time is out.
int CountdownSecondsLeft(int totalSeconds, unsigned long elapsedMs);
// "The computer will shut down in N seconds." ("1 second." for one).
std::string ShutdownCountdownText(int secondsLeft);
