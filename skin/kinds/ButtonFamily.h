// Push buttons, check boxes and radio buttons: controls of the system class
// "Button" that the engine draws itself, unless their owner draws them.
#pragma once

#include "skin/engine/SkinnedControl.h"

namespace skin {

class SkinnedButtonFamily : public SkinnedControl {
public:
    using SkinnedControl::SkinnedControl;

protected:
    // The program's own owner-drawn buttons keep their procedure and drawing.
    bool Refuses(HWND hwnd) const override
    {
        return (::GetWindowLongA(hwnd, GWL_STYLE) & BS_OWNERDRAW) == BS_OWNERDRAW;
    }
};

}  // namespace skin
