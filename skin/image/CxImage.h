// The skin engine's decoded image: BMP and TGA streams turned into a
// top-down 32-bit pixel buffer whose bytes are blue, green, red, alpha, the
// layout of a 32-bit DIB section. Portable: no Windows call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CxImage {
public:
    enum Format : uint32_t { kFormatUnknown = 0, kFormatBmp = 1, kFormatTga = 2 };

    // No single image may need more pixel memory than this: a hostile stream
    // must not make the engine allocate absurd amounts.
    static constexpr uint64_t kMaxMemory = uint64_t(64) << 20;
    static constexpr const char* kMaxMemoryError = "CXIMAGE_MAX_MEMORY exceeded";
    static constexpr const char* kAllocationError = "CxImage::Create can't allocate memory";

    explicit CxImage(uint64_t maxMemory = kMaxMemory) : m_maxMemory(maxMemory) {}
    // Decodes `size` bytes at `data` as `format` (kFormatUnknown tries BMP,
    // then TGA). On failure the image is empty and GetLastError says why.
    CxImage(const uint8_t* data, size_t size, uint32_t format, uint64_t maxMemory = kMaxMemory);

    // The pixels decoding these bytes would make at most, from their
    // headers alone; 0 when they are no image of the format.
    static uint64_t PixelsOf(const uint8_t* data, size_t size, uint32_t format);

    // How a new image's pixels start: zero, or left for a caller that
    // writes every one of them anyway.
    enum class Start { kZeroed, kUnwritten };

    // Makes a width x height image; false, with the reason in GetLastError,
    // when it would pass the memory ceiling or memory runs out.
    bool Create(uint32_t width, uint32_t height, Start start = Start::kZeroed);
    // Whether a width x height image stays under this image's memory ceiling.
    bool WithinCeiling(uint32_t width, uint32_t height) const;

    bool IsValid() const { return m_pixels != nullptr; }
    uint32_t GetWidth() const { return m_nWidth; }
    uint32_t GetHeight() const { return m_nHeight; }
    const std::string& GetLastError() const { return m_strError; }

    // Pixels as 0xAARRGGBB values, top row first, GetWidth() per row.
    const uint32_t* GetBits() const { return m_pixels.get(); }
    uint32_t* Row(uint32_t y) { return m_pixels.get() + size_t(y) * m_nWidth; }

private:
    void Destroy();

    uint64_t m_maxMemory;
    uint32_t m_nWidth = 0;
    uint32_t m_nHeight = 0;
    std::unique_ptr<uint32_t[]> m_pixels;  // m_nWidth * m_nHeight, null when empty
    std::string m_strError;
};
