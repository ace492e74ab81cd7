// skinc: compiles a skin source (and the images it names) into a skin file.
//   skinc [--minor N] SOURCE.skin OUTPUT.smf
#include "tools/skin/SkinFiles.h"
#include "tools/skin/SkinSource.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    int minor = -1;
    int arg = 1;
    if (argc == 5 && std::strcmp(argv[1], "--minor") == 0) {
        minor = std::atoi(argv[2]);
        arg = 3;
    }
    if (argc - arg != 2 || minor > skin::kNewestMinor || (arg == 3 && minor < 0)) {
        std::cerr << "usage: skinc [--minor 0..16] SOURCE.skin OUTPUT.smf\n";
        return 2;
    }
    const std::string sourcePath = argv[arg];
    const std::filesystem::path base = std::filesystem::path(sourcePath).parent_path();
    try {
        const std::vector<uint8_t> text = skin::ReadFileBytes(sourcePath);
        skin::Skin compiled;
        skin::CompileSkinSource(std::string(text.begin(), text.end()),
                                [&base](const std::string& path) { return skin::ReadFileBytes((base / path).string()); },
                                compiled);
        const uint8_t version = minor >= 0 ? static_cast<uint8_t>(minor) : compiled.Minor();
        skin::WriteFileBytes(argv[arg + 1], compiled.WriteBytes(version));
    } catch (const std::exception& error) {
        std::cerr << sourcePath << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}
