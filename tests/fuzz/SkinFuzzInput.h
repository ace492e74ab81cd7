// The fuzz target's input: one byte that says what follows, then a whole
// skin file (container) or a decompressed body, which lets the mutations
// reach the records without having to keep the LZO stream intact.
#pragma once

#include <cstdint>

enum SkinFuzzInput : uint8_t { kFuzzContainer = 0, kFuzzBody = 1 };
