#include "skin/kinds/SkinKinds.h"

#include "skin/kinds/StaticLooks.h"

namespace skin {

// Link windows are drawn like static texts and wear their objects.
std::unique_ptr<SkinnedWindow> CreateSkinnedLink()
{
    return CreateSkinnedLabel(KIND_LINK);
}

}  // namespace skin
