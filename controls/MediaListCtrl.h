// The source list of the main dialog.
#pragma once

#include "controls/SortListCtrl.h"

// The source list: a sort list that appends rows for added files.
class CMediaListCtrl : public CSortListCtrl {
public:
    // Appends a row with `text` in column 0, selected and focused. Returns
    // its index, -1 when anything on the way failed.
    int AppendRow(const char* text);
};
