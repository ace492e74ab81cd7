#pragma once

#include <cstddef>

namespace skin {

// Overwrites bytes of a loaded image (code or import table) that are normally
// write-protected, and puts the protection back. Execute rights stay on the
// page throughout, since another thread may be running code on it.
bool WriteProtected(void* at, const void* bytes, size_t size);

}  // namespace skin
