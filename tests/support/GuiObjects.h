// Counts of the process's GDI and USER objects, for leak checks around
// repeated work.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

struct GuiObjectCounts {
    DWORD gdi;   // bitmaps, brushes, fonts, pens, regions, device contexts
    DWORD user;  // windows, icons, cursors
};

// GetGuiResources where the system implements it. Wine answers 0 there, so
// the counts then come from the GDI handle table of the process and from
// the windows of this thread and the icons and cursors this process holds.
GuiObjectCounts CountGuiObjects();

// Runs `cycle` once to settle caches, then `times` times more, and fails
// when the GDI or USER object count has grown.
::testing::AssertionResult LeavesNoGuiObjects(const std::function<void()>& cycle, int times = 200);
