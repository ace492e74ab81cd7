#include "skin/kinds/SkinKinds.h"

#include "skin/engine/SkinnedControl.h"

namespace skin {

namespace {

class SkinnedSlider : public SkinnedControl {
public:
    SkinnedSlider() : SkinnedControl(KIND_SLIDER) {}

protected:
    bool TakesSkinFont() const override { return false; }  // shows no text
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedSlider()
{
    return std::make_unique<SkinnedSlider>();
}

}  // namespace skin
