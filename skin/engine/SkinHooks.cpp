#include "skin/engine/SkinHooks.h"

#include "skin/engine/EngineState.h"
#include "skin/engine/SkinMenuBar.h"

#include <cstring>

namespace skin {

namespace {

constexpr LPARAM KEY_RELEASED = 0x80000000;  // top bit of the key data: transition state
constexpr LPARAM ALT_CONTEXT = 0x20000000;   // bit 29: Alt is held
const WPARAM ALT_ALONE = static_cast<WPARAM>(-1);

// The window whose keys a skinned menu handles: the active window, or for an
// open skinned popup menu the window it was opened for.
HWND KeyTargetWindow(bool& popupMenu)
{
    HWND active = ::GetActiveWindow();
    char className[64] = {};
    ::GetClassNameA(active, className, sizeof className);
    popupMenu = std::strcmp(className, POPUP_MENU_CLASS) == 0;
    if (popupMenu)
        if (EngineWindow* menu = EngineWindow::FromHandle(active))
            return menu->MenuOwner();
    return active;
}

// Whether the key selects a grayed item of a skinned menu bar.
bool SelectsDisabledMenuItem(HWND window, UINT key)
{
    const auto& bars = Engine().menuBars;
    const auto it = bars.find(window);
    if (it == bars.end())
        return false;
    const int item = it->second->ItemForKey(key);
    return item >= 0 && it->second->IsItemDisabled(item);
}

// Sends SKINMSG_MENU_KEY to the skinned window (or to an unregistered popup
// menu); true when it consumed the key.
bool OfferMenuKey(HWND target, bool registered, bool popupMenu, WPARAM key, LPARAM keyData)
{
    if (!registered && !popupMenu)
        return false;
    return ::SendMessageA(target, SKINMSG_MENU_KEY, key, keyData) != 0;
}

// 1 when the key is swallowed, 0 to pass it on.
bool SwallowsKey(UINT key, LPARAM keyData)
{
    bool popupMenu = false;
    HWND target = KeyTargetWindow(popupMenu);
    const bool registered = target && Engine().manager.Find(target);
    const bool pressed = (keyData & KEY_RELEASED) == 0;
    const bool altHeld = (keyData & ALT_CONTEXT) != 0;

    if (pressed && registered && SelectsDisabledMenuItem(target, key))
        return true;
    if ((key == VK_F10 || (altHeld && key != VK_MENU && pressed)) &&
        OfferMenuKey(target, registered, popupMenu, key, keyData))
        return true;
    // Alt on its own would open the system menu bar, which skinned windows do not show.
    if (key == VK_MENU && !altHeld)
        return true;
    return key == VK_MENU && OfferMenuKey(target, registered, popupMenu, ALT_ALONE, keyData);
}

}  // namespace

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wp, LPARAM lp)
{
    HHOOK hook = ThreadCallWndProcHook();
    if (!hook)
        return 0;
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && call->message == WM_CREATE) {
        char dialogSkinName[kTextField];
        {
            std::lock_guard<std::recursive_mutex> guard(Engine().lock);
            std::memcpy(dialogSkinName, Engine().dialogSkinName, sizeof dialogSkinName);
        }
        Engine().manager.OnWindowCreated(call->hwnd, dialogSkinName);
    }
    return ::CallNextHookEx(hook, code, wp, lp);
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wp, LPARAM lp)
{
    HHOOK hook = ThreadKeyboardHook();
    if (!hook)
        return 0;
    if (code == HC_ACTION && SwallowsKey(static_cast<UINT>(wp), lp))
        return 1;
    return ::CallNextHookEx(hook, code, wp, lp);
}

}  // namespace skin
