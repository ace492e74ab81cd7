#include "skin/kinds/SkinKinds.h"

#include "skin/engine/SkinnedControl.h"

namespace skin {

namespace {

class SkinnedProgressBar : public SkinnedControl {
public:
    SkinnedProgressBar() : SkinnedControl(KIND_PROGRESS) {}

protected:
    bool TakesSkinFont() const override { return false; }  // shows no text of its own
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedProgressBar()
{
    return std::make_unique<SkinnedProgressBar>();
}

}  // namespace skin
