#include "skin/engine/KindTable.h"

#include "skin/kinds/ScrollingControl.h"

#include <commctrl.h>

namespace skin {

namespace {

class SkinnedTreeView : public SkinnedScrollingControl {
public:
    SkinnedTreeView() : SkinnedScrollingControl(kTypeTreeView) {}

protected:
    // A tree view asks nobody for its colours.
    void ApplyColours() override
    {
        if (!EdgeObject())
            return;
        ::SendMessageA(m_hWnd, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(BackColour()));
        ::SendMessageA(m_hWnd, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(TextColour()));
    }

    void RestoreColours() override
    {
        ::SendMessageA(m_hWnd, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(CLR_DEFAULT));
        ::SendMessageA(m_hWnd, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(CLR_DEFAULT));
    }
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedTreeView()
{
    return std::make_unique<SkinnedTreeView>();
}

}  // namespace skin
