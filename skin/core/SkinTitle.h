// The name a skin file gives itself, read from the start of the file alone:
// the Skin menu names every skin file it finds each time it opens, and a
// file of any length or content must cost it little.
#pragma once

#include <cstddef>
#include <string>

namespace skin {

// The start a title is looked for in: the file's first bytes, unpacked into
// at most this much of the body. Writers put the objects before the images,
// in name order, so an Application object named "Application" lies within.
constexpr size_t kTitleFileBytes = size_t(64) << 10;
constexpr size_t kTitleBodyBytes = size_t(256) << 10;

// The "APPLICATION" text of the skin's Application object (as
// Skin::DefaultObject finds it among the objects of the start); empty when
// the start holds none or the file is no skin.
std::string ReadSkinTitle(const std::string& path);

}  // namespace skin
