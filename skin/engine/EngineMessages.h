// The private window messages of the skin engine, all in one place so that
// their numbers never collide. They stay in 6024 to 6042 (and 33768), clear
// of the program's own messages.
#pragma once

#include <windows.h>

namespace skin {

enum : UINT {
    // Posted to the owner of a menu-bar menu; lParam: the screen point.
    SKINMSG_MENU_LBUTTON_OUTSIDE = 6024,
    SKINMSG_MENU_RBUTTON_OUTSIDE = 6025,
    SKINMSG_MENU_MOVE_OUTSIDE = 6026,
    // Posted to the owner of a menu when its tracking has ended.
    SKINMSG_MENU_CLOSED = 6027,
    // Posted by a scrolling control to itself: take skinned scroll bars, once.
    SKINMSG_SKIN_SCROLLBARS = 6029,
    // Posted by a list view to itself: take the list colours from the skin object.
    SKINMSG_LIST_COLOURS = 6030,
    // Posted to a progress bar when it is subclassed: the engine reads the
    // control's values once and keeps them from then on.
    SKINMSG_PROGRESS_TAKE_OVER = 6031,
    // Sent to a parent menu: close the open submenu.
    SKINMSG_MENU_CLOSE_CHILD = 6032,
    // Sent to the root menu; wParam: the chosen command.
    SKINMSG_MENU_CHOSEN = 6033,
    // Sent to a control's owner when the control goes; wParam: the control.
    SKINMSG_CHILD_DESTROYED = 6035,
    // wParam: the key code or -1 for Alt alone; lParam: the key data.
    SKINMSG_MENU_KEY = 6036,
    // Paint the dialog background behind the sender's client area.
    // wParam: the context to paint into at 0, 0; lParam: the sender.
    SKINMSG_PAINT_BACKGROUND = 6037,
    // Posted by a control to itself; wParam: whether to redraw. It sets
    // itself the font of the object it wears when the message arrives.
    SKINMSG_FONT_CHANGED = 6038,
    // Asks a window with skinned scroll bars to take its scroll state from
    // the system again (for changes the layer cannot see, made outside any message).
    SKINMSG_REFRESH_SCROLLBARS = 6042,
    // Sent to a control's parent; nonzero keeps the control unskinned.
    SKINMSG_QUERY_SKIP = 33768,
};

}  // namespace skin
