#include "skin/draw/SkinLook.h"

#include "skin/core/PlainObjects.h"

#include <mutex>

namespace skin {

namespace {

// What the image table keeps of a decoded image: only its bitmap.
class DecodedBitmap : public DecodedImage {
public:
    explicit DecodedBitmap(const CxImage& image) : m_bitmap(image) {}
    const CSkinBitmap& Bitmap() const { return m_bitmap; }

private:
    CSkinBitmap m_bitmap;
};

// Decoding attaches to an image that several windows may ask for at once.
std::mutex g_decodeLock;

}  // namespace

const CSkinBitmap* SkinBitmapOf(const Skin& skin, const std::string& imageName)
{
    SkinImage* image = skin.FindImage(imageName);
    if (!image)
        return nullptr;
    std::lock_guard<std::mutex> guard(g_decodeLock);
    if (!image->Decoded()) {
        const SharedBytes& encoded = image->Encoded();
        const CxImage decoded(encoded.data(), encoded.size(), image->Format());
        image->AttachDecoded(std::make_unique<DecodedBitmap>(decoded));
    }
    const CSkinBitmap& bitmap = static_cast<const DecodedBitmap*>(image->Decoded())->Bitmap();
    return bitmap ? &bitmap : nullptr;
}

ImageResolver ImagesOf(const Skin& skin)
{
    return [&skin](const std::string& name) { return SkinBitmapOf(skin, name); };
}

namespace {

const Application* ApplicationOf(const Skin& skin) { return DefaultObjectAs<Application>(skin, kTypeApplication); }

}  // namespace

COLORREF TransparentColourOf(const Skin& skin)
{
    const Application* application = ApplicationOf(skin);
    return application ? Rgb(application->m_thirdColour) : RGB(255, 0, 255);
}

bool CutsToTransparentColour(const Skin& skin)
{
    const Application* application = ApplicationOf(skin);
    return application && application->m_useTransparentColour;
}

}  // namespace skin
