// CxImage decoding of every BMP and TGA form the skin engine accepts, from
// streams made here: small pixel patterns whose decoded pixels are checked.
#include "skin/image/CxImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using Pixels = std::vector<uint32_t>;

// Decoded pixels are 0xAARRGGBB.
constexpr uint32_t R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, W = 0xFFFFFFFF, K = 0xFF000000,
                   Y = 0xFFFFFF00, O = 0;  // O: a pixel the stream leaves out
const Pixels kPattern = {R, G, B, W, K, Y};
const Pixels kSixColours = kPattern;  // palette entries 0..5

void Put16(Bytes& out, uint32_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void Put32(Bytes& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

struct BmpForm {
    uint16_t bitCount;
    uint32_t compression;
    int32_t height;
    Pixels palette;
    Bytes pixels;
    Pixels masks = {};
    uint32_t headerSize = 40;
};

// A BMP stream of width 3; masks go inside headers long enough to hold them.
Bytes MakeBmp(const BmpForm& form)
{
    Bytes info;
    Put32(info, form.headerSize);
    if (form.headerSize == 12) {
        Put16(info, 3);
        Put16(info, uint16_t(form.height));
        Put16(info, 1);
        Put16(info, form.bitCount);
    } else {
        Put32(info, 3);
        Put32(info, uint32_t(form.height));
        Put16(info, 1);
        Put16(info, form.bitCount);
        Put32(info, form.compression);
        Put32(info, uint32_t(form.pixels.size()));
        Put32(info, 2835);
        Put32(info, 2835);
        Put32(info, uint32_t(form.palette.size()));
        Put32(info, 0);
    }
    for (uint32_t mask : form.masks)
        Put32(info, mask);
    info.resize(std::max<size_t>(info.size(), form.headerSize), 0);
    for (uint32_t colour : form.palette) {
        Put16(info, colour & 0xFFFF);
        info.push_back(uint8_t(colour >> 16));
        if (form.headerSize != 12)
            info.push_back(0);
    }
    Bytes file = {'B', 'M'};
    Put32(file, uint32_t(14 + info.size() + form.pixels.size()));
    Put32(file, 0);
    Put32(file, uint32_t(14 + info.size()));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), form.pixels.begin(), form.pixels.end());
    return file;
}

// The stream with the width in its info header replaced.
Bytes WithBmpWidth(Bytes stream, uint32_t width)
{
    Bytes field;
    Put32(field, width);
    std::copy(field.begin(), field.end(), stream.begin() + 18);
    return stream;
}

struct TgaForm {
    uint8_t imageType;
    uint8_t pixelBits;
    uint8_t descriptor;  // 0x20: top-left origin
    Bytes pixels;
    Pixels colourMap = {};
    uint16_t width = 3;
    uint16_t height = 2;
};

// A TGA stream with a short identification field; colour maps are 24-bit.
Bytes MakeTga(const TgaForm& form)
{
    Bytes file = {2, uint8_t(form.colourMap.empty() ? 0 : 1), form.imageType};
    Put16(file, 0);
    Put16(file, uint16_t(form.colourMap.size()));
    file.push_back(form.colourMap.empty() ? 0 : 24);
    Put32(file, 0);
    Put16(file, form.width);
    Put16(file, form.height);
    file.push_back(form.pixelBits);
    file.push_back(form.descriptor);
    file.push_back('i');
    file.push_back('d');
    for (uint32_t colour : form.colourMap) {
        Put16(file, colour & 0xFFFF);
        file.push_back(uint8_t(colour >> 16));
    }
    file.insert(file.end(), form.pixels.begin(), form.pixels.end());
    return file;
}

struct DecodeCase {
    const char* name;
    Bytes stream;
    uint32_t format;
    Pixels expected;  // 3 x 2, top row first
};

constexpr uint32_t kBmp = CxImage::kFormatBmp;
constexpr uint32_t kTga = CxImage::kFormatTga;
// Mid-level 5- and 6-bit channels: 16 of 31 widens to 0x84, 32 of 63 to 0x82.
constexpr uint32_t kGrey555 = 0xFF848484, kGrey565 = 0xFF848284;

std::vector<DecodeCase> DecodeCases()
{
    return {
        {"BMP 1-bit", MakeBmp({1, 0, 2, {K, W}, {0x40, 0, 0, 0, 0xA0, 0, 0, 0}}), kBmp, {W, K, W, K, W, K}},
        {"BMP 4-bit", MakeBmp({4, 0, 2, kSixColours, {0x34, 0x50, 0, 0, 0x01, 0x20, 0, 0}}), kBmp, kPattern},
        {"BMP 8-bit", MakeBmp({8, 0, 2, kSixColours, {3, 4, 5, 0, 0, 1, 2, 0}}), kBmp, kPattern},
        {"BMP 8-bit top-down", MakeBmp({8, 0, -2, kSixColours, {0, 1, 2, 0, 3, 4, 5, 0}}), kBmp, kPattern},
        {"BMP 16-bit 5-5-5",
         MakeBmp({16, 0, 2, {}, {0xFF, 0x7F, 0x10, 0x42, 0xE0, 0x7F, 0, 0, 0x00, 0x7C, 0xE0, 0x03, 0x1F, 0, 0, 0}}),
         kBmp, {R, G, B, W, kGrey555, Y}},
        {"BMP 16-bit 5-6-5 bit fields",
         MakeBmp({16, 3, 2, {}, {0xFF, 0xFF, 0x10, 0x84, 0xE0, 0xFF, 0, 0, 0x00, 0xF8, 0xE0, 0x07, 0x1F, 0, 0, 0},
                  {0xF800, 0x07E0, 0x001F}}),
         kBmp, {R, G, B, W, kGrey565, Y}},
        {"BMP 24-bit", MakeBmp({24, 0, 2, {}, {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0,
                                                0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0}}),
         kBmp, kPattern},
        {"BMP 24-bit core header", MakeBmp({24, 0, 2, {}, {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0,
                                                            0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0}, {}, 12}),
         kBmp, kPattern},
        {"BMP 32-bit top-down", MakeBmp({32, 0, -2, {}, {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0,
                                                          0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0}}),
         kBmp, kPattern},
        {"BMP 32-bit bit fields with alpha, long header",
         MakeBmp({32, 3, 2, {}, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80, 0xFF, 0xFF, 0, 0xFF,
                                  0xFF, 0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0xFF, 0},
                  {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}, 124}),
         kBmp, {R, G, 0x000000FF, W, 0x80000000, Y}},
        {"BMP RLE8", MakeBmp({8, 1, 2, kSixColours, {0, 3, 3, 4, 5, 0, 0, 0, 2, 0, 1, 2, 0, 1}}), kBmp,
         {R, R, B, W, K, Y}},
        {"BMP RLE8 delta and early end", MakeBmp({8, 1, 2, kSixColours, {1, 3, 0, 2, 1, 1, 1, 5, 0, 1}}), kBmp,
         {O, O, Y, W, O, O}},
        {"BMP RLE4", MakeBmp({4, 2, 2, kSixColours, {0, 3, 0x34, 0x50, 0, 0, 3, 0x01, 0, 1}}), kBmp,
         {R, G, R, W, K, Y}},

        {"TGA 24-bit bottom-left", MakeTga({2, 24, 0, {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF,
                                                        0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0}}),
         kTga, kPattern},
        {"TGA 24-bit top-left", MakeTga({2, 24, 0x20, {0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0,
                                                        0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF}}),
         kTga, kPattern},
        {"TGA 32-bit with alpha", MakeTga({2, 32, 0x28, {0, 0, 0xFF, 0xFF, 0, 0xFF, 0, 0x80, 0xFF, 0, 0, 0,
                                                          0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0, 0xFF, 0xFF, 0xFF}}),
         kTga, {R, 0x8000FF00, 0x000000FF, W, K, Y}},
        {"TGA 16-bit", MakeTga({2, 16, 0, {0xFF, 0x7F, 0x10, 0x42, 0xE0, 0x7F, 0x00, 0x7C, 0xE0, 0x03, 0x1F, 0}}),
         kTga, {R, G, B, W, kGrey555, Y}},
        {"TGA 8-bit grey", MakeTga({3, 8, 0x20, {0x00, 0x80, 0xFF, 0x40, 0xC0, 0x20}}), kTga,
         {K, 0xFF808080, W, 0xFF404040, 0xFFC0C0C0, 0xFF202020}},
        {"TGA 8-bit colour-mapped", MakeTga({1, 8, 0x20, {0, 1, 2, 3, 4, 5}, kSixColours}), kTga, kPattern},
        {"TGA RLE 24-bit, a run across rows",
         MakeTga({10, 24, 0, {0x83, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0xFF, 0xFF, 0, 0}}), kTga, {W, R, B, W, W, W}},
        {"TGA RLE 32-bit", MakeTga({10, 32, 0x28, {0x02, 0, 0, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF, 0xFF, 0, 0, 0xFF,
                                                    0x82, 0, 0, 0, 0x40}}),
         kTga, {R, G, B, 0x40000000, 0x40000000, 0x40000000}},
        {"TGA RLE 16-bit", MakeTga({10, 16, 0, {0x82, 0xFF, 0x7F, 0x02, 0x00, 0x7C, 0xE0, 0x03, 0x1F, 0}}), kTga,
         {R, G, B, W, W, W}},
        {"TGA RLE 8-bit grey", MakeTga({11, 8, 0x20, {0x85, 0x80}}), kTga, Pixels(6, 0xFF808080)},
        {"TGA RLE 8-bit colour-mapped", MakeTga({9, 8, 0x20, {0x02, 0, 1, 2, 0x82, 3}, kSixColours}), kTga,
         {R, G, B, W, W, W}},
    };
}

Pixels DecodedPixels(const CxImage& image)
{
    return Pixels(image.GetBits(), image.GetBits() + image.GetWidth() * image.GetHeight());
}

TEST(CxImageDecode, EveryFormReadsItsPixelsWithItsOwnCodeAndWithTheUnknownCode)
{
    for (const DecodeCase& c : DecodeCases()) {
        for (uint32_t format : {c.format, uint32_t(CxImage::kFormatUnknown)}) {
            SCOPED_TRACE(testing::Message() << c.name << ", format code " << format);
            const CxImage image(c.stream.data(), c.stream.size(), format);
            ASSERT_TRUE(image.IsValid()) << image.GetLastError();
            EXPECT_EQ(3u, image.GetWidth());
            EXPECT_EQ(2u, image.GetHeight());
            EXPECT_EQ(c.expected, DecodedPixels(image));
        }
    }
}

TEST(CxImageDecode, WideTrueColourRowsReadEveryPixelInWholeWordsAndTheRestAlone)
{
    // Width 5: one group of four pixels read as three words, then a last
    // pixel whose three bytes end the stream.
    const Bytes bottom = {0, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0};
    const Bytes top = {0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0};
    Bytes pixels = bottom;
    pixels.insert(pixels.end(), top.begin(), top.end());
    const Bytes stream = WithBmpWidth(MakeBmp({24, 0, 2, {}, pixels}), 5);
    const CxImage image(stream.data(), stream.size(), kBmp);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_EQ((Pixels{R, G, B, W, K, Y, R, G, B, W}), Pixels(image.GetBits(), image.GetBits() + 10));
}

Bytes StreamOf(const std::string& name)
{
    for (const DecodeCase& c : DecodeCases()) {
        if (c.name == name)
            return c.stream;
    }
    ADD_FAILURE() << "no case " << name;
    return {};
}

Bytes Truncated(Bytes stream, size_t removed)
{
    stream.resize(stream.size() - removed);
    return stream;
}

struct FailureCase {
    const char* name;
    Bytes stream;
    uint32_t format;
    const char* error;  // nullptr: any reason will do
    uint64_t maxMemory = CxImage::kMaxMemory;
};

std::vector<FailureCase> FailureCases()
{
    const Bytes bmp24 = StreamOf("BMP 24-bit");
    const Bytes tgaRle = StreamOf("TGA RLE 24-bit, a run across rows");
    return {
        {"BMP beyond the ceiling", WithBmpWidth(MakeBmp({32, 0, 5000, {}, {}}), 5000), kBmp, CxImage::kMaxMemoryError},
        {"TGA beyond the ceiling", MakeTga({2, 24, 0, {}, {}, 65535, 65535}), kTga, CxImage::kMaxMemoryError},
        {"BMP of a ceiling of one pixel", bmp24, kBmp, CxImage::kMaxMemoryError, 4},
        {"BMP with its last row cut", Truncated(bmp24, 4), kBmp, nullptr},
        {"TGA with its last packet cut", Truncated(tgaRle, 3), kTga, nullptr},
        {"BMP read as TGA", bmp24, kTga, nullptr},
        {"TGA read as BMP", tgaRle, kBmp, nullptr},
        {"BMP without width", MakeBmp({8, 0, 0, kSixColours, {}}), kBmp, nullptr},
        {"BMP of 7 bits per pixel", MakeBmp({7, 0, 2, {}, Bytes(8)}), CxImage::kFormatUnknown, nullptr},
        {"bytes of no known format", Bytes(64, 0xA5), CxImage::kFormatUnknown, nullptr},
        {"an empty stream", Bytes(), CxImage::kFormatUnknown, nullptr},
        {"an unknown format code", bmp24, 9, nullptr},
    };
}

TEST(CxImageDecode, BrokenOrOversizedStreamsFailCleanlyWithTheirReason)
{
    for (const FailureCase& c : FailureCases()) {
        SCOPED_TRACE(c.name);
        const CxImage image(c.stream.data(), c.stream.size(), c.format, c.maxMemory);
        EXPECT_FALSE(image.IsValid());
        EXPECT_EQ(0u, image.GetWidth());
        if (c.error)
            EXPECT_EQ(c.error, image.GetLastError());
        else
            EXPECT_FALSE(image.GetLastError().empty());
    }
}

TEST(CxImageDecode, AnImageTheAddressSpaceCannotHoldReportsTheAllocationFailure)
{
    if (sizeof(void*) != 4)
        GTEST_SKIP() << "only a 32-bit process is sure to run out of address space";
    // Run-length data needs no bytes for the pixels it leaves out: 1.9 GB of
    // pixels from a 70-byte stream, under a ceiling raised out of the way.
    const Bytes stream = WithBmpWidth(MakeBmp({8, 1, 16000, kSixColours, {0, 1}}), 30000);
    const CxImage image(stream.data(), stream.size(), kBmp, uint64_t(4) << 30);
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(CxImage::kAllocationError, image.GetLastError());
}

TEST(CxImageDecode, DamagedStreamsNeverReadOutsideTheirBytes)
{
    // Every byte of every valid stream set to telling values, and every
    // stream cut at every length: decoding may fail, but never crash (a
    // native build under AddressSanitizer also catches any stray read).
    for (const DecodeCase& c : DecodeCases()) {
        for (size_t at = 0; at < c.stream.size(); ++at) {
            for (uint8_t value : {uint8_t(0x00), uint8_t(0x7F), uint8_t(0xFF)}) {
                Bytes damaged = c.stream;
                damaged[at] = value;
                const CxImage image(damaged.data(), damaged.size(), CxImage::kFormatUnknown, 1 << 16);
                EXPECT_EQ(image.IsValid(), image.GetLastError().empty());
            }
            const Bytes cut(c.stream.begin(), c.stream.begin() + at);
            const CxImage image(cut.data(), cut.size(), c.format, 1 << 16);
            EXPECT_EQ(image.IsValid(), image.GetLastError().empty());
        }
    }
}

}  // namespace
