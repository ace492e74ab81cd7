#include "skin/engine/SkinMenuBar.h"

#include <cctype>
#include <cstring>

namespace skin {

char MenuMnemonic(const char* text)
{
    for (const char* amp = std::strchr(text, '&'); amp && amp[1]; amp = std::strchr(amp + 2, '&'))
        if (amp[1] != '&')
            return amp[1];
    return 0;
}

int SkinMenuBar::ItemForKey(UINT key) const
{
    HMENU menu = ::GetMenu(m_hWnd);
    const int count = menu ? ::GetMenuItemCount(menu) : 0;
    for (int position = 0; position < count; ++position) {
        char text[128] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
        const char mnemonic = MenuMnemonic(text);
        if (mnemonic && std::toupper(static_cast<unsigned char>(mnemonic)) == static_cast<int>(key))
            return position;
    }
    return -1;
}

bool SkinMenuBar::IsItemDisabled(int position) const
{
    const UINT state = ::GetMenuState(::GetMenu(m_hWnd), static_cast<UINT>(position), MF_BYPOSITION);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED));
}

}  // namespace skin
