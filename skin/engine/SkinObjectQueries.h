// What the window side of the engine reads from skin objects of any type.
#pragma once

#include "skin/core/SkinObject.h"

namespace skin {

// The first child of `owner`, in name order, of type `kind` whose
// "CONTROLID" is `controlId`; null for none.
SkinObject* FindChildForControl(const SkinObject& owner, int kind, int controlId);
// "AUTOSKINFONT" of a control object; false for objects without one.
bool AutoSkinFont(const SkinObject& object);
bool AutoPlace(const SkinObject& object);
const SkinRect& Placement(const SkinObject& object);
// Whether the window wearing `object` holds skinned controls: frames and
// shaped windows do, a control's own object does not.
bool HoldsControls(const SkinObject& object);
// The font record of a control object; null for objects without one.
const FontRecord* FontRecordOf(const SkinObject& object);

}  // namespace skin
