// Feeds any bytes to the skin reader, then to the lookups and the writer.
#include "SkinFuzzInput.h"

#include "skin/core/Skin.h"
#include "skin/core/SkinTypes.h"

#include <cstdlib>

namespace {

void UseLookups(const skin::Skin& skin)
{
    for (int32_t type = 0; type <= skin::kTypeUnnamedControl; ++type)
        skin.DefaultObject(type);
    for (const auto& entry : skin.Objects()) {
        skin.FindObject(entry.first);
        skin.ObjectForControl(entry.second.get(), skin::kTypeButton, 1);
        for (const auto& child : entry.second->Children())
            skin.FindObject(child.first);
    }
    for (const auto& entry : skin.Images())
        skin.FindImage(entry.first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    skin::Skin skin;
    const bool read = (data[0] & 1) == kFuzzBody ? skin.ReadBody(data + 1, size - 1) : skin.ReadBytes(data + 1, size - 1);
    if (!read)
        return 0;
    UseLookups(skin);
    // Written back at its version, a skin reads again as it was: every value
    // the same, as the newest version, which holds them all, shows.
    const std::vector<uint8_t> body = skin.WriteBody(skin.Minor());
    skin::Skin again;
    if (!again.ReadBody(body.data(), body.size()))
        std::abort();
    if (again.WriteBody(skin::kNewestMinor) != skin.WriteBody(skin::kNewestMinor))
        std::abort();
    return 0;
}
