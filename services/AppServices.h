// The program's bottom services: title and version, the event log, the one
// stored setting, the program directory beside which every companion file
// lies, and the folders the program writes into.
#pragma once

#include "services/AppVersion.h"

#include <windows.h>

#include <string>
#include <vector>

#define SKIN_FILE_NAME "x-plus.smf"
#define DIALOG_SKIN_NAME "MainDialog"

// Event ids of the two kinds of entry the program writes.
enum : DWORD {
    EVENT_ID_ERROR = 1,  // batch run and engine failures
    EVENT_ID_INFO = 3,   // start, stop and encoder command lines
};

// Writes one entry under the source APP_TITLE. Returns 1 once the entry was
// reported, 0 when no event-log handle could be opened. A null text writes
// an entry without insertion string.
int LogEvent(WORD eventType, DWORD eventId, const char* text);

// The system event log cannot be read back everywhere (Wine keeps none), so
// tests observe entries here. Called after every report; null switches it off.
using EventLogObserver = void (*)(WORD eventType, DWORD eventId, const char* text);
void SetEventLogObserver(EventLogObserver observer);

// Registry key under HKEY_CURRENT_USER that holds the program's settings.
extern const char* const SETTINGS_KEY;
// An environment variable that names another key instead: test suites that
// run side by side each keep their settings apart this way.
extern const char* const SETTINGS_KEY_VARIABLE;
// The key in use: the one named by SETTINGS_KEY_VARIABLE, else SETTINGS_KEY.
std::string SettingsKey();

// Reads a string value of the settings key into `value`. Returns 1 on
// success; 0 leaves `value` unchanged (missing key or value, or data longer
// than the 1024-byte read buffer).
int ReadSetting(const char* name, std::string& value);

// Stores `text` as REG_SZ without its terminating zero. Returns 1 on success.
int WriteSetting(const char* name, const char* text);

// The running executable's directory with its trailing backslash.
std::string GetProgramDir();

// Whether a new file can be made in `folder` (a trailing backslash is
// optional). Found by really making one, which is then removed: attributes
// tell nothing of access rights, read-only media or mounts.
bool FolderAcceptsFiles(const std::string& folder);

// A copy of the program that was not installed (RunsFromInstalledFolder)
// keeps its data beside itself while its folder takes files: both answers
// below are then the program's folder. Otherwise the program's own files go to a per-user folder APP_TITLE under the local
// application data (made when needed), and the output goes by default to
// the user's Videos folder, else Documents. Decided once per run; each
// answer ends in a backslash.
// Where "edit.avs" and "trace" are written.
const std::string& GetOwnFilesDir();
// The output directory while none is stored.
const std::string& GetDefaultOutputDir();

// The user's own skins: "Skins" in a folder APP_TITLE under the roaming
// application data, with a trailing backslash (not made by the program);
// empty when the shell knows no such data folder.
std::string GetUserSkinsDir();

// The files (not sub-folders) directly inside `folder` whose names match the
// wildcard `pattern`, as full paths, in the order the file system gives them.
// Each path is one the ANSI calls open (AnsiPath), whatever its characters.
// A trailing backslash on `folder` is optional; none when it cannot be read.
std::vector<std::string> FilesInFolder(const std::string& folder, const char* pattern);

// Everything of `path` up to and including its last backslash; empty when
// there is none. Pure, so that it can be tested on any path.
std::string DirectoryOfPath(const char* path);
