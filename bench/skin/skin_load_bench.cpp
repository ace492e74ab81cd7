// Times loading a skin file into its finished object model, every image
// decoded, against the LZO1X decompression of the same body alone, and
// prints the ratio (decompression time / load time; 1 would mean the model
// and the images cost nothing).
//   skin_load_bench SKIN.smf [ROUNDS]
#include "skin/core/PlainObjects.h"
#include "skin/core/Skin.h"
#include "skin/image/CxImage.h"

#include <minilzo.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The best time of `work` over the rounds. What the work returns is dropped
// after the clock stops: tearing a result down is not part of making it.
template <typename Work>
double BestSeconds(int rounds, Work work)
{
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        const Clock::time_point start = Clock::now();
        [[maybe_unused]] const auto result = work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// A skin read from its file with each image's bytes decoded as the engine
// does; `loaded` is false when the skin or one of its images does not load.
struct LoadedSkin {
    std::unique_ptr<skin::Skin> skin = std::make_unique<skin::Skin>();
    std::vector<CxImage> images;
    bool loaded = false;
};

std::unique_ptr<LoadedSkin> LoadDecoded(const char* path)
{
    auto result = std::make_unique<LoadedSkin>();
    if (!result->skin->ReadFile(path))
        return result;
    result->images.reserve(result->skin->Images().size());
    for (const auto& entry : result->skin->Images()) {
        const auto& image = static_cast<const skin::SkinImage&>(*entry.second);
        result->images.emplace_back(image.Encoded().data(), image.Encoded().size(), image.Format());
        if (!result->images.back().IsValid())
            return result;
    }
    result->loaded = true;
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: skin_load_bench SKIN.smf [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 200;
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (file.size() < 4 || lzo_init() != LZO_E_OK) {
        std::fprintf(stderr, "%s: not a skin file\n", argv[1]);
        return 1;
    }
    uint32_t length = 0;
    std::memcpy(&length, file.data(), 4);
    std::vector<uint8_t> body(length);

    const double decompress = BestSeconds(rounds, [&]() {
        lzo_uint produced = length;
        return lzo1x_decompress_safe(file.data() + 4, file.size() - 4, body.data(), &produced, nullptr);
    });
    bool loaded = true;
    const double load = BestSeconds(rounds, [&]() {
        auto result = LoadDecoded(argv[1]);
        loaded = loaded && result->loaded;
        return result;
    });
    if (!loaded) {
        std::fprintf(stderr, "%s: the skin or one of its images does not load\n", argv[1]);
        return 1;
    }
    std::printf("file %zu bytes, body %u bytes\n", file.size(), length);
    std::printf("decompress only: %.3f ms, load (file to object model, images decoded): %.3f ms\n",
                decompress * 1000, load * 1000);
    std::printf("ratio decompress/load: %.2f (target at least 0.50)\n", decompress / load);
    return 0;
}
