#include "skin/engine/KindTable.h"

#include "skin/engine/SkinnedControl.h"

namespace skin {

namespace {

// An up-down control.
class SkinnedSpin : public SkinnedControl {
public:
    SkinnedSpin() : SkinnedControl(kTypeSpin) {}

protected:
    bool TakesSkinFont() const override { return false; }  // shows no text
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedSpin()
{
    return std::make_unique<SkinnedSpin>();
}

}  // namespace skin
