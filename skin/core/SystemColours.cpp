#include "skin/core/SystemColours.h"

namespace skin {

namespace {

// The classic scheme, as the system has it before any theme.
constexpr Colour kClassic[kSystemColourCount] = {
    MakeColour(212, 208, 200),  // scroll bar
    MakeColour(58, 110, 165),   // desktop
    MakeColour(10, 36, 106),    // active caption
    MakeColour(128, 128, 128),  // inactive caption
    MakeColour(212, 208, 200),  // menu
    MakeColour(255, 255, 255),  // window
    MakeColour(0, 0, 0),        // window frame
    MakeColour(0, 0, 0),        // menu text
    MakeColour(0, 0, 0),        // window text
    MakeColour(255, 255, 255),  // caption text
    MakeColour(212, 208, 200),  // active border
    MakeColour(212, 208, 200),  // inactive border
    MakeColour(128, 128, 128),  // application workspace
    MakeColour(10, 36, 106),    // highlight
    MakeColour(255, 255, 255),  // highlight text
    MakeColour(212, 208, 200),  // button face
    MakeColour(128, 128, 128),  // button shadow
    MakeColour(128, 128, 128),  // gray text
    MakeColour(0, 0, 0),        // button text
    MakeColour(212, 208, 200),  // inactive caption text
    MakeColour(255, 255, 255),  // button highlight
    MakeColour(64, 64, 64),     // 3-D dark shadow
    MakeColour(212, 208, 200),  // 3-D light
    MakeColour(0, 0, 0),        // tooltip text
    MakeColour(255, 255, 225),  // tooltip background
    MakeColour(181, 181, 181),  // index 25
    MakeColour(0, 0, 128),      // hot-tracked item
    MakeColour(166, 202, 240),  // gradient of the active caption
    MakeColour(192, 192, 192),  // gradient of the inactive caption
    MakeColour(10, 36, 106),    // menu highlight
    MakeColour(212, 208, 200),  // menu bar
};

SystemColourFunction g_source = nullptr;

}  // namespace

void SetSystemColourSource(SystemColourFunction source)
{
    g_source = source;
}

Colour SystemColour(int index)
{
    return g_source ? g_source(index) : ClassicSystemColour(index);
}

Colour ClassicSystemColour(int index)
{
    return index >= 0 && index < kSystemColourCount ? kClassic[index] : 0;
}

}  // namespace skin
