// Windows bitmap streams: file header, a core (12-byte) or info (40 bytes
// and longer) header, palette or channel masks, then the pixel rows,
// uncompressed or run-length encoded.
#include "skin/image/ImageDecoders.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace cximage {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kAlphaBitfields = 6 };

// One colour channel of a 16- or 32-bit pixel, scaled to eight bits.
class ChannelMask {
public:
    explicit ChannelMask(uint32_t mask) : m_nMask(mask)
    {
        if (!mask)
            return;
        while (!((mask >> m_nShift) & 1))
            ++m_nShift;
        m_nMax = uint64_t(mask) >> m_nShift;
    }
    bool IsEmpty() const { return m_nMask == 0; }
    uint8_t Extract(uint32_t pixel) const
    {
        const uint64_t value = (pixel & m_nMask) >> m_nShift;
        return uint8_t((value * 255 + m_nMax / 2) / m_nMax);
    }

private:
    uint32_t m_nMask;
    unsigned m_nShift = 0;
    uint64_t m_nMax = 1;
};

struct ChannelMasks {
    ChannelMask red, green, blue, alpha;

    uint32_t ToBgra(uint32_t pixel) const
    {
        return Bgra(blue.Extract(pixel), green.Extract(pixel), red.Extract(pixel),
                    alpha.IsEmpty() ? 255 : alpha.Extract(pixel));
    }
};

struct BmpLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    bool topDown = false;
    uint16_t bitCount = 0;
    uint32_t compression = kRgb;
    uint32_t paletteSize = 0;       // entries the header announces
    size_t paletteEntryBytes = 4;   // 3 in core headers
    uint32_t masks[4] = {0x7C00, 0x03E0, 0x001F, 0};  // red, green, blue, alpha
    size_t paletteOffset = 0;
    size_t pixelOffset = 0;
};

bool IsSupportedForm(uint16_t bitCount, uint32_t compression)
{
    switch (compression) {
    case kRgb:
        return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
               bitCount == 32;
    case kRle8:
        return bitCount == 8;
    case kRle4:
        return bitCount == 4;
    case kBitfields:
    case kAlphaBitfields:
        return bitCount == 16 || bitCount == 32;
    }
    return false;
}

// Reads the headers; the failure text, or nullptr when the layout is usable.
const char* ReadLayout(ByteReader& in, BmpLayout& layout)
{
    in.Seek(10);
    const uint32_t pixelOffset = in.U32();
    const uint32_t headerSize = in.U32();
    int64_t width = 0;
    int64_t height = 0;
    uint32_t colourCount = 0;
    if (headerSize == kCoreHeaderSize) {
        width = in.U16();
        height = in.U16();
        in.U16();  // planes
        layout.bitCount = in.U16();
        layout.paletteEntryBytes = 3;
    } else if (headerSize >= kInfoHeaderSize) {
        width = in.I32();
        height = in.I32();
        in.U16();  // planes
        layout.bitCount = in.U16();
        layout.compression = in.U32();
        in.Skip(12);  // image size, resolution
        colourCount = in.U32();
        in.U32();     // important colours
    } else {
        return "unsupported BMP header";
    }
    if (in.Exhausted() || uint64_t(kFileHeaderSize) + headerSize > in.Offset() + in.Remaining())
        return "truncated BMP header";
    if (!IsSupportedForm(layout.bitCount, layout.compression))
        return "unsupported BMP pixel format";
    if (width <= 0 || height == 0)
        return "BMP image without pixels";
    layout.width = uint32_t(width);
    layout.topDown = height < 0;
    layout.height = uint32_t(std::llabs(height));

    in.Seek(kFileHeaderSize + headerSize);
    if (layout.compression == kBitfields || layout.compression == kAlphaBitfields) {
        const int maskCount = layout.compression == kAlphaBitfields ? 4 : 3;
        // Info headers of 52 bytes and more hold the masks; shorter ones are followed by them.
        if (headerSize > kInfoHeaderSize)
            in.Seek(kFileHeaderSize + kInfoHeaderSize);
        const bool headerHoldsAlpha = headerSize >= kInfoHeaderSize + 16;
        for (int i = 0; i < (headerHoldsAlpha ? 4 : maskCount); ++i)
            layout.masks[i] = in.U32();
        if (headerSize > kInfoHeaderSize)
            in.Seek(kFileHeaderSize + headerSize);
        if (in.Exhausted())
            return "truncated BMP channel masks";
    } else if (layout.bitCount == 32) {
        layout.masks[0] = 0x00FF0000;
        layout.masks[1] = 0x0000FF00;
        layout.masks[2] = 0x000000FF;
    }
    if (layout.bitCount <= 8) {
        const uint32_t maxColours = 1u << layout.bitCount;
        layout.paletteSize = colourCount == 0 ? maxColours : std::min(colourCount, maxColours);
    }
    layout.paletteOffset = in.Offset();
    const size_t paletteEnd = layout.paletteOffset + layout.paletteSize * layout.paletteEntryBytes;
    if (paletteEnd > in.Offset() + in.Remaining())
        return "truncated BMP palette";
    layout.pixelOffset = pixelOffset != 0 ? pixelOffset : paletteEnd;
    if (!in.Seek(layout.pixelOffset))
        return "truncated BMP pixel data";
    return nullptr;
}

std::vector<uint32_t> ReadPalette(const uint8_t* data, const BmpLayout& layout)
{
    // Indexes beyond the palette draw black rather than reading past it.
    std::vector<uint32_t> palette(256, kOpaqueBlack);
    for (uint32_t i = 0; i < layout.paletteSize; ++i) {
        const uint8_t* entry = data + layout.paletteOffset + i * layout.paletteEntryBytes;
        palette[i] = Bgra(entry[0], entry[1], entry[2]);
    }
    return palette;
}

uint64_t RowBytes(const BmpLayout& layout)
{
    return (uint64_t(layout.width) * layout.bitCount + 31) / 32 * 4;
}

// One row of pixels, with the pixel's reading chosen once per row rather
// than once per pixel.
template <typename PixelAt>
void FillRow(uint32_t width, uint32_t* out, PixelAt pixelAt)
{
    for (uint32_t x = 0; x < width; ++x)
        out[x] = pixelAt(x);
}

// Blue, green, red: each pixel but the row's last read as one 32-bit word
// (little-endian, as on every target) whose fourth byte, the next pixel's
// blue, the alpha replaces; the last byte by byte, so that no read passes
// the row's last pixel.
void DecodeRow24(const uint8_t* row, uint32_t width, uint32_t* out)
{
    uint32_t x = 0;
    for (; x + 1 < width; ++x, row += 3) {
        uint32_t word;
        std::memcpy(&word, row, sizeof word);
        out[x] = word | kOpaqueBlack;
    }
    for (; x < width; ++x, row += 3)
        out[x] = Bgra(row[0], row[1], row[2]);
}

void DecodeRow(const uint8_t* row, const BmpLayout& layout, const std::vector<uint32_t>& palette,
               const ChannelMasks& masks, uint32_t* out)
{
    const uint32_t width = layout.width;
    switch (layout.bitCount) {
    case 1: return FillRow(width, out, [&](uint32_t x) { return palette[(row[x / 8] >> (7 - x % 8)) & 1]; });
    case 4: return FillRow(width, out, [&](uint32_t x) { return palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 15]; });
    case 8: return FillRow(width, out, [&](uint32_t x) { return palette[row[x]]; });
    case 16:
        return FillRow(width, out, [&](uint32_t x) { return masks.ToBgra(row[2 * x] | (row[2 * x + 1] << 8)); });
    case 24: return DecodeRow24(row, width, out);
    default:
        return FillRow(width, out, [&](uint32_t x) {
            const uint8_t* p = row + 4 * x;
            return masks.ToBgra(p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24));
        });
    }
}

DecodeResult DecodeUncompressed(const uint8_t* data, size_t size, const BmpLayout& layout, CxImage& image)
{
    const uint64_t rowBytes = RowBytes(layout);
    // The last row may lack its padding.
    const uint64_t needed = rowBytes * (layout.height - 1) + (uint64_t(layout.width) * layout.bitCount + 7) / 8;
    if (needed > size - layout.pixelOffset)
        return DecodeResult::Failed("truncated BMP pixel data");
    if (!image.Create(layout.width, layout.height, CxImage::Start::kUnwritten))
        return DecodeResult::CreateFailed();
    const std::vector<uint32_t> palette = ReadPalette(data, layout);
    const ChannelMasks masks{ChannelMask(layout.masks[0]), ChannelMask(layout.masks[1]),
                             ChannelMask(layout.masks[2]), ChannelMask(layout.masks[3])};
    for (uint32_t fileRow = 0; fileRow < layout.height; ++fileRow) {
        const uint32_t y = layout.topDown ? fileRow : layout.height - 1 - fileRow;
        DecodeRow(data + layout.pixelOffset + size_t(fileRow * rowBytes), layout, palette, masks, image.Row(y));
    }
    return DecodeResult::Decoded();
}

// Writes run-length decoded pixels; pixels outside the image are dropped.
class RleCursor {
public:
    RleCursor(const BmpLayout& layout, const std::vector<uint32_t>& palette, CxImage& image)
        : m_layout(layout), m_palette(palette), m_image(image) {}

    bool Finished() const { return m_nRow >= m_layout.height; }
    void Put(uint8_t index)
    {
        if (m_nX < m_layout.width && !Finished()) {
            const uint32_t y = m_layout.topDown ? m_nRow : m_layout.height - 1 - m_nRow;
            m_image.Row(y)[m_nX++] = m_palette[index];
        }
    }
    void NextLine()
    {
        m_nX = 0;
        ++m_nRow;
    }
    void Move(uint8_t dx, uint8_t dy)
    {
        m_nX = std::min(m_nX + dx, m_layout.width);
        m_nRow = std::min(m_nRow + dy, m_layout.height);
    }
    // How many of `count` pixels still land in the current row.
    uint32_t Fitting(uint32_t count) const { return std::min(count, m_layout.width - m_nX); }

private:
    const BmpLayout& m_layout;
    const std::vector<uint32_t>& m_palette;
    CxImage& m_image;
    uint32_t m_nX = 0;
    uint32_t m_nRow = 0;  // in file order
};

// Pixel `i` of a run or literal: RLE8 holds one index per byte, RLE4 two.
uint8_t RleIndex(bool fourBit, uint8_t byte, uint32_t i)
{
    return fourBit ? ((i % 2) ? (byte & 15) : (byte >> 4)) : byte;
}

DecodeResult DecodeRunLength(const uint8_t* data, size_t size, const BmpLayout& layout, CxImage& image)
{
    if (!image.Create(layout.width, layout.height))
        return DecodeResult::CreateFailed();
    const std::vector<uint32_t> palette = ReadPalette(data, layout);
    const bool fourBit = layout.compression == kRle4;
    ByteReader in(data, size);
    in.Seek(layout.pixelOffset);
    RleCursor cursor(layout, palette, image);
    // A stream that ends early leaves the rest of the image empty.
    while (!cursor.Finished() && in.Remaining() >= 2) {
        const uint8_t count = in.U8();
        const uint8_t value = in.U8();
        if (count > 0) {
            const uint32_t fitting = cursor.Fitting(count);
            for (uint32_t i = 0; i < fitting; ++i)
                cursor.Put(RleIndex(fourBit, value, i));
            continue;
        }
        if (value == 0) {
            cursor.NextLine();
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            const uint8_t dx = in.U8();
            cursor.Move(dx, in.U8());
        } else {
            const uint32_t bytes = fourBit ? (value + 1u) / 2 : value;
            uint8_t byte = 0;
            for (uint32_t i = 0; i < value; ++i) {
                if (!fourBit || i % 2 == 0)
                    byte = in.U8();
                cursor.Put(RleIndex(fourBit, byte, i));
            }
            if (bytes % 2)
                in.U8();  // literals are padded to a 16-bit boundary
        }
    }
    return DecodeResult::Decoded();
}

}  // namespace

namespace {

DecodeResult ReadBmpLayout(const uint8_t* data, size_t size, BmpLayout& layout)
{
    if (size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M')
        return DecodeResult::NotThisFormat();
    ByteReader in(data, size);
    if (const char* error = ReadLayout(in, layout))
        return DecodeResult::Failed(error);
    return DecodeResult::Decoded();
}

}  // namespace

DecodeResult MeasureBmp(const uint8_t* data, size_t size, uint32_t& width, uint32_t& height)
{
    BmpLayout layout;
    const DecodeResult read = ReadBmpLayout(data, size, layout);
    width = layout.width;
    height = layout.height;
    return read;
}

DecodeResult DecodeBmp(const uint8_t* data, size_t size, CxImage& image)
{
    BmpLayout layout;
    const DecodeResult read = ReadBmpLayout(data, size, layout);
    if (read.status != DecodeStatus::kDecoded)
        return read;
    if (!image.WithinCeiling(layout.width, layout.height))
        return DecodeResult::Failed(CxImage::kMaxMemoryError);
    if (layout.compression == kRle8 || layout.compression == kRle4)
        return DecodeRunLength(data, size, layout, image);
    return DecodeUncompressed(data, size, layout, image);
}

}  // namespace cximage
