// Objects without the control base: the skin-wide settings, the entries of
// the image table and the table of system colours.
#pragma once

#include "skin/core/SharedBytes.h"
#include "skin/core/SkinObject.h"
#include "skin/core/SystemColours.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace skin {

// Skin-wide settings; the third colour is the transparent colour.
class Application : public SkinObject {
public:
    Application();

    char m_author[kTextField];
    char m_description[kTextField];
    char m_application[kTextField];
    int32_t m_useTransparentColour = 1;
    char m_email[kTextField];
    char m_homePage[kTextField];

protected:
    void ExchangeOwn(RecordIo& io) override;
};

// What the drawing side makes of an image's encoded bytes. The core only
// keeps it; the image decoder provides the implementation.
class DecodedImage {
public:
    virtual ~DecodedImage() = default;
};

enum ImageFormat : uint32_t { kImageUnknown = 0, kImageBmp = 1, kImageTga = 2 };

// An entry of the image table: the encoded image as the file holds it, and
// the decoded image once the drawing side has attached one.
class SkinImage : public SkinObject {
public:
    SkinImage();

    const SharedBytes& Encoded() const { return m_encoded; }
    uint32_t Format() const { return m_format; }
    void SetEncoded(std::vector<uint8_t> bytes, uint32_t format);

    // Absent when the image was not decoded or could not be.
    DecodedImage* Decoded() const { return m_decoded.get(); }
    void AttachDecoded(std::unique_ptr<DecodedImage> decoded) { m_decoded = std::move(decoded); }

protected:
    void ExchangeOwn(RecordIo& io) override;

private:
    SharedBytes m_encoded;  // shares the body of the file it was read from
    uint32_t m_format = kImageUnknown;
    std::unique_ptr<DecodedImage> m_decoded;
};

// Replacements for the 31 system colours, keyed by their system names.
class SysColorTable : public SkinObject {
public:
    SysColorTable();

    Colour m_colours[kSystemColourCount];

protected:
    void ExchangeOwn(RecordIo& io) override;
};

}  // namespace skin
