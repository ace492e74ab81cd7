// Pictures of the screen for tests that keep what they saw as artefacts.
#pragma once

#include <windows.h>

// Writes `area` of the screen as a 24-bit BMP at `path`; false when nothing
// could be read or written. `distinctColours` counts the colours of a
// sparse sample (up to 64), so that a blank picture can be told.
bool SaveScreenArea(const RECT& area, const char* path, int& distinctColours);
