#include "skin/core/FrameObjects.h"

#include "skin/core/JoinedKeys.h"
#include "skin/core/SkinStream.h"
#include "skin/core/SystemColours.h"

namespace skin {

namespace {

// The parts of a 276 x 160 design frame: a 30-pixel top row split at 86
// and 173, 10-pixel sides and a 12-pixel bottom row.
constexpr SkinRect kDesignLayout[kFramePartCount] = {
    {0, 0, 86, 30},    {86, 0, 173, 30},    {173, 0, 276, 30},
    {0, 30, 10, 148},  {10, 30, 266, 148},  {266, 30, 276, 148},
    {0, 148, 10, 160}, {10, 148, 266, 160}, {266, 148, 276, 160},
};

// Unkeyed names of the frame-base values.
const JoinedKeys& FrameFieldNames()
{
    static const JoinedKeys names({"@active", "@inactive", "@layout"},
                                  {"TOPLEFT", "TOP", "TOPRIGHT", "LEFT", "CLIENT", "RIGHT", "BOTTOMLEFT",
                                   "BOTTOM", "BOTTOMRIGHT"});
    return names;
}

// The declared keys of the frame parts; the odd capitals are the keys'.
const JoinedKeys& FrameKeys()
{
    static const JoinedKeys keys({"ACTIVEFRAME", "DEACTIVEFRAME", "FRAME"},
                                 {"TOPLEFT", "MIDDLETOP", "TOPRIGHT", "MIDDLELEFT", "ClIENT", "MIDDLERIGHT",
                                  "BOTTOMLEFt", "BOTTOMMIDDLE", "BOTtoMRIGHT", "COLOR"});
    return keys;
}
constexpr size_t kFrameColourKey = kFramePartCount;

}  // namespace

FrameObject::FrameObject(int32_t typeId)
    : SkinObject(typeId), m_captionFont(DefaultFont()), m_captionEffect(DefaultTextEffect())
{
    const JoinedKeys& names = FrameFieldNames();
    for (int part = 0; part < kFramePartCount; ++part) {
        m_layout[part] = kDesignLayout[part];
        DeclareSlice(names(0, part), m_active[part]);
    }
    for (int part = 0; part < kFramePartCount; ++part)
        DeclareSlice(names(1, part), m_inactive[part]);
    for (int part = 0; part < kFramePartCount; ++part)
        DeclareRect(names(2, part), m_layout[part]);
    DeclareFont("@captionfont", m_captionFont);
    DeclareColour("@active.color", m_activeColour);
    DeclareColour("@inactive.color", m_inactiveColour);
    DeclareColour("@client.color", m_clientColour);
    DeclareEffect("@captioneffect", m_captionEffect);
    DeclareGrid("@minimized.active", m_minimizedActive);
    DeclareGrid("@minimized.inactive", m_minimizedInactive);
}

void FrameObject::DeclareFrameKeys(FrameKeyRow row, ImageSlice (&slices)[kFramePartCount], Colour& colour)
{
    for (int part = 0; part < kFramePartCount; ++part)
        DeclareSlice(FrameKeys()(row, part), slices[part]);
    DeclareColour(FrameKeys()(row, kFrameColourKey), colour);
}

void FrameObject::ExchangeOwn(RecordIo& io)
{
    for (ImageSlice& slice : m_active)
        io.Field(slice);
    for (ImageSlice& slice : m_inactive)
        io.Field(slice);
    for (SkinRect& rect : m_layout)
        io.Field(rect);
    io.Field(m_captionFont);
    io.Reserved(8);
    io.Field(m_activeColour);
    io.Field(m_inactiveColour);
    io.Field(m_clientColour);
    if (io.Minor() >= 3) {
        io.Field(m_captionEffect);
        if (io.IsReading() && io.Minor() <= 8)
            m_captionEffect = DefaultTextEffect();
    }
    if (io.Minor() >= 13) {
        io.Field(m_minimizedActive);
        io.Field(m_minimizedInactive);
    }
}

FrameWnd::FrameWnd() : FrameObject(kTypeFrameWnd)
{
    DeclareFrameKeys(kActiveFrameKeys, m_active, m_activeColour);
    DeclareFrameKeys(kInactiveFrameKeys, m_inactive, m_inactiveColour);
    DeclareFont("CAPTIONFONT", m_captionFont);
    DeclareNumber("SKINCLIENT", m_skinClient);
    DeclareSlice("MDICLIENT", m_mdiClient);
}

void FrameWnd::ExchangeOwn(RecordIo& io)
{
    FrameObject::ExchangeOwn(io);
    // An embedded object that means nothing to a frame: read over (with
    // its children) and dropped; written as an empty ShapeWnd record.
    int32_t embeddedType = kTypeShapeWnd;
    io.Field(embeddedType);
    SkinObject embedded(kTypeShapeWnd);
    embedded.Exchange(io);
    if (io.Minor() >= 6) {
        io.Field(m_skinClient);
        io.Field(m_mdiClient);
    }
}

PopupMenu::PopupMenu()
    : FrameObject(kTypePopupMenu),
      m_itemText{DefaultTextEffect(SystemColour(kSysMenuText)), DefaultTextEffect(SystemColour(kSysGrayText)),
                 DefaultTextEffect(SystemColour(kSysHighlightText))},
      m_itemActiveColour(SystemColour(kSysHighlight)),
      m_itemSeparatorColour(SystemColour(kSysButtonShadow))
{
    DeclareFrameKeys(kPopupFrameKeys, m_active, m_activeColour);
    DeclareFont("ITEM.FONT", m_captionFont);
    DeclareColour("ITEM.ACTIVECOLOR", m_itemActiveColour);
    DeclareColour("ITEM.SEPARATORCOLOR", m_itemSeparatorColour);
    DeclareGrid("ITEM.ACTIVEIMAGE", m_itemActiveImage);
    DeclareGrid("ITEM.SEPARATORIMAGE", m_itemSeparatorImage);
    DeclareSlice("ITEM.SUBMENU", m_itemSubmenu);
    DeclareSlice("ITEM.CHECKIMAGE", m_itemCheckImage);
    DeclareEffect("@itemtext.normal", m_itemText[kMenuTextNormal]);
    DeclareEffect("@itemtext.disabled", m_itemText[kMenuTextDisabled]);
    DeclareEffect("@itemtext.active", m_itemText[kMenuTextActive]);
}

void PopupMenu::ExchangeOwn(RecordIo& io)
{
    FrameObject::ExchangeOwn(io);
    for (TextEffect& effect : m_itemText)
        io.Field(effect);
    io.Field(m_itemActiveColour);
    io.Field(m_itemSeparatorColour);
    io.Field(m_itemSeparatorImage);
    io.Field(m_itemActiveImage);
    io.Field(m_itemSubmenu);
    if (io.Minor() >= 3)
        io.Field(m_itemCheckImage);
}

CaptionElement::CaptionElement(int32_t typeId) : SkinObject(typeId)
{
    m_placement = {1, 1, 21, 21};
    DeclareNumber("ANCHOR", m_anchor);
}

CaptionButton::CaptionButton() : CaptionElement(kTypeCaptionButton)
{
    static const char* const kImageKeys[kCaptionStateCount] = {
        "NORMAL.IMAGE", "HOVER.IMAGE", "PRESSED.IMAGE", "CHECKED.IMAGE", "INACTIVE.IMAGE", "DISABLED.IMAGE"};
    DeclareNumber("ACTION", m_action);
    Declare(kControlIdProperty, "COMMANDID", &m_commandId);
    DeclareNumber("CHECKBUTTON", m_checkButton);
    for (int state = 0; state < kCaptionStateCount; ++state)
        DeclareSlice(kImageKeys[state], m_images[state]);
}

void CaptionButton::ExchangeOwn(RecordIo& io)
{
    io.Field(m_anchor);
    io.Field(m_action);
    io.Field(m_commandId);
    io.Field(m_checkButton);
    for (ImageSlice& image : m_images)
        io.Field(image);
}

CaptionStatic::CaptionStatic()
    : CaptionElement(kTypeCaptionStatic), m_font(DefaultFont()), m_effect(DefaultTextEffect())
{
    DeclareNumber("MODE", m_mode);
    DeclareNumber("ALIGN", m_align);
    DeclareFont("FONT", m_font);
    DeclareEffect("TEXTEFFECT", m_effect);
    DeclareGrid("BACKGROUND", m_background);
}

void CaptionStatic::ExchangeOwn(RecordIo& io)
{
    io.Field(m_anchor);
    io.Field(m_mode);
    io.Field(m_align);
    io.Field(m_font);
    io.Field(m_effect);
    io.Field(m_background);
}

}  // namespace skin
