// A hostile file may announce 2^32 - 1 objects, children, images or image
// bytes; reading it must allocate about what the file holds, not what it
// announces.
#include "SkinSamples.h"

#include "skin/core/PlainObjects.h"
#include "skin/core/SkinLimits.h"
#include "skin/core/SkinTitle.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <new>

namespace {

std::atomic<bool> g_watching{false};
std::atomic<size_t> g_largest{0};
std::atomic<size_t> g_live{0};
std::atomic<size_t> g_peak{0};

}  // namespace

void* operator new(size_t size)
{
    if (g_watching && size > g_largest)
        g_largest = size;
    void* memory = std::malloc(size ? size : 1);
    if (!memory)
        throw std::bad_alloc();
    const size_t live = g_live += malloc_usable_size(memory);
    if (live > g_peak)
        g_peak = live;
    return memory;
}

void operator delete(void* memory) noexcept
{
    g_live -= malloc_usable_size(memory);
    std::free(memory);
}

void operator delete(void* memory, size_t) noexcept
{
    g_live -= malloc_usable_size(memory);
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

// The most memory held at once while `work` runs, beyond what was held before.
size_t PeakMemoryWhile(const std::function<void()>& work)
{
    const size_t before = g_live;
    g_peak = before;
    work();
    return g_peak - before;
}

constexpr size_t kMegabyte = size_t(1) << 20;

// A file of `bytes` in the test's scratch folder, gone with the object.
struct ScratchFile {
    ScratchFile(const char* name, const std::vector<uint8_t>& bytes) : path(::testing::TempDir() + name)
    {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    ~ScratchFile() { std::remove(path.c_str()); }
    const std::string path;
};

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

// Files of many tiny objects, each past a limit: a million top-level ones
// in a 5 MB file, and a body of the longest length a skin may have. Both
// are refused holding a few tens of megabytes at most.
TEST(SkinAllocationTest, FilesOfManyTinyObjectsAreRefusedWithLittleMemory)
{
    using skintest::TinyObjectsBody;
    std::vector<uint8_t> longest = TinyObjectsBody(skin::kMaxBodyBytes / 130, skintest::TinyPlace::kTopLevel);
    longest.resize(skin::kMaxBodyBytes);
    const ScratchFile files[] = {
        {"million.smf", skin::PackContainer(TinyObjectsBody(1000000, skintest::TinyPlace::kTopLevel))},
        {"longest.smf", skin::PackContainer(longest)},
    };
    for (const ScratchFile& file : files) {
        skin::Skin skin;
        const size_t peak = PeakMemoryWhile([&] { EXPECT_FALSE(skin.ReadFile(file.path)) << file.path; });
        EXPECT_EQ(skin::kSkinTooLarge, skin.Status()) << file.path;
        EXPECT_LT(peak, 32 * kMegabyte) << file.path;
    }
}

// The Skin menu's reader names a skin from the start of its file: a body
// of many megabytes of image behind the objects is never unpacked.
TEST(SkinAllocationTest, TheTitleComesFromTheStartOfTheFile)
{
    skin::Skin named;
    auto application = skin::CreateSkinObject(skin::kTypeApplication);
    application->SetName("Application");
    std::strcpy(static_cast<skin::Application&>(*application).m_application, "Gamma");
    named.AddObject(std::move(application));
    auto image = std::make_unique<skin::SkinImage>();
    image->SetEncoded(std::vector<uint8_t>(skin::kMaxBodyBytes / 2, 9), skin::kImageBmp);
    named.AddImage(std::move(image));
    const ScratchFile file("named.smf", named.WriteBytes(skin::kNewestMinor));
    const ScratchFile broken("broken.smf", std::vector<uint8_t>(40, 7));
    std::string title;
    EXPECT_LT(PeakMemoryWhile([&] { title = skin::ReadSkinTitle(file.path); }), kMegabyte);
    EXPECT_EQ("Gamma", title);
    EXPECT_EQ("", skin::ReadSkinTitle(broken.path));
}

}  // namespace
