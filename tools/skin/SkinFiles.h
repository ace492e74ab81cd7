// File access of the skin tools.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skin {

// Throw std::runtime_error naming the file when they fail.
std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace skin
