#include "skin/engine/KindTable.h"

#include "skin/kinds/StaticLooks.h"

namespace skin {

// Link windows are drawn like static texts and wear their objects.
std::unique_ptr<SkinnedWindow> CreateSkinnedLink()
{
    return CreateSkinnedLabel(kTypeLinkWnd);
}

}  // namespace skin
