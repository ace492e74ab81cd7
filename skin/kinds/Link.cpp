#include "skin/kinds/SkinKinds.h"

#include "skin/engine/SkinnedControl.h"

namespace skin {

namespace {

// Link windows are drawn like static texts and wear their objects.
class SkinnedLink : public SkinnedControl {
public:
    SkinnedLink() : SkinnedControl(KIND_LINK) {}

protected:
    int LookupKind() const override { return KIND_STATIC; }
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedLink()
{
    return std::make_unique<SkinnedLink>();
}

}  // namespace skin
