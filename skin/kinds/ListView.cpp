#include "skin/kinds/SkinKinds.h"

#include "skin/engine/SkinnedControl.h"
#include <commctrl.h>

namespace skin {

namespace {

class SkinnedListView : public SkinnedControl {
public:
    SkinnedListView() : SkinnedControl(KIND_LISTVIEW) {}

protected:
    // A list view with owner-drawn rows keeps the system look.
    bool Refuses(HWND hwnd) const override { return (::GetWindowLongA(hwnd, GWL_STYLE) & LVS_OWNERDRAWFIXED) != 0; }
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedListView()
{
    return std::make_unique<SkinnedListView>();
}

}  // namespace skin
