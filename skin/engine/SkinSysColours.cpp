#include "skin/engine/SkinSysColours.h"

#include "skin/core/PlainObjects.h"

namespace skin {

static_assert(SysColourProvider::kColourCount == kSystemColourCount, "one colour per system colour index");

void SkinSysColours::Take(const SysColorTable* table)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_bHasTable = table != nullptr;
    for (int index = 0; index < kColourCount; ++index)
        m_colours[index] = table ? Rgb(table->m_colours[index]) : 0;
}

bool SkinSysColours::SysColour(int index, COLORREF& colour)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_bHasTable)
        return false;
    colour = m_colours[index];
    return true;
}

bool SkinSysColours::SysColourBrush(int index, HBRUSH& brush)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_bHasTable)
        return false;
    brush = LastingBrush(m_colours[index]);
    return brush != nullptr;
}

HBRUSH SkinSysColours::LastingBrush(COLORREF colour)
{
    CBrushObject& brush = m_brushes[colour];
    if (!brush)
        brush.Reset(::CreateSolidBrush(colour));
    return brush.Get();
}

}  // namespace skin
