// libFuzzer entry point for the image decoder: any bytes, under every
// format code, must decode or fail without a crash, leak or stray access.
#include "skin/image/CxImage.h"

#include <cstddef>
#include <cstdint>

// The same paths as the real ceiling, but inputs that reach it cost
// kilobytes instead of megabytes, so many more of them run.
constexpr uint64_t kFuzzCeiling = 1 << 20;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (uint32_t format : {CxImage::kFormatUnknown, CxImage::kFormatBmp, CxImage::kFormatTga}) {
        const CxImage image(data, size, format, kFuzzCeiling);
        if (image.IsValid() == image.GetLastError().empty())
            continue;
        __builtin_trap();  // a result must be either pixels or a reason
    }
    return 0;
}
