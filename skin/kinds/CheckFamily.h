// Check boxes and radio buttons: a box image beside the text on a background
// image or the dialog's own background.
#pragma once

#include "skin/kinds/ButtonFamily.h"

namespace skin {

class SkinnedCheckFamily : public SkinnedButtonFamily {
public:
    using SkinnedButtonFamily::SkinnedButtonFamily;

protected:
    void Draw(HDC dc) override;
    bool IsRadio() const { return Kind() == kTypeRadio; }
    LONG ButtonType() const { return Style() & BS_TYPEMASK; }
};

}  // namespace skin
