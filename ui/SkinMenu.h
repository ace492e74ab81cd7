// The system menu's "Skin" submenu: the skins found when the system menu
// opens (so that files added while the program runs show up), the one worn
// checked, and "No skin".
#pragma once

#include "ui/SkinChoice.h"

#include <windows.h>

#include <vector>

class CSkinMenu {
public:
    // Puts the submenu into `systemMenu` before the item `beforeCommand`.
    void AddTo(HMENU systemMenu, UINT beforeCommand);
    // WM_INITMENUPOPUP of a system menu: the window's own, or the copy a
    // skinned frame shows. Fills the submenu it holds.
    void OnInitMenuPopup(HMENU menu);
    // A system command with its low four bits masked off; true when it chose a skin.
    bool OnSysCommand(HWND owner, UINT command);

    // The submenu within `menu`; null when it holds none.
    static HMENU SubmenuOf(HMENU menu);

private:
    static std::vector<SkinEntry> ListSkins();
    void Fill(HMENU submenu);

    std::vector<SkinEntry> m_skins;  // as last shown, in the order of their ids
};
