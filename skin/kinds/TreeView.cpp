#include "skin/kinds/SkinKinds.h"

#include "skin/engine/SkinnedControl.h"

namespace skin {

namespace {

class SkinnedTreeView : public SkinnedControl {
public:
    SkinnedTreeView() : SkinnedControl(KIND_TREEVIEW) {}
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedTreeView()
{
    return std::make_unique<SkinnedTreeView>();
}

}  // namespace skin
