#include "skin/menu/SkinPopupMenu.h"

#include "skin/draw/OffscreenBuffer.h"
#include "skin/engine/EngineState.h"
#include "skin/engine/SkinnedWindow.h"
#include "skin/menu/MenuGeometry.h"

#include <algorithm>

namespace skin {

namespace {

constexpr UINT_PTR kSubmenuTimer = 1;
constexpr UINT kSubmenuDelayMs = 500;
constexpr WPARAM kMenuClosedSelect = 0xFFFF0000;

}  // namespace

POINT PointOf(LPARAM lp) { return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

LPARAM PackPoint(POINT point) { return MAKELPARAM(point.x, point.y); }

RECT WorkAreaAt(POINT point)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoA(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info))
        return info.rcWork;
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

SkinPopupMenu::SkinPopupMenu(const MenuLook& look, HWND owner, MenuKind kind, HMENU menu, SkinPopupMenu* parent)
    : m_look(look), m_hOwner(owner), m_kind(kind), m_hMenu(menu), m_pParent(parent)
{
}

SkinPopupMenu::~SkinPopupMenu()
{
    m_child.reset();
    if (m_hWnd) {
        m_closing = true;
        ::DestroyWindow(m_hWnd);
    }
}

bool SkinPopupMenu::Create()
{
    m_hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, POPUP_MENU_CLASS, nullptr, WS_POPUPWINDOW, 0, 0, 100,
                               100, m_hOwner, nullptr, Engine().instance, this);
    if (!m_hWnd)
        return false;
    m_items = ReadMenuItems(m_hMenu);
    CClientDC dc(m_hWnd);
    CSelectObject font(dc.Get(), m_look.font.Get());
    SIZE test{};
    ::GetTextExtentPoint32A(dc.Get(), "TEST", 4, &test);
    const MenuMeasures measures{test.cy, 0, WidestItem(dc.Get()), static_cast<int>(m_items.size())};
    m_itemHeight = MenuItemHeight(measures, m_look.object->m_itemActiveImage);
    m_size = MenuWindowSize(measures, m_look.layout, m_look.object->m_itemActiveImage);
    return true;
}

int SkinPopupMenu::WidestItem(HDC dc) const
{
    int widest = 0;
    for (const MenuItem& item : m_items) {
        if (item.IsOwnerDrawn()) {
            MEASUREITEMSTRUCT measure{ODT_MENU, 0, item.command, 0, 0, item.data};
            ::SendMessageA(m_hOwner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
            widest = std::max(widest, static_cast<int>(measure.itemWidth));
        } else if (!item.IsSeparator()) {
            widest = std::max(widest, ItemTextWidth(dc, item));
        }
    }
    return widest;
}

void SkinPopupMenu::Show(const RECT& rect)
{
    const SIZE shown{rect.right - rect.left, rect.bottom - rect.top};
    m_scrolling = shown.cy < m_size.cy;
    m_size = shown;
    CRegionObject region = MenuWindowRegion(m_look, shown);
    if (region && ::SetWindowRgn(m_hWnd, region.Get(), FALSE))
        region.Release();  // the window's now
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, rect.left, rect.top, shown.cx, shown.cy, SWP_SHOWWINDOW);
    ::SetActiveWindow(m_hWnd);
}

SkinPopupMenu& SkinPopupMenu::Root() { return m_pParent ? m_pParent->Root() : *this; }

SkinPopupMenu& SkinPopupMenu::Deepest() { return m_child ? m_child->Deepest() : *this; }

bool SkinPopupMenu::OwnsWindow(HWND hwnd) const
{
    return hwnd && (hwnd == m_hWnd || (m_child && m_child->OwnsWindow(hwnd)));
}

// ---- places

RECT SkinPopupMenu::ItemRect(int index) const
{
    return PlacesOf(m_look.layout, m_size, m_itemHeight, m_scrolling)
        .ItemRect(index, m_firstVisible, m_itemHeight);
}

int SkinPopupMenu::ItemAt(POINT client) const
{
    for (int index = m_firstVisible; index < static_cast<int>(m_items.size()); ++index) {
        const RECT rect = ItemRect(index);
        if (rect.bottom <= rect.top)
            break;
        if (::PtInRect(&rect, client))
            return index;
    }
    return -1;
}

void SkinPopupMenu::ScrollBy(int rows)
{
    const MenuPlaces places = PlacesOf(m_look.layout, m_size, m_itemHeight, m_scrolling);
    const int last = std::max(0, static_cast<int>(m_items.size()) - places.visibleCount);
    const int first = std::clamp(m_firstVisible + rows, 0, last);
    if (first != m_firstVisible) {
        m_firstVisible = first;
        Repaint();
    }
}

void SkinPopupMenu::ScrollIntoView(int index)
{
    const int visible = PlacesOf(m_look.layout, m_size, m_itemHeight, m_scrolling).visibleCount;
    if (index < m_firstVisible)
        ScrollBy(index - m_firstVisible);
    else if (visible > 0 && index >= m_firstVisible + visible)
        ScrollBy(index - (m_firstVisible + visible - 1));
}

// ---- painting

void SkinPopupMenu::Repaint() { ::InvalidateRect(m_hWnd, nullptr, FALSE); }

void SkinPopupMenu::Paint(HDC dc)
{
    COffscreenBuffer buffer(dc, {0, 0, m_size.cx, m_size.cy});
    if (!buffer)
        return;
    PaintMenu(buffer.Dc(), {m_look, m_items, m_hOwner, m_hMenu, m_size, m_itemHeight, m_firstVisible, m_highlight,
                            m_scrolling});
    buffer.CopyTo(dc);
}

// ---- highlight and submenus

void SkinPopupMenu::Highlight(int index, UINT selectFlags)
{
    if (index == m_highlight)
        return;
    if (m_child)
        CloseSubmenu();
    m_highlight = index;
    ScrollIntoView(index);
    Repaint();
    const MenuItem& item = m_items[static_cast<size_t>(index)];
    ::SendMessageA(m_hOwner, WM_MENUSELECT, MAKEWPARAM(item.command, selectFlags),
                   reinterpret_cast<LPARAM>(m_hMenu));
}

bool SkinPopupMenu::CanOpenSubmenu(int index) const
{
    return index >= 0 && m_items[static_cast<size_t>(index)].submenu && m_items[static_cast<size_t>(index)].CanChoose();
}

void SkinPopupMenu::OpenSubmenu(int index, bool byKeyboard)
{
    if (!CanOpenSubmenu(index) || (m_child && m_childItem == index))
        return;
    CloseSubmenu();
    HMENU submenu = m_items[static_cast<size_t>(index)].submenu;
    ::SendMessageA(m_hOwner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu), MAKELPARAM(index, 0));
    auto child = std::make_unique<SkinPopupMenu>(m_look, m_hOwner, m_kind, submenu, this);
    if (!child->Create())
        return;
    RECT item = ItemRect(index);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&item), 2);
    RECT parent{};
    ::GetWindowRect(m_hWnd, &parent);
    const RECT work = WorkAreaAt({item.right, item.top});
    const RECT place = KeepInWorkArea(PlaceSubmenu(item, parent, child->Size(), work), work);
    m_child = std::move(child);
    m_childItem = index;
    m_child->Show(place);
    if (byKeyboard)
        m_child->MoveHighlight(-1, +1);
}

void SkinPopupMenu::CloseSubmenu()
{
    if (!m_child)
        return;
    // From the bottom: every menu of the chain passes the activation up to
    // its parent while it is marked closing, so none of them takes the
    // deactivation for the end of the whole menu.
    m_child->CloseSubmenu();
    m_child->m_closing = true;
    ::SetActiveWindow(m_hWnd);  // before the child goes, so the activation stays with the menus
    m_child.reset();
    m_childItem = -1;
}

// ---- choosing and closing

void SkinPopupMenu::Choose(int index)
{
    const MenuItem& item = m_items[static_cast<size_t>(index)];
    ::SendMessageA(Root().m_hWnd, SKINMSG_MENU_CHOSEN, item.command, 0);
}

void SkinPopupMenu::ChooseOrOpen(int index)
{
    if (index < 0 || !m_items[static_cast<size_t>(index)].CanChoose())
        return;
    if (m_items[static_cast<size_t>(index)].submenu)
        OpenSubmenu(index, true);
    else
        Choose(index);
}

void SkinPopupMenu::HideTree()
{
    m_child.reset();
    m_childItem = -1;
    m_done = true;
    ::ShowWindow(m_hWnd, SW_HIDE);
}

void SkinPopupMenu::NotifyClosed()
{
    ::SendMessageA(m_hOwner, WM_MENUSELECT, kMenuClosedSelect, 0);
    ::PostMessageA(m_hOwner, SKINMSG_MENU_CLOSED, 0, 0);
}

void SkinPopupMenu::Finish(UINT command)
{
    if (m_done)
        return;
    HideTree();
    NotifyClosed();
    if (m_kind == kReturnedCommand) {
        m_result = static_cast<int>(command);
        return;
    }
    ::PostMessageA(m_hOwner, m_kind == kSystemMenu ? WM_SYSCOMMAND : WM_COMMAND, command, 0);
}

void SkinPopupMenu::Dismiss(int result)
{
    if (m_pParent) {
        Root().Dismiss(result);
        return;
    }
    if (m_done)
        return;
    HideTree();
    NotifyClosed();
    m_result = m_kind == kReturnedCommand ? 0 : result;
}

// ---- input

void SkinPopupMenu::OnMouseMove(POINT client)
{
    const int index = ItemAt(client);
    if (index < 0) {
        if (m_kind == kMenuOfBar) {
            ::ClientToScreen(m_hWnd, &client);
            ::PostMessageA(m_hOwner, SKINMSG_MENU_MOVE_OUTSIDE, 0, PackPoint(client));
        }
        return;
    }
    if (m_items[static_cast<size_t>(index)].IsSeparator() || index == m_highlight)
        return;
    Highlight(index, MF_HILITE | MF_MOUSESELECT);
    ::SetActiveWindow(m_hWnd);
    ::SetTimer(m_hWnd, kSubmenuTimer, kSubmenuDelayMs, nullptr);
}

void SkinPopupMenu::OnButtonDown(POINT client)
{
    const MenuPlaces places = PlacesOf(m_look.layout, m_size, m_itemHeight, m_scrolling);
    if (::PtInRect(&places.scrollUp, client))
        ScrollBy(-1);
    else if (::PtInRect(&places.scrollDown, client))
        ScrollBy(+1);
}

void SkinPopupMenu::OnButtonUp(POINT client)
{
    const int index = ItemAt(client);
    if (index >= 0 && !m_items[static_cast<size_t>(index)].submenu && m_items[static_cast<size_t>(index)].CanChoose())
        Choose(index);
}

void SkinPopupMenu::OnTimer()
{
    ::KillTimer(m_hWnd, kSubmenuTimer);
    OpenSubmenu(m_highlight, false);
}

void SkinPopupMenu::MoveHighlight(int from, int step)
{
    const int index = StepHighlight(m_items, from, step);
    if (index >= 0)
        Highlight(index, MF_HILITE);
}

void SkinPopupMenu::OnKeyDown(UINT key)
{
    switch (key) {
    case VK_UP: MoveHighlight(m_highlight, -1); break;
    case VK_DOWN: MoveHighlight(m_highlight, +1); break;
    case VK_HOME: MoveHighlight(-1, +1); break;
    case VK_END: MoveHighlight(-1, -1); break;
    case VK_RIGHT:
        if (CanOpenSubmenu(m_highlight))
            OpenSubmenu(m_highlight, true);
        else
            ::PostMessageA(m_hOwner, SKINMSG_MENU_KEY, VK_RIGHT, 0);
        break;
    case VK_LEFT:
    case VK_ESCAPE:
        // A submenu goes back to its parent; the root closes, or hands Left to a menu bar.
        if (m_pParent)
            ::SendMessageA(m_pParent->m_hWnd, SKINMSG_MENU_CLOSE_CHILD, 0, 0);
        else if (key == VK_ESCAPE)
            Dismiss(0);
        else
            ::PostMessageA(m_hOwner, SKINMSG_MENU_KEY, VK_LEFT, 0);
        break;
    case VK_RETURN: ChooseOrOpen(m_highlight); break;
    default: ChooseOrOpen(ItemForMnemonic(m_items, key)); break;
    }
}

void SkinPopupMenu::OnSysKeyDown(UINT key, LPARAM keyData)
{
    const int index = ItemForMnemonic(m_items, key);
    if (index >= 0)
        ChooseOrOpen(index);
    else if (m_kind == kOrdinaryMenu)
        Dismiss(1);
    else
        ::SendMessageA(m_hOwner, SKINMSG_MENU_KEY, key, keyData);
}

LRESULT SkinPopupMenu::OnNcActivate(HWND hwnd, WPARAM active, LPARAM lp)
{
    const LRESULT result = ::DefWindowProcA(hwnd, WM_NCACTIVATE, active, lp);
    // Losing the activation to anything but a submenu of its own ends the
    // menu. Closing the tree destroys a submenu's object: this one is not
    // touched again.
    if (!active && !m_child && !m_closing && !Root().m_done)
        Dismiss(1);
    return result;
}

LRESULT SkinPopupMenu::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_NCCALCSIZE: return 0;  // the border is drawn in the client area with the items
    case WM_NCPAINT: return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        CPaintDC dc(hwnd, nullptr);
        Paint(dc.Get());
        return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_MOUSEMOVE: OnMouseMove(PointOf(lp)); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(PointOf(lp)); return 0;
    case WM_LBUTTONUP: OnButtonUp(PointOf(lp)); return 0;
    case WM_TIMER:
        if (wp == kSubmenuTimer)
            OnTimer();
        return 0;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wp)); return 0;
    case WM_SYSKEYDOWN: OnSysKeyDown(static_cast<UINT>(wp), lp); return 0;
    case WM_KEYUP: case WM_CHAR: return 0;
    // Nothing of the menu window's own system menu: Alt is the items'.
    case WM_SYSKEYUP: case WM_SYSCHAR: return 0;
    case WM_NCACTIVATE: return OnNcActivate(hwnd, wp, lp);
    case WM_DRAWITEM: return ::SendMessageA(m_hOwner, WM_DRAWITEM, wp, lp);
    case SKINMSG_MENU_CLOSE_CHILD: CloseSubmenu(); return 0;
    case SKINMSG_MENU_CHOSEN: Finish(static_cast<UINT>(wp)); return 0;
    case WM_NCDESTROY: m_hWnd = nullptr; break;
    default: break;
    }
    return ::DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace skin
