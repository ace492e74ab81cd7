// The system colours and brushes of the current skin, answered in place of
// the system's while the skin has a colour table.
#pragma once

#include "controls/GdiScope.h"
#include "skin/engine/Interception.h"

#include <mutex>

namespace skin {

class SysColorTable;

class SkinSysColours : public SysColourProvider {
public:
    // Copies the table's colours and makes their brushes; null: the system answers.
    void Take(const SysColorTable* table);

    bool SysColour(int index, COLORREF& colour) override;
    bool SysColourBrush(int index, HBRUSH& brush) override;

private:
    std::mutex m_lock;  // the functions are answered on any thread
    bool m_bHasTable = false;
    COLORREF m_colours[kColourCount] = {};
    CBrushObject m_brushes[kColourCount];
};

}  // namespace skin
