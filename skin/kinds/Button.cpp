#include "skin/kinds/SkinKinds.h"

#include "skin/kinds/ButtonFamily.h"

namespace skin {

namespace {

class SkinnedButton : public SkinnedButtonFamily {
public:
    SkinnedButton() : SkinnedButtonFamily(KIND_BUTTON) {}
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedButton()
{
    return std::make_unique<SkinnedButton>();
}

}  // namespace skin
