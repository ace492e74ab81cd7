#include "skin/engine/KindTable.h"

#include "skin/kinds/CheckFamily.h"

namespace skin {

namespace {

bool StartsGroup(HWND hwnd)
{
    return (::GetWindowLongA(hwnd, GWL_STYLE) & WS_GROUP) != 0;
}

class SkinnedRadio : public SkinnedCheckFamily {
public:
    SkinnedRadio() : SkinnedCheckFamily(kTypeRadio) {}

protected:
    // An automatic radio button checks itself and unchecks the other radio
    // buttons of its group: from the nearest sibling before it that starts a
    // group (the first sibling when none does) up to the next group.
    void PerformClick() override
    {
        if (ButtonType() != BS_AUTORADIOBUTTON)
            return;
        WriteCheck(BST_CHECKED);
        HWND first = m_hWnd;
        while (!StartsGroup(first) && ::GetWindow(first, GW_HWNDPREV))
            first = ::GetWindow(first, GW_HWNDPREV);
        for (HWND sibling = first; sibling; sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
            if (sibling != first && StartsGroup(sibling))
                break;
            if (::SendMessageA(sibling, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
                ::SendMessageA(sibling, BM_SETCHECK, sibling == m_hWnd ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedRadio()
{
    return std::make_unique<SkinnedRadio>();
}

}  // namespace skin
