#include "skin/image/CxImage.h"

#include "skin/image/ImageDecoders.h"

#include <limits>
#include <new>

namespace cximage {

bool ByteReader::Seek(size_t offset)
{
    if (offset > m_nSize) {
        m_bExhausted = true;
        return false;
    }
    m_nOffset = offset;
    return true;
}

bool ByteReader::Skip(size_t count)
{
    return count <= Remaining() ? Seek(m_nOffset + count) : Seek(m_nSize + 1);
}

uint8_t ByteReader::U8()
{
    if (m_nOffset >= m_nSize) {
        m_bExhausted = true;
        return 0;
    }
    return m_pData[m_nOffset++];
}

uint16_t ByteReader::U16()
{
    const uint16_t low = U8();
    return uint16_t(low | (U8() << 8));
}

uint32_t ByteReader::U32()
{
    const uint32_t low = U16();
    return low | (uint32_t(U16()) << 16);
}

uint32_t Rgb555ToBgra(uint16_t pixel)
{
    auto widen = [](unsigned five) { return uint8_t((five << 3) | (five >> 2)); };
    return Bgra(widen(pixel & 31), widen((pixel >> 5) & 31), widen((pixel >> 10) & 31));
}

}  // namespace cximage

using cximage::DecodeResult;
using cximage::DecodeStatus;

namespace {

// Runs what `format` names: the BMP or the TGA step, or for an unknown
// format the BMP step and, when the bytes are no BMP, the TGA step.
template <typename BmpStep, typename TgaStep>
DecodeResult ByFormat(uint32_t format, BmpStep bmp, TgaStep tga)
{
    DecodeResult result = DecodeResult::Failed("unknown image format code");
    switch (format) {
    case CxImage::kFormatBmp:
        result = bmp();
        if (result.status == DecodeStatus::kNotThisFormat)
            result = DecodeResult::Failed("not a BMP stream");
        break;
    case CxImage::kFormatTga:
        result = tga();
        if (result.status == DecodeStatus::kNotThisFormat)
            result = DecodeResult::Failed("not a TGA stream");
        break;
    case CxImage::kFormatUnknown:
        result = bmp();
        if (result.status == DecodeStatus::kNotThisFormat)
            result = tga();
        if (result.status == DecodeStatus::kNotThisFormat)
            result = DecodeResult::Failed("unknown image format");
        break;
    }
    return result;
}

}  // namespace

CxImage::CxImage(const uint8_t* data, size_t size, uint32_t format, uint64_t maxMemory)
    : m_maxMemory(maxMemory)
{
    const DecodeResult result = ByFormat(
        format, [&] { return cximage::DecodeBmp(data, size, *this); },
        [&] { return cximage::DecodeTga(data, size, *this); });
    if (result.status != DecodeStatus::kDecoded) {
        Destroy();
        if (result.error)
            m_strError = result.error;
    }
}

uint64_t CxImage::PixelsOf(const uint8_t* data, size_t size, uint32_t format)
{
    uint32_t width = 0;
    uint32_t height = 0;
    const DecodeResult result = ByFormat(
        format, [&] { return cximage::MeasureBmp(data, size, width, height); },
        [&] { return cximage::MeasureTga(data, size, width, height); });
    return result.status == DecodeStatus::kDecoded ? uint64_t(width) * height : 0;
}

bool CxImage::WithinCeiling(uint32_t width, uint32_t height) const
{
    return uint64_t(width) * height * sizeof(uint32_t) <= m_maxMemory;
}

bool CxImage::Create(uint32_t width, uint32_t height, Start start)
{
    Destroy();
    if (width == 0 || height == 0) {
        m_strError = "an image needs at least one pixel";
        return false;
    }
    if (!WithinCeiling(width, height)) {
        m_strError = kMaxMemoryError;
        return false;
    }
    const uint64_t pixels = uint64_t(width) * height;
    if (pixels > std::numeric_limits<size_t>::max() / sizeof(uint32_t)) {
        m_strError = kAllocationError;
        return false;
    }
    m_pixels.reset(start == Start::kZeroed ? new (std::nothrow) uint32_t[size_t(pixels)]()
                                           : new (std::nothrow) uint32_t[size_t(pixels)]);
    if (!m_pixels) {
        m_strError = kAllocationError;
        return false;
    }
    m_nWidth = width;
    m_nHeight = height;
    return true;
}

void CxImage::Destroy()
{
    m_pixels.reset();
    m_nWidth = 0;
    m_nHeight = 0;
}
