// What the engine knows of the skinned kinds: a table handed to it at start
// by the layer that holds them, so that the engine never names a kind's class.
#pragma once

#include "skin/engine/SkinnedWindow.h"

#include <memory>
#include <string>
#include <vector>

namespace skin {

// Makes the object that draws one window of a kind.
using KindFactory = std::unique_ptr<SkinnedWindow> (*)();

struct KindRow {
    // The window class that is skinned as this kind; empty for a kind that
    // no class name leads to (dialogs are recognised by the dialog class).
    std::string className;
    int kind;  // the skin object type (kType*) the window wears
    KindFactory create;
};

using KindTable = std::vector<KindRow>;

}  // namespace skin
