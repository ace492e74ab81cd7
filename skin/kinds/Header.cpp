#include "skin/kinds/SkinKinds.h"

#include "skin/engine/SkinnedControl.h"

namespace skin {

namespace {

// The column header of a list view.
class SkinnedHeader : public SkinnedControl {
public:
    SkinnedHeader() : SkinnedControl(KIND_HEADER) {}
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedHeader()
{
    return std::make_unique<SkinnedHeader>();
}

}  // namespace skin
