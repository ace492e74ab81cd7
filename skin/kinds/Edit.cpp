#include "skin/kinds/SkinKinds.h"

#include "skin/engine/SkinnedControl.h"

namespace skin {

namespace {

// Edit fields and rich edit controls share one class: their frame and colours
// come from the same keys.
class SkinnedEdit : public SkinnedControl {
public:
    using SkinnedControl::SkinnedControl;
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedEdit(int kind)
{
    return std::make_unique<SkinnedEdit>(kind);
}

}  // namespace skin
