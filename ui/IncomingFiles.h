// Files that reach the program from outside its Add dialog: its command
// line, a second start that hands its files over, and folders dropped on the
// window. All of it is window-free.
#pragma once

#include "services/AnsiPath.h"

#include <windows.h>

#include <string>
#include <vector>

// The extensions (".mov", lower case, with their dot) of the patterns of a
// file dialog filter, in the filter's order, without duplicates; the
// catch-all "*.*" is no media type.
std::vector<std::string> FilterExtensions(const char* filter);
// True when `name` ends in one of the extensions of MEDIA_FILE_FILTER,
// whatever its case.
bool IsMediaFileName(const std::string& name);

// Each path as it stands, except that a folder gives the media files
// directly inside it (no sub-folders), in name order regardless of case.
std::vector<std::string> ExpandFolders(const std::vector<std::string>& paths);

// The files named on a command line (the program's own name first, quoted
// by the Windows rules), each made absolute against the current directory.
std::vector<std::string> FilesOfCommandLine(const wchar_t* commandLine);

// The hand-over of a second start to the running window, as WM_COPYDATA:
// dwData is HANDOVER_TAG (which carries the format's version), the data
// the full paths, each ended by a zero, the whole list ended by one more
// zero (an empty list is a single zero: "only come to the front").
constexpr ULONG_PTR HANDOVER_TAG = 0x56445801;  // "VDX" and version 1
// A payload larger than this is refused unread.
constexpr DWORD HANDOVER_MAX_BYTES = 1024 * 1024;
// The longest path Windows itself knows. A path of MAX_PATH characters or
// more travels, so that the window can name it when it refuses it.
constexpr size_t HANDOVER_LONGEST_PATH = 32767;

std::string EncodeHandOver(const std::vector<std::string>& paths);
// The paths of a payload that comes from another process and is checked
// whole before any of it is taken: the tag, the size, the terminating
// zeros, no empty path inside the list, no path longer than
// HANDOVER_LONGEST_PATH. False, with `paths` left empty, for anything else.
bool DecodeHandOver(ULONG_PTR tag, const void* data, DWORD size, std::vector<std::string>& paths);
