#include "skin/kinds/SkinKinds.h"

#include "skin/engine/SkinnedWindow.h"

namespace skin {

namespace {

// A dialog wears the named frame object; its frame and caption drawing come
// with the frame kind.
class SkinnedDialog : public SkinnedWindow {
public:
    SkinnedDialog() : SkinnedWindow(KIND_FRAME) {}
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedDialog()
{
    return std::make_unique<SkinnedDialog>();
}

}  // namespace skin
