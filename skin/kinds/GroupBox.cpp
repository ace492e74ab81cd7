#include "skin/kinds/SkinKinds.h"

#include "skin/engine/SkinnedControl.h"

namespace skin {

namespace {

class SkinnedGroupBox : public SkinnedControl {
public:
    SkinnedGroupBox() : SkinnedControl(KIND_GROUPBOX) {}
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedGroupBox()
{
    return std::make_unique<SkinnedGroupBox>();
}

}  // namespace skin
