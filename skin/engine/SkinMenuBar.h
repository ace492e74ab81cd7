// The menu bar of a skinned window, drawn by the engine in place of the
// system's: the keyboard hook asks it which item a key selects.
#pragma once

#include <windows.h>

namespace skin {

// The character after the first single '&' of a menu text; 0 for none.
char MenuMnemonic(const char* text);

class SkinMenuBar {
public:
    explicit SkinMenuBar(HWND window) : m_hWnd(window) {}

    // The position of the item of the window's menu whose mnemonic is `key`; -1 for none.
    int ItemForKey(UINT key) const;
    // Whether that item is grayed or disabled.
    bool IsItemDisabled(int position) const;

private:
    HWND m_hWnd;  // borrowed: the skinned window that shows the bar
};

}  // namespace skin
