// The rows of the source list and the MediaItem records behind them, kept in
// step without any window: row k always converts the record in slot k.
#pragma once

#include "COMMON/MediaItem.h"

#include <string>
#include <vector>

// Rows (and records) the source list holds.
constexpr int MEDIA_LIST_CAPACITY = 30;

// Writes "hh:mm:ss" of `seconds` (hours take as many digits as they need).
// Returns 1, or 0 when no buffer is given. The buffer holds at least 100 characters.
int FormatDuration(int seconds, char* pszText);

// A probed duration cut to whole seconds, kept within what an int can hold.
int WholeSeconds(double duration);

// The full paths of an open-file dialog's multiple selection: either one
// full path, or a directory followed by the names chosen in it, each ended
// by a zero and the whole ended by a second zero. For char and wchar_t.
template <typename Char>
std::vector<std::basic_string<Char>> SelectedPaths(const Char* buffer);

// How many of `wanted` new rows fit beside `rows` existing ones.
int RowsThatFit(int rows, int wanted);

// Takes the records of `removedRows` (any order, duplicates allowed) out of
// the first `count` slots and closes the gaps, so that the records left stay
// in row order. Freed slots at the end are cleared. Returns the new count.
int RemoveRecords(MediaItem* items, int count, std::vector<int> removedRows);

// What a row shows of its record.
struct RowIdentity {
    std::string path;  // column 0
    bool converted;    // the row shows the converted image
};

// Reorders the first rows.size() slots so that slot k holds a record that
// row k shows: the same source path and the same converted state. Records
// that agree in both are interchangeable and keep their relative order.
// Returns false, leaving the slots unchanged, when some row has no record.
bool MatchRecordsToRows(MediaItem* items, const std::vector<RowIdentity>& rows);
