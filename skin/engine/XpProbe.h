// On Windows XP the BUTTON class's procedure is only known once a button has
// been made; the engine needs it to hand back messages it does not draw.
#pragma once

#include <windows.h>

namespace skin {

// Creates a hidden window with a BUTTON child to read the BUTTON class's
// window procedure. Null when the probe could not run.
WNDPROC ProbeButtonProcedure(HINSTANCE instance);

}  // namespace skin
