#include "skin/core/SkinTitle.h"

#include "skin/core/PlainObjects.h"
#include "skin/core/Skin.h"

#include <cstdio>
#include <vector>

namespace skin {

namespace {

std::vector<uint8_t> ReadFileStart(const std::string& path, size_t most)
{
    std::vector<uint8_t> bytes(most);
    FILE* file = std::fopen(path.c_str(), "rb");
    const size_t read = file ? std::fread(bytes.data(), 1, bytes.size(), file) : 0;
    if (file)
        std::fclose(file);
    bytes.resize(read);
    return bytes;
}

}  // namespace

std::string ReadSkinTitle(const std::string& path)
{
    const std::vector<uint8_t> start = ReadFileStart(path, kTitleFileBytes);
    std::vector<uint8_t> body(kTitleBodyBytes);
    body.resize(UnpackContainerStart(start.data(), start.size(), body.data(), body.size()));
    // A body cut short reads as far as it goes.
    Skin skin;
    if (!skin.ReadBody(body.data(), body.size()))
        return {};
    const auto* application = dynamic_cast<const Application*>(skin.DefaultObject(kTypeApplication));
    return application ? application->m_application : std::string();
}

}  // namespace skin
