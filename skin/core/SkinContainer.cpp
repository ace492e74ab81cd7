#include "skin/core/Skin.h"

#include "skin/core/SkinLimits.h"

#include <minilzo.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace skin {

namespace {

bool LzoReady()
{
    static const bool ready = lzo_init() == LZO_E_OK;
    return ready;
}

uint32_t ReadLength(const uint8_t* data)
{
    return uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24;
}

// LZO1X turns one input byte into at most 255 output bytes (a run of zero
// bytes lengthening a match), so a larger announced length cannot be met
// and is refused before anything is allocated for it.
bool LengthReachable(uint64_t announced, size_t packedSize)
{
    return announced <= uint64_t(packedSize) * 256 + 64;
}

}  // namespace

SkinHeader MakeHeader(uint8_t major, uint8_t minor, uint32_t objectCount)
{
    SkinHeader header = {};
    std::memcpy(header.data(), "TESSALINE_SKIN_FILE", 19);
    header[20] = major;
    header[21] = minor;
    std::memcpy(header.data() + 176, &objectCount, 4);
    return header;
}

std::vector<uint8_t> PackContainer(const std::vector<uint8_t>& body)
{
    std::vector<uint8_t> file(4 + body.size() + body.size() / 16 + 64 + 3);
    const uint32_t length = static_cast<uint32_t>(body.size());
    std::memcpy(file.data(), &length, 4);
    std::vector<uint8_t> workMemory(LZO1X_1_MEM_COMPRESS);
    lzo_uint packedSize = 0;
    if (!LzoReady() ||
        lzo1x_1_compress(body.data(), body.size(), file.data() + 4, &packedSize, workMemory.data()) != LZO_E_OK)
        return {};
    file.resize(4 + packedSize);
    return file;
}

SkinStatus UnpackContainer(const uint8_t* data, size_t size, std::shared_ptr<const uint8_t>& body, size_t& length)
{
    if (size < 4 || !LzoReady())
        return kSkinBodyBroken;
    const uint32_t announced = ReadLength(data);
    const size_t packedSize = size - 4;
    if (!LengthReachable(announced, packedSize))
        return kSkinBodyBroken;
    if (announced > kMaxBodyBytes)
        return kSkinTooLarge;
    // Left uninitialised: the decompressor writes every byte it reports.
    // One byte at least, as the decompressor needs a real buffer even for nothing.
    std::shared_ptr<uint8_t> unpacked(new (std::nothrow) uint8_t[announced > 0 ? announced : 1],
                                      std::default_delete<uint8_t[]>());
    if (!unpacked.get())
        return kSkinBodyBroken;
    lzo_uint produced = announced;
    const int result = lzo1x_decompress_safe(data + 4, packedSize, unpacked.get(), &produced, nullptr);
    if (result != LZO_E_OK || produced != announced)
        return kSkinBodyBroken;
    body = std::move(unpacked);
    length = announced;
    return kSkinOk;
}

size_t UnpackContainerStart(const uint8_t* data, size_t size, uint8_t* out, size_t capacity)
{
    if (size < 4 || !LzoReady())
        return 0;
    lzo_uint produced = std::min<size_t>(capacity, ReadLength(data));
    // Cut from a longer stream, the input or the output runs out first; the
    // decompressor checks before each step, so what it produced is sound.
    const int result = lzo1x_decompress_safe(data + 4, size - 4, out, &produced, nullptr);
    const bool sound = result == LZO_E_OK || result == LZO_E_INPUT_OVERRUN || result == LZO_E_OUTPUT_OVERRUN;
    return sound ? produced : 0;
}

}  // namespace skin
