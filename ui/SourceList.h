// The source list of the main dialog: its rows and the MediaItem records
// behind them, slot k backing row k. Add probes the chosen files into new
// rows, Remove takes the selected rows out, and the records follow every
// change, a header sort included. The batch run walks the same rows.
#pragma once

#include "COMMON/CVodrixMediaCntl.h"
#include "COMMON/MediaItem.h"
#include "controls/MediaListCtrl.h"
#include "framework/Dialog.h"

#include <string>
#include <vector>

// Rows of the source list, and records behind them.
constexpr int MAX_MEDIA_ITEMS = 30;

// What Add asks of the dialog around the list.
class ISourceListOwner {
public:
    virtual ~ISourceListOwner() = default;
    // The files are chosen and their probing starts.
    virtual void OnProbingStarts() = 0;
    // A row was probed: its settings can now be chosen.
    virtual void OnSourceProbed() = 0;
};

class CSourceList {
public:
    // `dialog` holds the list and owns the file dialog and the notices;
    // `media` probes the added files.
    CSourceList(CDialogBase& dialog, CVodrixMediaCntl& media, ISourceListOwner& owner);
    CSourceList(const CSourceList&) = delete;
    CSourceList& operator=(const CSourceList&) = delete;

    // Attaches the list object to its item (before the dialog initialises).
    void Bind();
    // Columns, row images and grid lines, once the dialog has initialised.
    void SetUp();
    void OnAdd();
    // Probes `paths` into new rows, in order, as Add does with its choice:
    // up to the list's capacity, stopping at the first file that cannot be
    // probed. Every way files come in goes through here.
    void AddFiles(const std::vector<std::string>& paths);
    // An Add is under way (its probing may show a modal notice).
    bool IsAdding() const { return m_bAdding; }
    void OnRemove();
    // Moves the records with their rows after a header click sorted them.
    void OnSorted();
    // A header click would sort the rows under a running batch loop.
    void EnableSorting(bool on);

    // The rows as the batch run walks them, from its worker.
    int RowCount() const;
    MediaItem& Item(int row) { return m_items[row]; }
    // Selects the row and gives it the focus; rows selected before stay so.
    void MarkRowActive(int row);
    void ShowRowConverted(int row);

private:
    // Appends a row for `path` and probes the file into its record; false
    // (row gone, codec notice shown) when the probe fails.
    bool AddSource(const std::string& path);
    HWND Owner() const { return m_dialog.GetSafeHwnd(); }

    CDialogBase& m_dialog;
    CVodrixMediaCntl& m_media;
    ISourceListOwner& m_owner;
    CMediaListCtrl m_list;
    MediaItem m_items[MAX_MEDIA_ITEMS];  // slot k backs row k
    bool m_bAdding = false;
};
