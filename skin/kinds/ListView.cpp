#include "skin/engine/KindTable.h"

#include "skin/kinds/ScrollingControl.h"
#include "skin/scrollbar/SkinnedScrollBars.h"

#include <commctrl.h>

namespace skin {

namespace {

bool IsThumbCode(WPARAM wp)
{
    return LOWORD(wp) == SB_THUMBTRACK || LOWORD(wp) == SB_THUMBPOSITION;
}

class SkinnedListView : public SkinnedScrollingControl {
public:
    SkinnedListView() : SkinnedScrollingControl(kTypeListView) {}

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case SKINMSG_LIST_COLOURS: SetListColours(); return 0;
        case WM_VSCROLL:
        case WM_HSCROLL:
            if (m_hWnd && IsThumbCode(wp) && ScrollToThumb(msg == WM_VSCROLL ? SB_VERT : SB_HORZ, wp))
                return 0;
            [[fallthrough]];
        default: return SkinnedScrollingControl::WindowProc(msg, wp, lp);
        }
    }

protected:
    // A list view with owner-drawn rows keeps the system look.
    bool Refuses(HWND hwnd) const override { return (::GetWindowLongA(hwnd, GWL_STYLE) & LVS_OWNERDRAWFIXED) != 0; }

    void ApplyColours() override { ::PostMessageA(m_hWnd, SKINMSG_LIST_COLOURS, 0, 0); }

    void RestoreColours() override
    {
        if (!m_ownColoursKept)
            return;
        ::SendMessageA(m_hWnd, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(m_ownColours[0]));
        ::SendMessageA(m_hWnd, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(m_ownColours[1]));
        ::SendMessageA(m_hWnd, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(m_ownColours[2]));
        m_ownColoursKept = false;
    }

private:
    void SetListColours()
    {
        if (!EdgeObject() || !m_hWnd)
            return;
        if (!m_ownColoursKept) {
            m_ownColours[0] = static_cast<COLORREF>(::SendMessageA(m_hWnd, LVM_GETBKCOLOR, 0, 0));
            m_ownColours[1] = static_cast<COLORREF>(::SendMessageA(m_hWnd, LVM_GETTEXTBKCOLOR, 0, 0));
            m_ownColours[2] = static_cast<COLORREF>(::SendMessageA(m_hWnd, LVM_GETTEXTCOLOR, 0, 0));
            m_ownColoursKept = true;
        }
        ::SendMessageA(m_hWnd, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(BackColour()));
        ::SendMessageA(m_hWnd, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(BackColour()));
        ::SendMessageA(m_hWnd, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(TextColour()));
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }

    // A list view reads a dragged thumb's place from the system's track
    // position, which knows nothing of a skinned bar's drag, and measures the
    // move from the bar's position, which an application may have set: the
    // list is scrolled from where it really is instead. Report view only;
    // true when done.
    bool ScrollToThumb(int bar, WPARAM wp)
    {
        if (!HasSkinnedScrollBars(m_hWnd) || (::GetWindowLongA(m_hWnd, GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT)
            return false;
        int target = static_cast<short>(HIWORD(wp));
        SkinnedScrollTrackPosition(m_hWnd, bar, target);
        if (bar == SB_HORZ) {
            ::SendMessageA(m_hWnd, LVM_SCROLL, target - ::GetScrollPos(m_hWnd, SB_HORZ), 0);
            return true;
        }
        RECT row{LVIR_BOUNDS, 0, 0, 0};
        const int top = static_cast<int>(::SendMessageA(m_hWnd, LVM_GETTOPINDEX, 0, 0));
        if (!::SendMessageA(m_hWnd, LVM_GETITEMRECT, top, reinterpret_cast<LPARAM>(&row)))
            return false;
        ::SendMessageA(m_hWnd, LVM_SCROLL, 0, (target - top) * (row.bottom - row.top));
        return true;
    }

    COLORREF m_ownColours[3] = {};  // background, text background, text: the list's own
    bool m_ownColoursKept = false;
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedListView()
{
    return std::make_unique<SkinnedListView>();
}

}  // namespace skin
