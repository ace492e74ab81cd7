// The tracking of a skinned popup menu: the modal loop that feeds the menu
// its messages, and the owner's caption kept active while the menu has the
// activation.
#include "skin/menu/SkinPopupMenu.h"

#include "skin/menu/MenuGeometry.h"
#include "win/WindowChain.h"

namespace skin {

namespace {

constexpr LPARAM kSystemMenuPopup = 0x10000;  // WM_INITMENUPOPUP's lParam for a system menu

// Menus of one thread are tracked one at a time, as the system's are.
thread_local SkinPopupMenu* t_trackedMenu = nullptr;

// Swaps the owner's procedure for one that keeps its caption active while
// its menu is tracked, although the menu window has the activation.
class OwnerCaptionKeeper {
public:
    OwnerCaptionKeeper(HWND owner, const SkinPopupMenu& menu);
    ~OwnerCaptionKeeper();
    OwnerCaptionKeeper(const OwnerCaptionKeeper&) = delete;
    OwnerCaptionKeeper& operator=(const OwnerCaptionKeeper&) = delete;

    // Whether a WM_NCACTIVATE of `hwnd` is held back: the owner's deactivation
    // while the menu is open.
    bool HoldsBack(HWND hwnd, WPARAM active);

private:
    HWND m_hOwner;
    const SkinPopupMenu& m_menu;
    bool m_bDeactivationHeld = false;
};

LRESULT CALLBACK KeepCaptionActiveProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// The keeper's place in the owner's chain: the keeper, and the owner's
// procedure below the keeper's in "SKIN_WNDPROC".
const CWindowChain& CaptionKeeperChain()
{
    static const CWindowChain chain("SKIN_CAPTION_KEEPER", "SKIN_WNDPROC", &KeepCaptionActiveProc);
    return chain;
}

LRESULT CALLBACK KeepCaptionActiveProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* keeper = static_cast<OwnerCaptionKeeper*>(CaptionKeeperChain().ObjectOf(hwnd));
    if (msg == WM_NCACTIVATE && keeper && keeper->HoldsBack(hwnd, wp))
        return TRUE;
    return CaptionKeeperChain().PassDown(hwnd, msg, wp, lp);
}

OwnerCaptionKeeper::OwnerCaptionKeeper(HWND owner, const SkinPopupMenu& menu) : m_hOwner(owner), m_menu(menu)
{
    if (CaptionKeeperChain().SetObject(owner, this))
        CaptionKeeperChain().Insert(owner);
}

OwnerCaptionKeeper::~OwnerCaptionKeeper()
{
    if (!::IsWindow(m_hOwner))
        return;
    CaptionKeeperChain().ClearObject(m_hOwner);
    CaptionKeeperChain().Remove(m_hOwner);
    // Closed because another program took the activation, which does not
    // come back to the owner: its caption shows that now.
    if (m_bDeactivationHeld && ::GetActiveWindow() != m_hOwner)
        ::SendMessageA(m_hOwner, WM_NCACTIVATE, FALSE, 0);
}

bool OwnerCaptionKeeper::HoldsBack(HWND hwnd, WPARAM active)
{
    if (hwnd != m_hOwner || active || m_menu.IsDone())
        return false;
    m_bDeactivationHeld = true;
    return true;
}

class TrackedMenuScope {
public:
    explicit TrackedMenuScope(SkinPopupMenu& menu) { t_trackedMenu = &menu; }
    ~TrackedMenuScope() { t_trackedMenu = nullptr; }
    TrackedMenuScope(const TrackedMenuScope&) = delete;
    TrackedMenuScope& operator=(const TrackedMenuScope&) = delete;
};

bool IsMouseButtonDown(UINT msg)
{
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDBLCLK: case WM_NCMBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

bool IsRightButton(UINT msg)
{
    return msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK || msg == WM_NCRBUTTONDOWN || msg == WM_NCRBUTTONDBLCLK;
}

// The screen point of a mouse message to any window.
POINT ScreenPointOf(const MSG& msg)
{
    POINT point = PointOf(msg.lParam);
    if (msg.message < WM_NCMOUSEMOVE || msg.message > WM_NCMBUTTONDBLCLK)
        ::ClientToScreen(msg.hwnd, &point);
    return point;
}

// A mouse message of the tracking thread for a window that is not a menu;
// true when the menu has dealt with it and it is not to be dispatched.
bool HandleOutsideMouse(SkinPopupMenu& root, const MSG& msg)
{
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        if (root.Kind() == kMenuOfBar)
            ::PostMessageA(root.MenuOwner(), SKINMSG_MENU_MOVE_OUTSIDE, 0, PackPoint(ScreenPointOf(msg)));
        return false;
    }
    if (!IsMouseButtonDown(msg.message))
        return false;
    // A click on the caption closes a system menu and still reaches the caption.
    const bool captionClick = root.Kind() == kSystemMenu &&
                              (msg.message == WM_NCLBUTTONDOWN || msg.message == WM_NCLBUTTONDBLCLK);
    root.Dismiss(captionClick ? 0 : 1);
    if (root.Kind() == kMenuOfBar)
        ::PostMessageA(root.MenuOwner(),
                       IsRightButton(msg.message) ? SKINMSG_MENU_RBUTTON_OUTSIDE : SKINMSG_MENU_LBUTTON_OUTSIDE, 0,
                       PackPoint(ScreenPointOf(msg)));
    return !captionClick;
}

int RunMenuLoop(SkinPopupMenu& root)
{
    MSG msg{};
    while (!root.IsDone()) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that called us
            root.Dismiss(0);
            break;
        }
        if (!::IsWindow(root.MenuOwner())) {
            root.Dismiss(0);
            break;
        }
        const bool forMenu = root.OwnsWindow(msg.hwnd);
        // Keys belong to the open menu wherever the focus is.
        if (!forMenu && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
            msg.hwnd = root.Deepest().Handle();
        else if (!forMenu && HandleOutsideMouse(root, msg))
            continue;
        ::DispatchMessageA(&msg);
    }
    return root.Result();
}

}  // namespace

int TrackSkinnedPopupMenu(HMENU menu, UINT flags, POINT at, HWND owner, bool systemMenu)
{
    const MenuKind kind = systemMenu ? kSystemMenu : (flags & TPM_RETURNCMD) ? kReturnedCommand : kOrdinaryMenu;
    return TrackSkinnedMenu(menu, flags, at, owner, kind);
}

int TrackSkinnedMenu(HMENU menu, UINT flags, POINT at, HWND owner, MenuKind kind)
{
    if (!::IsMenu(menu) || !::IsWindow(owner) || t_trackedMenu)
        return 0;
    const std::unique_ptr<MenuLook> look = MakeCurrentMenuLook();
    if (!look) {
        const auto command =
            static_cast<UINT>(::TrackPopupMenu(menu, flags | TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr));
        if (command && kind != kReturnedCommand)
            ::PostMessageA(owner, kind == kSystemMenu ? WM_SYSCOMMAND : WM_COMMAND, command, 0);
        return kind == kReturnedCommand ? static_cast<int>(command) : 1;
    }
    ::SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), kind == kSystemMenu ? kSystemMenuPopup : 0);
    SkinPopupMenu root(*look, owner, kind, menu, nullptr);
    if (!root.Create())
        return 0;
    TrackedMenuScope tracked(root);
    OwnerCaptionKeeper caption(owner, root);
    root.Show(KeepInWorkArea(AlignMenu(root.Size(), at, flags), WorkAreaAt(at)));
    return RunMenuLoop(root);
}

}  // namespace skin
