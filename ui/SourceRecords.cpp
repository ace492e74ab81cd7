#include "ui/SourceRecords.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

int FormatDuration(int seconds, char* pszText)
{
    if (!pszText)
        return 0;
    snprintf(pszText, 100, "%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60, seconds % 60);
    return 1;
}

int WholeSeconds(double duration)
{
    // Comparisons written so that a NaN also ends at 0.
    if (!(duration > 0))
        return 0;
    if (duration >= static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(duration);
}

template <typename Char>
std::vector<std::basic_string<Char>> SelectedPaths(const Char* buffer)
{
    using Text = std::basic_string<Char>;
    std::vector<Text> paths;
    if (!buffer || !*buffer)
        return paths;
    const Text first = buffer;
    const Char* name = buffer + first.size() + 1;
    if (!*name) {
        paths.push_back(first);
        return paths;
    }
    // A drive root already ends in a backslash.
    const Text directory = first.back() == '\\' ? first : first + Char('\\');
    for (; *name; name += Text(name).size() + 1)
        paths.push_back(directory + name);
    return paths;
}

template std::vector<std::string> SelectedPaths(const char* buffer);
template std::vector<std::wstring> SelectedPaths(const wchar_t* buffer);

int RowsThatFit(int rows, int wanted)
{
    const int room = std::max(0, MEDIA_LIST_CAPACITY - rows);
    return std::max(0, std::min(room, wanted));
}

int RemoveRecords(MediaItem* items, int count, std::vector<int> removedRows)
{
    std::sort(removedRows.begin(), removedRows.end());
    int kept = 0;
    for (int slot = 0; slot < count; ++slot) {
        if (std::binary_search(removedRows.begin(), removedRows.end(), slot))
            continue;
        if (kept != slot)
            items[kept] = items[slot];
        ++kept;
    }
    for (int slot = kept; slot < count; ++slot)
        memset(&items[slot], 0, sizeof items[slot]);
    return kept;
}

bool MatchRecordsToRows(MediaItem* items, const std::vector<RowIdentity>& rows)
{
    const size_t count = rows.size();
    std::vector<bool> taken(count, false);
    std::vector<MediaItem> ordered;
    ordered.reserve(count);
    for (const RowIdentity& row : rows) {
        size_t slot = 0;
        while (slot < count && (taken[slot] || row.path != items[slot].m_szSourcePath ||
                                row.converted != (items[slot].m_bConverted == 1)))
            ++slot;
        if (slot == count)
            return false;
        taken[slot] = true;
        ordered.push_back(items[slot]);
    }
    std::copy(ordered.begin(), ordered.end(), items);
    return true;
}
