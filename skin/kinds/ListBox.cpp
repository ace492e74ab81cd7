#include "skin/kinds/SkinKinds.h"

#include "skin/engine/SkinnedControl.h"

namespace skin {

namespace {

class SkinnedListBox : public SkinnedControl {
public:
    SkinnedListBox() : SkinnedControl(KIND_LISTBOX) {}

protected:
    // Owner-drawn list boxes keep their drawing, except the list of a simple combo box.
    bool Refuses(HWND hwnd) const override
    {
        char className[16] = {};
        ::GetClassNameA(hwnd, className, sizeof className);
        const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
        return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) && lstrcmpA(className, "ComboLBox") != 0;
    }
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedListBox()
{
    return std::make_unique<SkinnedListBox>();
}

}  // namespace skin
