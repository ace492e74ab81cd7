// The skinned kinds as the engine receives them at start.
#pragma once

#include "skin/engine/KindTable.h"

namespace skin {

// One row per window class the engine skins: its kind and the factory of the
// kind's window object.
const KindTable& SkinKindTable();

}  // namespace skin
