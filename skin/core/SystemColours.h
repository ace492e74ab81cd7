// The system colours that many skin defaults are made of. The core calls no
// system function: the program hands in its own source of system colours,
// the host tools use the classic Windows scheme.
#pragma once

#include "skin/core/SkinRecords.h"

namespace skin {

// Indexes of the system colours, as the system numbers them.
enum SystemColourIndex : int {
    kSysScrollBar = 0,
    kSysBackground = 1,
    kSysActiveCaption = 2,
    kSysInactiveCaption = 3,
    kSysMenu = 4,
    kSysWindow = 5,
    kSysWindowFrame = 6,
    kSysMenuText = 7,
    kSysWindowText = 8,
    kSysCaptionText = 9,
    kSysActiveBorder = 10,
    kSysInactiveBorder = 11,
    kSysAppWorkspace = 12,
    kSysHighlight = 13,
    kSysHighlightText = 14,
    kSysButtonFace = 15,
    kSysButtonShadow = 16,
    kSysGrayText = 17,
    kSysButtonText = 18,
    kSysInactiveCaptionText = 19,
    kSysButtonHighlight = 20,
    kSys3dDarkShadow = 21,
    kSys3dLight = 22,
    kSysInfoText = 23,
    kSysInfoBackground = 24,
    kSysHotLight = 26,
    kSysGradientActiveCaption = 27,
    kSysGradientInactiveCaption = 28,
    kSysMenuHighlight = 29,
    kSysMenuBar = 30,
};

constexpr int kSystemColourCount = 31;

using SystemColourFunction = Colour (*)(int index);

// Replaces the source of system colours (nullptr restores the classic
// scheme). Set it before skins are read; it is not guarded by a lock.
void SetSystemColourSource(SystemColourFunction source);

// The colour of a system colour index from the current source.
Colour SystemColour(int index);

// The classic Windows scheme (grey 3-D faces, dark blue captions).
Colour ClassicSystemColour(int index);

}  // namespace skin
