// The format decoders behind CxImage and the bounds-checked reading they share.
#pragma once

#include "skin/image/CxImage.h"

#include <cstddef>
#include <cstdint>

namespace cximage {

enum class DecodeStatus { kDecoded, kNotThisFormat, kFailed };

struct DecodeResult {
    DecodeStatus status;
    const char* error;  // kFailed: the reason; nullptr when CxImage::Create recorded it

    static DecodeResult Decoded() { return {DecodeStatus::kDecoded, nullptr}; }
    static DecodeResult NotThisFormat() { return {DecodeStatus::kNotThisFormat, nullptr}; }
    static DecodeResult Failed(const char* reason) { return {DecodeStatus::kFailed, reason}; }
    static DecodeResult CreateFailed() { return {DecodeStatus::kFailed, nullptr}; }
};

// Little-endian reads over a byte buffer. A read past the end yields zeros
// and marks the reader exhausted, so loops driven by the data always end.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : m_pData(data), m_nSize(size) {}

    size_t Offset() const { return m_nOffset; }
    size_t Remaining() const { return m_nSize - m_nOffset; }
    bool Exhausted() const { return m_bExhausted; }
    bool Seek(size_t offset);
    bool Skip(size_t count);

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int32_t I32() { return int32_t(U32()); }

private:
    const uint8_t* m_pData;
    size_t m_nSize;
    size_t m_nOffset = 0;
    bool m_bExhausted = false;
};

inline uint32_t Bgra(uint8_t blue, uint8_t green, uint8_t red, uint8_t alpha = 255)
{
    return uint32_t(blue) | (uint32_t(green) << 8) | (uint32_t(red) << 16) | (uint32_t(alpha) << 24);
}

constexpr uint32_t kOpaqueBlack = 0xFF000000;

// Widens a 5-5-5 pixel (blue in the low bits) to full 8-bit channels.
uint32_t Rgb555ToBgra(uint16_t pixel);

DecodeResult DecodeBmp(const uint8_t* data, size_t size, CxImage& image);
DecodeResult DecodeTga(const uint8_t* data, size_t size, CxImage& image);
// The size the decoder would make from the headers alone; kDecoded when
// they are sound, without the pixels being looked at.
DecodeResult MeasureBmp(const uint8_t* data, size_t size, uint32_t& width, uint32_t& height);
DecodeResult MeasureTga(const uint8_t* data, size_t size, uint32_t& width, uint32_t& height);

}  // namespace cximage
