// Writes the seed corpus of the fuzz target: the sample skin with every
// object type at every minor version, as a file and as a body, and files of
// tiny objects one past a limit of what a skin may hold.
//   skin_seeds FOLDER
#include "SkinFuzzInput.h"
#include "SkinSamples.h"

#include "skin/core/SkinLimits.h"

#include <fstream>
#include <iostream>
#include <string>

namespace {

bool WriteSeed(const std::string& path, SkinFuzzInput kind, const std::vector<uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.put(static_cast<char>(kind));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: skin_seeds FOLDER\n";
        return 2;
    }
    const auto sample = skintest::MakeSampleSkin();
    for (uint8_t minor = 0; minor <= skin::kNewestMinor; ++minor) {
        const std::string stem = std::string(argv[1]) + "/sample-1." + std::to_string(minor);
        if (!WriteSeed(stem + ".smf", kFuzzContainer, sample->WriteBytes(minor)) ||
            !WriteSeed(stem + ".body", kFuzzBody, sample->WriteBody(minor))) {
            std::cerr << "cannot write seeds into " << argv[1] << "\n";
            return 1;
        }
    }
    const struct {
        const char* name;
        uint32_t count;
        skintest::TinyPlace place;
    } overLimits[] = {
        {"objects", skin::kMaxObjects + 1, skintest::TinyPlace::kTopLevel},
        {"children", skin::kMaxChildren + 1, skintest::TinyPlace::kChildren},
        {"images", skin::kMaxImages + 1, skintest::TinyPlace::kImages},
    };
    for (const auto& over : overLimits) {
        const std::string path = std::string(argv[1]) + "/over-" + over.name + ".smf";
        if (!WriteSeed(path, kFuzzContainer, skin::PackContainer(skintest::TinyObjectsBody(over.count, over.place)))) {
            std::cerr << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
