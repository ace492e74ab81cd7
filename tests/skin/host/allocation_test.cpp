// A hostile file may announce 2^32 - 1 objects, children, images or image
// bytes; reading it must allocate about what the file holds, not what it
// announces.
#include "SkinSamples.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> g_watching{false};
std::atomic<size_t> g_largest{0};

}  // namespace

void* operator new(size_t size)
{
    if (g_watching && size > g_largest)
        g_largest = size;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, size_t) noexcept
{
    std::free(memory);
}

namespace {

size_t LargestAllocationWhile(const std::function<void()>& work)
{
    g_largest = 0;
    g_watching = true;
    work();
    g_watching = false;
    return g_largest;
}

TEST(SkinAllocationTest, HostileCountsAllocateLittle)
{
    for (const skintest::HostileBody& hostile : skintest::HostileBodies()) {
        const std::vector<uint8_t> file = skin::PackContainer(hostile.body);
        const size_t largest = LargestAllocationWhile([&file]() {
            skin::Skin skin;
            skin.ReadBytes(file.data(), file.size());
        });
        EXPECT_LT(largest, 64u * 1024) << hostile.name;
    }
}

TEST(SkinAllocationTest, UnreachableBodyLengthIsNotAllocated)
{
    std::vector<uint8_t> file = skin::PackContainer(std::vector<uint8_t>(1000, 0));
    file[0] = file[1] = file[2] = file[3] = 0xFF;
    skin::Skin skin;
    const size_t largest = LargestAllocationWhile([&]() { EXPECT_FALSE(skin.ReadBytes(file.data(), file.size())); });
    EXPECT_EQ(skin::kSkinBodyBroken, skin.Status());
    EXPECT_LT(largest, 64u * 1024);
}

}  // namespace
