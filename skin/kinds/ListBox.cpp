#include "skin/engine/KindTable.h"

#include "skin/kinds/ScrollingControl.h"

namespace skin {

namespace {

bool IsComboList(HWND hwnd)
{
    char className[16] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    return lstrcmpA(className, "ComboLBox") == 0;
}

class SkinnedListBox : public SkinnedScrollingControl {
public:
    SkinnedListBox() : SkinnedScrollingControl(kTypeListBox) {}

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        // The parent hands the list box's own colour request back to it.
        if (msg == WM_CTLCOLORLISTBOX && reinterpret_cast<HWND>(lp) == m_hWnd) {
            if (HBRUSH brush = ColourControl(reinterpret_cast<HDC>(wp), false))
                return reinterpret_cast<LRESULT>(brush);
            return CallKeptProc(msg, wp, lp);
        }
        const LRESULT result = SkinnedScrollingControl::WindowProc(msg, wp, lp);
        if (msg == WM_SETFONT && m_hWnd && IsComboList(m_hWnd))
            RepaintUnderneath();
        return result;
    }

protected:
    // Owner-drawn list boxes keep their drawing, except the list of a simple combo box.
    bool Refuses(HWND hwnd) const override
    {
        const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
        return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) && !IsComboList(hwnd);
    }

private:
    // A new font can change the list's height inside its combo box: what
    // the grandparent shows under the old extent is painted again.
    void RepaintUnderneath()
    {
        const HWND grandparent = ::GetParent(::GetParent(m_hWnd));
        if (!grandparent)
            return;
        RECT rect{};
        ::GetWindowRect(m_hWnd, &rect);
        ::MapWindowPoints(HWND_DESKTOP, grandparent, reinterpret_cast<POINT*>(&rect), 2);
        ::InvalidateRect(grandparent, &rect, TRUE);
    }
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedListBox()
{
    return std::make_unique<SkinnedListBox>();
}

}  // namespace skin
