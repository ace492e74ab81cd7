// Where code that measures time reads the clock: the system's millisecond
// tick count, or a clock a test moves by hand.
#pragma once

#include <functional>

using TickSource = std::function<unsigned long()>;

// The system's tick count (GetTickCount).
TickSource SystemTicks();
