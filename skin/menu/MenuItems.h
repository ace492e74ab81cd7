// The items of a menu handle as a skinned popup menu sees them, and the
// choices the keyboard makes among them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace skin {

struct MenuItem {
    UINT command = 0;
    std::string text;
    UINT type = 0;   // MFT_* flags
    UINT state = 0;  // MFS_* flags
    HMENU submenu = nullptr;
    ULONG_PTR data = 0;  // the owner's, for owner-drawn items
    char mnemonic = 0;   // upper case

    bool IsSeparator() const { return (type & MFT_SEPARATOR) != 0; }
    bool IsOwnerDrawn() const { return (type & MFT_OWNERDRAW) != 0; }
    bool IsChecked() const { return (state & MFS_CHECKED) != 0; }
    bool CanChoose() const { return !IsSeparator() && (state & (MF_GRAYED | MF_DISABLED)) == 0; }
};

std::vector<MenuItem> ReadMenuItems(HMENU menu);

// The next item from `from` in the direction of `step` (+1 or -1) that is
// not a separator, wrapping round; from -1 the first or the last. -1 when
// every item is a separator.
int StepHighlight(const std::vector<MenuItem>& items, int from, int step);

// The first item whose mnemonic is `key` (a virtual-key code); -1 for none.
int ItemForMnemonic(const std::vector<MenuItem>& items, UINT key);

}  // namespace skin
