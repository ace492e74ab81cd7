#include "skin/kinds/SkinKinds.h"

#include "skin/engine/SkinnedControl.h"

namespace skin {

namespace {

class SkinnedComboBox : public SkinnedControl {
public:
    SkinnedComboBox() : SkinnedControl(KIND_COMBOBOX) {}

protected:
    // Variable-height owner drawing, and simple combo boxes, whose list is
    // skinned as a list box of its own, keep the system look.
    bool Refuses(HWND hwnd) const override
    {
        const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
        return (style & CBS_OWNERDRAWVARIABLE) || (style & 3) == CBS_SIMPLE;
    }
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedComboBox()
{
    return std::make_unique<SkinnedComboBox>();
}

}  // namespace skin
