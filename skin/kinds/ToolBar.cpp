#include "skin/engine/KindTable.h"

#include "skin/engine/SkinnedControl.h"

namespace skin {

namespace {

// A tool bar inside a skinned window, or one that floats on its own.
class SkinnedToolBar : public SkinnedControl {
public:
    SkinnedToolBar() : SkinnedControl(kTypeToolBar) {}
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedToolBar()
{
    return std::make_unique<SkinnedToolBar>();
}

}  // namespace skin
