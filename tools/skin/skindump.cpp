// skindump: writes the source of a skin file; its images go into an
// "images" folder beside the source.
//   skindump SKIN.smf OUTPUT.skin
#include "tools/skin/SkinFiles.h"
#include "tools/skin/SkinSource.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: skindump SKIN.smf OUTPUT.skin\n";
        return 2;
    }
    skin::Skin loaded;
    if (!loaded.ReadFile(argv[1])) {
        std::cerr << argv[1] << ": not a readable skin file (status " << loaded.Status() << ")\n";
        return 1;
    }
    const std::filesystem::path base = std::filesystem::path(argv[2]).parent_path();
    try {
        const std::string source = skin::DumpSkinSource(loaded, [&base](const std::string& path, const std::vector<uint8_t>& bytes) {
            skin::WriteFileBytes((base / path).string(), bytes);
        });
        skin::WriteFileBytes(argv[2], std::vector<uint8_t>(source.begin(), source.end()));
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
