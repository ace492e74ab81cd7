#include "ui/SkinMenu.h"

#include "res/resource.h"
#include "skin/core/MemoryShortage.h"

namespace {

constexpr const char* SUBMENU_TEXT = "&Skin";
constexpr const char* NO_SKIN_TEXT = "&No skin";
constexpr UINT COMMAND_STEP = 16;
// System commands start at 0xF000; the skins' ids stay below.
constexpr size_t MOST_SKINS = (0xF000 - IDM_SKIN_FIRST) / COMMAND_STEP;

bool HoldsCommand(HMENU menu, UINT command) { return GetMenuState(menu, command, MF_BYCOMMAND) != static_cast<UINT>(-1); }

void AppendRadioItem(HMENU menu, UINT command, const std::string& text, bool checked)
{
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    item.fType = MFT_STRING | MFT_RADIOCHECK;
    item.fState = checked ? MFS_CHECKED : MFS_UNCHECKED;
    item.wID = command;
    item.dwTypeData = const_cast<char*>(text.c_str());
    InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
}

}  // namespace

void CSkinMenu::AddTo(HMENU systemMenu, UINT beforeCommand)
{
    HMENU submenu = CreatePopupMenu();
    if (!submenu)
        return;
    AppendMenuA(submenu, MF_STRING, IDM_SKIN_NONE, NO_SKIN_TEXT);
    if (!InsertMenuA(systemMenu, beforeCommand, MF_BYCOMMAND | MF_POPUP | MF_STRING,
                     reinterpret_cast<UINT_PTR>(submenu), SUBMENU_TEXT))
        DestroyMenu(submenu);
}

HMENU CSkinMenu::SubmenuOf(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        HMENU submenu = GetSubMenu(menu, position);
        if (submenu && HoldsCommand(submenu, IDM_SKIN_NONE))
            return submenu;
    }
    return nullptr;
}

void CSkinMenu::OnInitMenuPopup(HMENU menu)
{
    if (HMENU submenu = SubmenuOf(menu))
        Fill(submenu);
}

// Memory that runs out while the skins are listed or named leaves the menu
// with "No skin" alone; the program goes on.
std::vector<SkinEntry> CSkinMenu::ListSkins()
{
    return skin::UnlessMemoryRunsOut(
        [] {
            std::vector<SkinEntry> skins = FindSkins();
            if (skins.size() > MOST_SKINS)
                skins.resize(MOST_SKINS);
            return skins;
        },
        std::vector<SkinEntry>());
}

void CSkinMenu::Fill(HMENU submenu)
{
    while (GetMenuItemCount(submenu) > 0)
        DeleteMenu(submenu, 0, MF_BYPOSITION);
    m_skins = ListSkins();
    for (size_t i = 0; i < m_skins.size(); ++i)
        AppendRadioItem(submenu, IDM_SKIN_FIRST + static_cast<UINT>(i) * COMMAND_STEP, m_skins[i].name,
                        IsWornSkin(m_skins[i].path));
    if (!m_skins.empty())
        AppendMenuA(submenu, MF_SEPARATOR, 0, nullptr);
    AppendRadioItem(submenu, IDM_SKIN_NONE, NO_SKIN_TEXT, WornSkin().empty());
}

bool CSkinMenu::OnSysCommand(HWND owner, UINT command)
{
    if (command == IDM_SKIN_NONE)
        return ChooseSkin(owner, {}), true;
    if (command < IDM_SKIN_FIRST || command >= 0xF000)
        return false;
    const size_t index = (command - IDM_SKIN_FIRST) / COMMAND_STEP;
    if (index >= m_skins.size())
        return false;
    const std::string path = m_skins[index].path;  // the list may be rebuilt while a notice is open
    ChooseSkin(owner, path);
    return true;
}
