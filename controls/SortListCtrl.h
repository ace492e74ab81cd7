// A report-view list with per-cell colours, row operations addressed by a
// row-state mask, columns set from one description string, and sorting by
// a click on a column header.
#pragma once

#include "framework/StandardControls.h"

#include <memory>
#include <string>
#include <vector>

// Sent to the parent after every sort: first parameter the column, second 1
// for ascending, 0 for descending.
constexpr UINT UWM_LIST_SORTED = WM_APP + 10001;

// Row state words, masks and action words.
enum RowStateBits : UINT {
    ROW_ALL = 1,            // mask only: every row
    ROW_SELECTED = 2,
    ROW_NOT_SELECTED = 4,
    ROW_CHECKED = 8,
    ROW_NOT_CHECKED = 16,
    ROW_FOCUSED = 32,
    ROW_NOT_FOCUSED = 64,
};

// The colours of one row, one entry per column; attached to the row as its item data.
struct ListRowColours {
    LPARAM previousData = 0;           // item data of the row before the record was attached
    std::vector<COLORREF> text;        // text colour per column
    std::vector<COLORREF> background;  // background colour per column
};

class CSortListCtrl : public CListViewWnd {
public:
    CSortListCtrl() = default;

    // Replaces all rows and columns by those that `columns` describes: pieces separated by
    // ";", fields by ",": heading, width (default 100), alignment (1 centred,
    // 2 right, else left). True when at least one column was inserted.
    bool SetColumns(const char* columns);
    // Small images cut 16 pixels wide from bitmap resource `bitmapId`.
    bool SetSmallImages(UINT bitmapId, COLORREF maskColour);
    void SetGridLines(bool on);
    void SetEditable(bool on) { m_bEditable = on; }

    // Returns the new row's index or a negative value.
    int InsertRow(int row, const char* text);
    bool SetCellText(int row, int column, const char* text);
    bool SetCellImage(int row, int column, int image);
    int GetCellImage(int row, int column) const;
    int ColumnCount() const;

    UINT GetRowState(int row) const;
    // Performs select, deselect, check, uncheck, focus, unfocus as `action`
    // asks; true when all of them succeeded (false for action 0).
    bool SetRowState(int row, UINT action);
    int SetRowsState(UINT mask, UINT action);
    int CountRows(UINT mask) const;
    int FindNextRow(UINT mask, int start) const;
    int DeleteRows(UINT mask);
    void SortByColumn(int column, bool ascending);

    bool PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PreSubclassWindow() override;
    void PreCreateWindow(CREATESTRUCTA& cs) override;

private:
    struct RowSnapshot {
        UINT state;                    // row state word
        ListRowColours* colours;       // the row's record
        std::vector<int> images;       // image index per column
        std::vector<std::string> texts;  // text per column
    };

    LRESULT OnDestroy();
    LRESULT OnHeaderNotify(const NMHEADERA* header);
    LRESULT OnReflectedNotify(const NMHDR* header);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw) const;
    COLORREF SkinnedFaceColour() const;
    void FitGridToSkin(HDC dc) const;

    static DWORD ForcedStyle(DWORD style);
    bool RowMatches(int row, UINT mask) const;
    ListRowColours* RowColours(int row) const;
    ListRowColours* NewRowColours();
    void FreeRowColours(int row);
    bool InsertColumn(int column, const std::string& heading, int width, int format);
    void DeleteColumn(int column);
    bool IsSortable(int column) const;
    int CompareRows(int a, int b) const;
    RowSnapshot Snapshot(int row) const;
    void Restore(int row, const RowSnapshot& snapshot);
    void ForgetSort();

    BOOL m_bEditable = FALSE;          // in-place editing; the program never switches it on
    COwnedImageList m_images;          // small images shown in the cells
    int m_nSortColumn = -1;            // column sorted last, -1 none
    BOOL m_bSortAscending = TRUE;      // direction of the last sort
    std::vector<std::unique_ptr<ListRowColours>> m_rowColours;  // owns every row's record
};
