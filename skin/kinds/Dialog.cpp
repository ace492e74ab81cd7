#include "skin/engine/KindTable.h"

#include "skin/kinds/frame/SkinnedFrame.h"

namespace skin {

// A dialog wears the named frame object: the skinned frame draws its border,
// caption and background.
std::unique_ptr<SkinnedWindow> CreateSkinnedDialog()
{
    return std::make_unique<SkinnedFrame>();
}

}  // namespace skin
