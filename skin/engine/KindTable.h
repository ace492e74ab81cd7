// What the engine knows of the skinned kinds: a table handed to it at start
// by the layer that holds them, so that the engine never names a kind.
#pragma once

#include "skin/engine/SkinnedWindow.h"

#include <memory>
#include <string>
#include <vector>

namespace skin {

// Makes the object that draws one window of a kind.
using KindFactory = std::unique_ptr<SkinnedWindow> (*)();
// Sorts a window of a row's class, by its styles or its place, into the kind
// it is skinned as; kTypeNone leaves it to the system.
using KindSorter = int (*)(HWND window);
// Whether a window of a row's class that no skinned window holds is skinned
// on its own, with the default object of the row's kind.
using StandsAloneRule = bool (*)(HWND window);

struct KindRow {
    // The window class that is skinned as this kind. The row without one is
    // the dialogs': a dialog is a window of the system's dialog class and
    // wears the object the program names for dialogs.
    std::string className;
    int kind;  // the skin object type (kType*) the window wears
    KindFactory create;
    KindSorter sort = nullptr;             // null: every window of the class is of `kind`
    StandsAloneRule standsAlone = nullptr;  // null: only under a skinned window
};

using KindTable = std::vector<KindRow>;

}  // namespace skin
