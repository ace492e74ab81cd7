#include "controls/MediaListCtrl.h"

#include <exception>

int CMediaListCtrl::AppendRow(const char* text)
{
    try {
        const int row = InsertRow(GetItemCount(), "");
        if (row < 0)
            return -1;
        SetCellText(row, 0, text);
        SetRowState(row, ROW_SELECTED | ROW_FOCUSED);
        return row;
    } catch (const std::exception&) {
        return -1;
    }
}
