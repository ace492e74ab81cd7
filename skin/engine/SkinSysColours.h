// The system colours and brushes of the current skin, answered in place of
// the system's while the skin has a colour table.
#pragma once

#include "win/GdiScope.h"
#include "skin/engine/Interception.h"

#include <map>
#include <mutex>

namespace skin {

class SysColorTable;

class SkinSysColours : public SysColourProvider {
public:
    // Copies the table's colours; null: the system answers.
    void Take(const SysColorTable* table);

    bool SysColour(int index, COLORREF& colour) override;
    bool SysColourBrush(int index, HBRUSH& brush) override;

private:
    // The brush of `colour`, made on first use. The system never deletes
    // the brushes it hands out for its colours, and callers keep them as
    // long as they like, across skins and after the engine has stopped: a
    // brush handed out lives as long as the process.
    HBRUSH LastingBrush(COLORREF colour);

    std::mutex m_lock;  // the functions are answered on any thread
    bool m_bHasTable = false;
    COLORREF m_colours[kColourCount] = {};
    std::map<COLORREF, CBrushObject> m_brushes;  // every brush handed out, one per colour
};

}  // namespace skin
