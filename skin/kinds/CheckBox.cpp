#include "skin/engine/KindTable.h"

#include "skin/kinds/CheckFamily.h"

namespace skin {

namespace {

class SkinnedCheckBox : public SkinnedCheckFamily {
public:
    SkinnedCheckBox() : SkinnedCheckFamily(kTypeCheckBox) {}

protected:
    void PerformClick() override
    {
        const UINT check = static_cast<UINT>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0));
        if (ButtonType() == BS_AUTOCHECKBOX)
            WriteCheck(check == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED);
        else if (ButtonType() == BS_AUTO3STATE)
            WriteCheck(check == BST_UNCHECKED ? BST_CHECKED : check == BST_CHECKED ? BST_INDETERMINATE : BST_UNCHECKED);
    }
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedCheckBox()
{
    return std::make_unique<SkinnedCheckBox>();
}

}  // namespace skin
