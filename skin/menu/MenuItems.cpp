#include "skin/menu/MenuItems.h"

#include "skin/engine/SkinMenuBar.h"

#include <cctype>

namespace skin {

namespace {

MenuItem ReadItem(HMENU menu, UINT position)
{
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text - 1;
    MenuItem item;
    if (!::GetMenuItemInfoA(menu, position, TRUE, &info))
        return item;
    item.command = info.wID;
    item.type = info.fType;
    item.state = info.fState;
    item.submenu = info.hSubMenu;
    item.data = info.dwItemData;
    // The text of an owner-drawn item is the owner's data, not a string.
    if (!item.IsSeparator() && !item.IsOwnerDrawn()) {
        item.text = text;
        item.mnemonic = static_cast<char>(std::toupper(static_cast<unsigned char>(MenuMnemonic(text))));
    }
    return item;
}

}  // namespace

std::vector<MenuItem> ReadMenuItems(HMENU menu)
{
    std::vector<MenuItem> items;
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position)
        items.push_back(ReadItem(menu, static_cast<UINT>(position)));
    return items;
}

int StepHighlight(const std::vector<MenuItem>& items, int from, int step)
{
    const int count = static_cast<int>(items.size());
    int index = from < 0 ? (step > 0 ? -1 : count) : from;
    for (int tries = 0; tries < count; ++tries) {
        index = (index + step + count) % count;
        if (!items[static_cast<size_t>(index)].IsSeparator())
            return index;
    }
    return -1;
}

int ItemForMnemonic(const std::vector<MenuItem>& items, UINT key)
{
    for (size_t index = 0; index < items.size(); ++index)
        if (items[index].mnemonic && static_cast<UINT>(static_cast<unsigned char>(items[index].mnemonic)) == key)
            return static_cast<int>(index);
    return -1;
}

}  // namespace skin
