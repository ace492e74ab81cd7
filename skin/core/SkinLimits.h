// What one skin may hold. A reader refuses a file that passes any of these
// before it allocates for the excess, so that a hostile file costs little
// time and memory; FORMAT.md promises them to skin authors. Each lies
// far above what a real skin needs (the program's own skins hold about 20
// objects, 8 images of 90 000 pixels together and a body of 220 KB).
#pragma once

#include <cstdint>

namespace skin {

// The decompressed body.
constexpr uint32_t kMaxBodyBytes = 16u << 20;
// The longest file that can hold such a body: LZO1X's worst case, a byte
// more for every 16 and a little.
constexpr uint64_t kMaxFileBytes = 4 + uint64_t(kMaxBodyBytes) + kMaxBodyBytes / 16 + 64 + 3;
// Objects of every kind together: top-level objects, children at any
// depth, images and voices.
constexpr uint32_t kMaxObjects = 4096;
// The children of one object.
constexpr uint32_t kMaxChildren = 256;
// The keyed properties and unkeyed fields of all objects together (each
// type declares a fixed number of them, from 8 to about 60).
constexpr uint32_t kMaxProperties = 65536;
// Entries of the image table.
constexpr uint32_t kMaxImages = 1024;
// The pixels of all images together, as their headers announce them: what
// drawing the skin may decode at most.
constexpr uint64_t kMaxPixels = uint64_t(8) << 20;

}  // namespace skin
