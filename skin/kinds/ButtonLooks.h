// Which state block a push button, check box or radio button shows, where
// its content goes and the shape of a push button: the rules the drawing
// follows, kept apart from the windows so that each can be checked alone.
#pragma once

#include "skin/core/ControlObjects.h"
#include "skin/draw/SkinDraw.h"

#include <windows.h>

#include <initializer_list>

namespace skin {

// The first state whose image `isPresent`; when none is, the second of the
// list (the only one of a list of one).
template <typename IsPresent>
int FirstPresent(std::initializer_list<int> states, IsPresent isPresent)
{
    for (int state : states)
        if (isPresent(state))
            return state;
    return states.size() > 1 ? *(states.begin() + 1) : *states.begin();
}

struct PushButtonInputs {
    bool enabled;
    bool pushed;  // BST_PUSHED, or being clicked
    bool hovered;
    bool checked;
    bool isDefault;  // BS_DEFPUSHBUTTON
    bool focused;
};

// The ButtonState whose image and text effect a push button shows.
int PushButtonState(const PushButtonInputs& in, const Button& object);

struct CheckInputs {
    bool enabled;
    bool pushed;
    bool focused;
    bool checked;
    bool hovered;
};

struct CheckChoice {
    int background;  // CheckState of each part
    int box;
    int effect;
};

// The state blocks of a check box (`radio` false) or radio button.
CheckChoice ChooseCheckLook(const CheckInputs& in, const CheckControl& object, bool radio);

// Where a text, icon or bitmap of `size` goes inside `area` after the
// button's alignment bits; without any, a push button centres and the
// others align left.
RECT PlaceContent(const RECT& area, SIZE size, LONG style, bool pushButton);
// DrawText flags of a button's text.
UINT ButtonTextFormat(LONG style, LONG exStyle);

// The fixed colour that cuts push buttons into shape, whatever the skin's
// transparent colour.
constexpr COLORREF SHAPE_COLOUR = RGB(255, 0, 255);

// The union of one rectangle per horizontal run of pixels that are not
// SHAPE_COLOUR, read from a DIB section of 8, 16 (5-6-5), 24 or 32 bits per
// pixel; null for other bitmaps.
HRGN RegionOutsideShapeColour(HBITMAP dib);
// `image` drawn at `size` into a DIB section of `bitsPerPixel` (button face
// where it cannot be drawn), cut into the region of its non-magenta runs.
HRGN PushButtonShape(const NineGridImage& image, const ImageResolver& images, SIZE size, int bitsPerPixel,
                     COLORREF fill);

}  // namespace skin
