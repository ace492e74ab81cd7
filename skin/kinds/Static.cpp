#include "skin/kinds/SkinKinds.h"

#include "skin/engine/SkinnedControl.h"

namespace skin {

namespace {

class SkinnedStatic : public SkinnedControl {
public:
    SkinnedStatic() : SkinnedControl(KIND_STATIC) {}

protected:
    // Simple and enhanced-metafile statics, and owner-drawn ones, draw themselves.
    bool Refuses(HWND hwnd) const override
    {
        const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
        return (style & SS_SIMPLE) == SS_SIMPLE || (style & SS_OWNERDRAW) == SS_OWNERDRAW;
    }
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedStatic()
{
    return std::make_unique<SkinnedStatic>();
}

}  // namespace skin
