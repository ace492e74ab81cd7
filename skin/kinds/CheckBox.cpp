#include "skin/kinds/SkinKinds.h"

#include "skin/kinds/ButtonFamily.h"

namespace skin {

namespace {

class SkinnedCheckBox : public SkinnedButtonFamily {
public:
    SkinnedCheckBox() : SkinnedButtonFamily(KIND_CHECKBOX) {}
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedCheckBox()
{
    return std::make_unique<SkinnedCheckBox>();
}

}  // namespace skin
