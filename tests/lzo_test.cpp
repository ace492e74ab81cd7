#include <gtest/gtest.h>

#include <minilzo.h>

#include <vector>

TEST(LzoTest, InitialisesAndRoundTripsLzo1x)
{
    ASSERT_EQ(LZO_E_OK, lzo_init());

    std::vector<unsigned char> input(64 * 1024);
    for (size_t i = 0; i < input.size(); ++i)
        input[i] = static_cast<unsigned char>((i * 7) ^ (i >> 5));

    std::vector<unsigned char> packed(input.size() + input.size() / 16 + 64 + 3);
    std::vector<unsigned char> workMemory(LZO1X_1_MEM_COMPRESS);
    lzo_uint packedSize = 0;
    ASSERT_EQ(LZO_E_OK, lzo1x_1_compress(input.data(), input.size(), packed.data(), &packedSize,
                                         workMemory.data()));
    EXPECT_LT(packedSize, input.size());

    std::vector<unsigned char> output(input.size());
    lzo_uint outputSize = output.size();
    ASSERT_EQ(LZO_E_OK, lzo1x_decompress_safe(packed.data(), packedSize, output.data(), &outputSize, nullptr));
    ASSERT_EQ(input.size(), outputSize);
    EXPECT_EQ(input, output);
}
