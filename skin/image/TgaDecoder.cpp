// Targa streams: an 18-byte header, an identification field, an optional
// colour map, then pixels in rows from the bottom (or top) left, raw or in
// run-length packets that may cross row ends.
#include "skin/image/ImageDecoders.h"

#include <algorithm>
#include <vector>

namespace cximage {
namespace {

constexpr size_t kHeaderSize = 18;
constexpr uint32_t kMaxPacketPixels = 128;

enum ImageKind : uint8_t { kColourMapped = 1, kTrueColour = 2, kGrey = 3 };
constexpr uint8_t kRunLengthFlag = 8;

struct TgaHeader {
    uint8_t idLength;
    uint8_t colourMapType;
    uint8_t imageType;
    uint16_t mapFirst;
    uint16_t mapLength;
    uint8_t mapEntryBits;
    uint16_t width;
    uint16_t height;
    uint8_t pixelBits;
    uint8_t descriptor;

    ImageKind Kind() const { return ImageKind(imageType & 7); }
    bool RunLength() const { return (imageType & kRunLengthFlag) != 0; }
    bool TopOrigin() const { return (descriptor & 0x20) != 0; }
    bool RightOrigin() const { return (descriptor & 0x10) != 0; }
    size_t PixelBytes() const { return (pixelBits + 7) / 8; }
};

TgaHeader ReadHeader(ByteReader& in)
{
    TgaHeader h;
    h.idLength = in.U8();
    h.colourMapType = in.U8();
    h.imageType = in.U8();
    h.mapFirst = in.U16();
    h.mapLength = in.U16();
    h.mapEntryBits = in.U8();
    in.Skip(4);  // origin on screen
    h.width = in.U16();
    h.height = in.U16();
    h.pixelBits = in.U8();
    h.descriptor = in.U8();
    return h;
}

bool IsTrueColourDepth(uint8_t bits)
{
    return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

// TGA streams carry no signature: only a consistent header identifies one.
bool LooksLikeTga(const TgaHeader& h)
{
    if (h.colourMapType > 1 || (h.imageType & ~kRunLengthFlag) == 0 || (h.imageType & ~kRunLengthFlag) > kGrey)
        return false;
    if (h.colourMapType == 1 && !IsTrueColourDepth(h.mapEntryBits))
        return false;
    switch (h.Kind()) {
    case kColourMapped:
        return h.colourMapType == 1 && (h.pixelBits == 8 || h.pixelBits == 16);
    case kTrueColour:
        return IsTrueColourDepth(h.pixelBits);
    case kGrey:
        return h.pixelBits == 8;
    }
    return false;
}

uint32_t ReadColour(ByteReader& in, uint8_t bits)
{
    switch (bits) {
    case 15:
    case 16:
        return Rgb555ToBgra(in.U16());
    case 24: {
        const uint8_t blue = in.U8();
        const uint8_t green = in.U8();
        return Bgra(blue, green, in.U8());
    }
    default:
        return in.U32();  // blue, green, red, alpha: already the buffer's layout
    }
}

// Turns the stream's pixels into buffer pixels, one at a time.
class PixelReader {
public:
    PixelReader(const TgaHeader& header, std::vector<uint32_t> colourMap)
        : m_header(header), m_colourMap(std::move(colourMap)) {}

    uint32_t Read(ByteReader& in) const
    {
        switch (m_header.Kind()) {
        case kGrey: {
            const uint8_t level = in.U8();
            return Bgra(level, level, level);
        }
        case kColourMapped: {
            const uint32_t index = m_header.pixelBits == 8 ? in.U8() : in.U16();
            const uint32_t entry = index - m_header.mapFirst;
            return index >= m_header.mapFirst && entry < m_colourMap.size() ? m_colourMap[entry] : kOpaqueBlack;
        }
        default:
            return ReadColour(in, m_header.pixelBits);
        }
    }

private:
    const TgaHeader& m_header;
    std::vector<uint32_t> m_colourMap;
};

// Places the stream's pixels in order, whatever corner the image starts at.
class PixelPlacer {
public:
    PixelPlacer(const TgaHeader& header, CxImage& image) : m_header(header), m_image(image) {}

    bool Done() const { return m_nIndex >= Total(); }
    uint64_t Total() const { return uint64_t(m_header.width) * m_header.height; }
    void Put(uint32_t pixel)
    {
        const uint32_t row = uint32_t(m_nIndex / m_header.width);
        const uint32_t column = uint32_t(m_nIndex % m_header.width);
        const uint32_t y = m_header.TopOrigin() ? row : m_header.height - 1 - row;
        const uint32_t x = m_header.RightOrigin() ? m_header.width - 1 - column : column;
        m_image.Row(y)[x] = pixel;
        ++m_nIndex;
    }

private:
    const TgaHeader& m_header;
    CxImage& m_image;
    uint64_t m_nIndex = 0;
};

bool DecodePackets(ByteReader& in, const PixelReader& pixels, PixelPlacer& placer)
{
    while (!placer.Done()) {
        const uint8_t packet = in.U8();
        const uint32_t count = (packet & 0x7F) + 1u;
        const bool run = (packet & 0x80) != 0;
        const uint32_t runPixel = run ? pixels.Read(in) : 0;
        for (uint32_t i = 0; i < count && !placer.Done(); ++i)
            placer.Put(run ? runPixel : pixels.Read(in));
        if (in.Exhausted())
            return false;
    }
    return true;
}

}  // namespace

namespace {

DecodeResult ReadTgaHeader(const uint8_t* data, size_t size, TgaHeader& header)
{
    if (size < kHeaderSize)
        return DecodeResult::NotThisFormat();
    ByteReader in(data, size);
    header = ReadHeader(in);
    if (!LooksLikeTga(header))
        return DecodeResult::NotThisFormat();
    if (header.width == 0 || header.height == 0)
        return DecodeResult::Failed("TGA image without pixels");
    return DecodeResult::Decoded();
}

}  // namespace

DecodeResult MeasureTga(const uint8_t* data, size_t size, uint32_t& width, uint32_t& height)
{
    TgaHeader header = {};
    const DecodeResult read = ReadTgaHeader(data, size, header);
    width = header.width;
    height = header.height;
    return read;
}

DecodeResult DecodeTga(const uint8_t* data, size_t size, CxImage& image)
{
    TgaHeader header = {};
    const DecodeResult read = ReadTgaHeader(data, size, header);
    if (read.status != DecodeStatus::kDecoded)
        return read;
    ByteReader in(data, size);
    in.Seek(kHeaderSize + header.idLength);
    std::vector<uint32_t> colourMap;
    if (header.colourMapType == 1) {
        for (uint32_t i = 0; i < header.mapLength; ++i)
            colourMap.push_back(ReadColour(in, header.mapEntryBits));
    }
    if (in.Exhausted())
        return DecodeResult::Failed("truncated TGA colour map");
    if (!image.WithinCeiling(header.width, header.height))
        return DecodeResult::Failed(CxImage::kMaxMemoryError);
    // Even run-length data needs a byte and a pixel for every 128 pixels.
    const uint64_t pixelCount = uint64_t(header.width) * header.height;
    const uint64_t needed = header.RunLength()
                                ? (pixelCount + kMaxPacketPixels - 1) / kMaxPacketPixels * (1 + header.PixelBytes())
                                : pixelCount * header.PixelBytes();
    if (needed > in.Remaining())
        return DecodeResult::Failed("truncated TGA pixel data");
    // Every pixel is placed, or the image is dropped.
    if (!image.Create(header.width, header.height, CxImage::Start::kUnwritten))
        return DecodeResult::CreateFailed();
    const PixelReader pixels(header, std::move(colourMap));
    PixelPlacer placer(header, image);
    if (header.RunLength()) {
        if (!DecodePackets(in, pixels, placer))
            return DecodeResult::Failed("truncated TGA pixel data");
    } else {
        while (!placer.Done())
            placer.Put(pixels.Read(in));
    }
    return DecodeResult::Decoded();
}

}  // namespace cximage
