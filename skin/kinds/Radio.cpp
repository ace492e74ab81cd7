#include "skin/kinds/SkinKinds.h"

#include "skin/kinds/ButtonFamily.h"

namespace skin {

namespace {

class SkinnedRadio : public SkinnedButtonFamily {
public:
    SkinnedRadio() : SkinnedButtonFamily(KIND_RADIO) {}
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedRadio()
{
    return std::make_unique<SkinnedRadio>();
}

}  // namespace skin
