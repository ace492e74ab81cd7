// Whether this copy of the program is the installed one, and what an
// installed program does for its user once.
#pragma once

#include <string>

// The full path of the running program.
std::wstring OwnProgramPath();

// True when the uninstall entry of the product (in the 32-bit or the 64-bit
// view of the registry) names this program's own folder as the installed
// location. A copy elsewhere, or one left behind after an uninstall, is not
// installed.
bool RunsFromInstalledFolder();

// At the first start of the installed program for a user: a "Send to" entry
// for the program in that user's profile. Remembered in the settings, so a
// user who deletes it does not get it again.
void MakeSendToEntryOnce();
