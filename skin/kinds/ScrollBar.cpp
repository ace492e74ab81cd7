#include "skin/engine/KindTable.h"

#include "skin/engine/SkinnedControl.h"

namespace skin {

namespace {

// A scroll-bar control (not the scroll bars of a window).
class SkinnedScrollBar : public SkinnedControl {
public:
    SkinnedScrollBar() : SkinnedControl(kTypeScrollBar) {}

protected:
    bool TakesSkinFont() const override { return false; }  // shows no text
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedScrollBar()
{
    return std::make_unique<SkinnedScrollBar>();
}

}  // namespace skin
