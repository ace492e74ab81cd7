#include "skin/core/PlainObjects.h"

#include "skin/core/SkinStream.h"

#include <algorithm>

namespace skin {

Application::Application() : SkinObject(kTypeApplication)
{
    m_thirdColour = MakeColour(255, 0, 255);
    DeclareText("AUTHOR", m_author, "Tessaline Builder");
    DeclareText("DESCRIPTION", m_description, "Tessaline Skin File");
    DeclareText("APPLICATION", m_application);
    DeclareNumber("USETRANSPARENTCOLOR", m_useTransparentColour);
    DeclareText("EMAIL", m_email, "support@tessaline.example");
    DeclareText("HOMEPAGE", m_homePage, "http://www.tessaline.example/");
}

void Application::ExchangeOwn(RecordIo& io)
{
    io.Field(m_author);
    io.Field(m_description);
    io.Field(m_application);
    io.Field(m_useTransparentColour);
    if (io.Minor() >= 4) {
        io.Field(m_email);
        io.Field(m_homePage);
    }
}

SkinImage::SkinImage() : SkinObject(kTypeImage) {}

void SkinImage::SetEncoded(std::vector<uint8_t> bytes, uint32_t format)
{
    m_encoded = SharedBytes(std::move(bytes));
    m_format = format;
    m_decoded.reset();
}

// The announced length may exceed what the body holds: only what is there
// is kept, so a hostile length allocates nothing.
void SkinImage::ExchangeOwn(RecordIo& io)
{
    uint32_t length = static_cast<uint32_t>(m_encoded.size());
    io.Field(length);
    io.Field(m_format);
    if (!io.IsReading()) {
        io.Writer().Write(m_encoded.data(), m_encoded.size());
        return;
    }
    m_encoded = io.Reader().Take(length);
}

SysColorTable::SysColorTable() : SkinObject(kTypeSysColorTable)
{
    static const char* const kKeys[kSystemColourCount] = {
        "SCROLLBAR",   "BACKGROUND",    "ACTIVECAPTION",       "INACTIVECAPTION",       "MENU",
        "WINDOW",      "WINDOWFRAME",   "MENUTEXT",            "WINDOWTEXT",            "CAPTIONTEXT",
        "ACTIVEBORDER", "INACTIVEBORDER", "APPWORKSPACE",      "HIGHLIGHT",             "HIGHLIGHTTEXT",
        "BTNFACE",     "BTNSHADOW",     "GRAYTEXT",            "BTNTEXT",               "INACTIVECAPTIONTEXT",
        "BTNHIGHLIGHT", "3DDKSHADOW",   "3DLIGHT",             "INFOTEXT",              "INFOBK",
        "COLOR25",     "HOTLIGHT",      "GRADIENTACTIVECAPTION", "GRADIENTINACTIVECAPTION", "MENUHILIGHT",
        "MENUBAR",
    };
    for (int index = 0; index < kSystemColourCount; ++index) {
        m_colours[index] = SystemColour(index);
        DeclareColour(kKeys[index], m_colours[index]);
    }
}

void SysColorTable::ExchangeOwn(RecordIo& io)
{
    for (Colour& colour : m_colours)
        io.Field(colour);
}

}  // namespace skin
