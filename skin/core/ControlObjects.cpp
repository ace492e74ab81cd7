#include "skin/core/ControlObjects.h"

#include "skin/core/JoinedKeys.h"
#include "skin/core/SkinStream.h"
#include "skin/core/SystemColours.h"

namespace skin {

ControlObject::ControlObject(int32_t typeId) : SkinObject(typeId), m_font(DefaultFont())
{
    Declare(kControlIdProperty, "CONTROLID", &m_controlId);
    DeclareFont("FONT", m_font);
    DeclareNumber("AUTOSKINFONT", m_autoSkinFont);
    DeclareGrid("@image", m_image);
}

void ControlObject::ExchangeOwn(RecordIo& io)
{
    if (HoldsBase(io.Minor()))
        ExchangeBase(io);
    ExchangeControl(io);
}

void ControlObject::ExchangeBase(RecordIo& io)
{
    const int minor = io.Minor();
    io.Field(m_font);
    io.Field(m_image);
    if (minor >= 4 && minor <= 7) {
        io.Reserved(16);  // a rectangle these versions kept apart from the placement
        if (io.IsReading())
            m_placement = {0, 0, 60, 30};
    }
    if (minor >= 6) {
        io.Field(m_controlId);
        if (io.IsReading() && minor == 6)
            m_controlId = 0;  // version 1.6 wrote no meaningful identifier
    }
    if (minor >= 8)
        io.Reserved(4);
    if (minor >= 10)
        io.Field(m_autoSkinFont);
}

void ControlObject::ExchangeControl(RecordIo&) {}

Button::Button() : ControlObject(kTypeButton)
{
    static const JoinedKeys keys({"NORMAL", "PRESSED", "DEFAULT", "FOCUSED", "HIGHLIGHTED", "DISABLED"},
                                 {"IMAGE", "TEXTEFFECT"});
    for (int state = 0; state < kButtonStateCount; ++state) {
        m_states[state] = {NineGridImage{}, DefaultTextEffect()};
        DeclareGrid(keys(state, 0), m_states[state].image);
        DeclareEffect(keys(state, 1), m_states[state].effect);
    }
}

void Button::ExchangeControl(RecordIo& io)
{
    for (ButtonLook& state : m_states) {
        io.Field(state.image);
        io.Field(state.effect);
        io.Reserved(16);
    }
    io.Reserved(50 + 4);
    if (io.Minor() <= 6) {
        io.Field(m_font);  // before 1.7 the font came here, without the control base
        io.Reserved(8);
    } else {
        io.Reserved(4);
    }
    if (io.IsReading() && io.Minor() <= 8) {
        for (ButtonLook& state : m_states)
            state.effect = DefaultTextEffect(m_font.textColour);
    }
}

CheckControl::CheckControl(int32_t typeId) : ControlObject(typeId)
{
    static const JoinedKeys keys({"NORMAL", "SELECTED", "DISABLED", "GRAYEDNORMAL", "GRAYEDSELECTED",
                                  "HIGHLIGHTEDNORMAL", "HIGHLIGHTEDSELECTED"},
                                 {"BACKGROUNDIMAGE", "BOXIMAGE", "TEXTEFFECT"});
    DeclareNumber("TRANSPARENT", m_transparent);
    for (int state = 0; state < kCheckStateCount; ++state) {
        m_states[state] = {NineGridImage{}, ImageSlice{}, DefaultTextEffect()};
        DeclareGrid(keys(state, 0), m_states[state].background);
        DeclareSlice(keys(state, 1), m_states[state].box);
        DeclareEffect(keys(state, 2), m_states[state].effect);
    }
}

void CheckControl::ExchangeControl(RecordIo& io)
{
    for (CheckLook& state : m_states) {
        io.Field(state.background);
        io.Field(state.box);
        io.Field(state.effect);
        io.Reserved(16);
    }
    io.Reserved(50);
    io.Field(m_transparent);
    if (io.IsReading() && io.Minor() <= 8) {
        for (CheckLook& state : m_states)
            state.effect = DefaultTextEffect();
        m_transparent = 0;
    }
}

GroupBox::GroupBox()
    : ControlObject(kTypeGroupBox), m_captionColour(SystemColour(kSysButtonText)), m_effect(DefaultTextEffect())
{
    DeclareNumber("TRANSPARENT", m_transparent);
    DeclareGrid("FRAMEIMAGE", m_image);
    DeclareGrid("CAPTIONIMAGE", m_captionImage);
    DeclareColour("CAPTIONCOLOR", m_captionColour);
    DeclareEffect("TEXTEFFECT", m_effect);
}

void GroupBox::ExchangeControl(RecordIo& io)
{
    io.Field(m_captionImage);
    io.Field(m_captionColour);
    io.Field(m_effect);
    io.Field(m_transparent);
    if (io.IsReading() && io.Minor() <= 8) {
        m_effect = DefaultTextEffect();
        m_transparent = 0;
    }
}

Static::Static() : ControlObject(kTypeStatic), m_effect(DefaultTextEffect())
{
    DeclareGrid("BACKIMAGE", m_image);
    DeclareNumber("TRANSPARENT", m_transparent);
    DeclareColour("BACKCOLOR", m_backColour);
    DeclareEffect("TEXTEFFECT", m_effect);
    DeclareEffect("@disabledeffect", m_disabledEffect);
}

void Static::ExchangeControl(RecordIo& io)
{
    io.Field(m_transparent);
    io.Field(m_effect);
    io.Reserved(51);
    if (io.IsReading() && io.Minor() <= 8)
        m_effect = DefaultTextEffect(m_font.textColour);
    if (io.Minor() >= 16)
        io.Field(m_disabledEffect);
}

ComboBox::ComboBox(int32_t typeId)
    : ControlObject(typeId),
      m_focusTextColour(SystemColour(kSysHighlightText)),
      m_focusColour(SystemColour(kSysHighlight)),
      m_disabledBackground(SystemColour(kSysButtonFace)),
      m_disabledText(SystemColour(kSysGrayText))
{
    m_backColour = SystemColour(kSysWindow);
    m_textColour = SystemColour(kSysWindowText);
    DeclareGrid("THUMB.NORMAL", m_thumbs[kThumbNormal]);
    DeclareGrid("THUMB.PRESSED", m_thumbs[kThumbPressed]);
    DeclareGrid("THUMB.HOVERED", m_thumbs[kThumbHovered]);
    DeclareGrid("THUMB.DISABLED", m_thumbs[kThumbDisabled]);
    DeclareColour("COLOR.FOCUSTEXTCOLOR", m_focusTextColour);
    DeclareColour("COLOR.FOCUS", m_focusColour);
    DeclareColour("COLOR.BACKCOLOR", m_backColour);
    DeclareColour("COLOR.TEXTCOLOR", m_textColour);
    DeclareColour("COLOR.DISABLEDBACKGROUND", m_disabledBackground);
    DeclareColour("COLOR.DISABLEDTEXT", m_disabledText);
}

// Readers of 1.9 and 1.10 files take the disabled colours from where the
// common record holds the field's colours (see below), so they are written
// there.
void ComboBox::ExchangeCommonColours(RecordIo& io)
{
    if (io.IsReading() || io.Minor() < 9 || io.Minor() > 10) {
        ControlObject::ExchangeCommonColours(io);
        return;
    }
    io.Field(m_disabledBackground);
    io.Field(m_disabledText);
}

void ComboBox::ExchangeControl(RecordIo& io)
{
    for (NineGridImage& thumb : m_thumbs)
        io.Field(thumb);
    io.Field(m_focusColour);
    if (io.Minor() >= 11) {
        io.Field(m_disabledBackground);
        io.Field(m_disabledText);
        io.Field(m_focusTextColour);
    }
    if (!io.IsReading())
        return;
    // Older skins meant other things by the two colours of the common record.
    if (io.Minor() <= 8) {
        m_backColour = SystemColour(kSysButtonFace);
        m_textColour = SystemColour(kSysButtonText);
    }
    if (io.Minor() <= 10) {
        m_disabledBackground = m_backColour;
        m_disabledText = m_textColour;
        m_backColour = SystemColour(kSysWindow);
        m_textColour = SystemColour(kSysWindowText);
    }
}

namespace {

// The field colours of a client-edge control as the system has them.
void SetSystemFieldColours(SkinObject& object)
{
    object.m_backColour = SystemColour(kSysWindow);
    object.m_textColour = SystemColour(kSysWindowText);
    object.m_thirdColour = SystemColour(kSysButtonFace);
}

}  // namespace

ClientEdgeControl::ClientEdgeControl(int32_t typeId) : ControlObject(typeId)
{
    SetSystemFieldColours(*this);
    DeclareGrid("BORDER", m_image);
    DeclareColour("DISABLEDCOLOR", m_thirdColour);
    DeclareColour("BACKCOLOR", m_backColour);
    DeclareSlice("BACKGROUND", m_background);
}

void ClientEdgeControl::ExchangeControl(RecordIo& io)
{
    io.Field(m_background);
    if (io.IsReading() && io.Minor() <= 10)
        SetSystemFieldColours(*this);
}

TreeView::TreeView()
    : ClientEdgeControl(kTypeTreeView),
      m_activeColour(SystemColour(kSysHighlight)),
      m_inactiveColour(SystemColour(kSysButtonFace)),
      m_activeText(DefaultTextEffect(SystemColour(kSysHighlightText))),
      m_inactiveText(DefaultTextEffect(SystemColour(kSysWindowText))),
      m_lineColour(SystemColour(kSysGrayText))
{
    DeclareGrid("ACTIVEITEM", m_activeItem);
    DeclareGrid("INACTIVEITEM", m_inactiveItem);
    DeclareColour("ACTIVECOLOR", m_activeColour);
    DeclareColour("INACTIVECOLOR", m_inactiveColour);
    DeclareEffect("ACTIVETEXT", m_activeText);
    DeclareEffect("INACTIVETEXT", m_inactiveText);
    DeclareSlice("OPENBUTTON", m_openButton);
    DeclareSlice("CLOSEDBUTTON", m_closedButton);
    DeclareSlice("CHECK", m_check);
    DeclareSlice("UNCHECK", m_uncheck);
    DeclareColour("LINE", m_lineColour);
}

void TreeView::ExchangeControl(RecordIo& io)
{
    ClientEdgeControl::ExchangeControl(io);
    io.Field(m_activeItem);
    io.Field(m_inactiveItem);
    io.Field(m_activeColour);
    io.Field(m_inactiveColour);
    io.Field(m_activeText);
    io.Field(m_inactiveText);
    io.Field(m_openButton);
    io.Field(m_closedButton);
    io.Field(m_check);
    io.Field(m_uncheck);
    io.Field(m_lineColour);
}

ProgressBar::ProgressBar() : ControlObject(kTypeProgressBar)
{
    m_textColour = SystemColour(kSysHighlight);
    DeclareGrid("BACKGROUND", m_image);
    DeclareGrid("PROGRESSIMAGE", m_progressImage);
    DeclareColour("BACKCOLOR", m_backColour);
    DeclareColour("PROGRESSCOLOR", m_textColour);
    DeclareNumber("STYLE", m_style);
}

void ProgressBar::ExchangeControl(RecordIo& io)
{
    io.Field(m_progressImage);
    io.Reserved(4);
    io.Field(m_style);
    io.Reserved(4);
}

Slider::Slider() : ControlObject(kTypeSlider)
{
    DeclareNumber("TRANSPARENT", m_transparent);
    DeclareGrid("BACKGROUND", m_image);
    DeclareGrid("CHANNEL", m_channel);
    DeclareGrid("THUMB.VERTICAL", m_thumbVertical);
    DeclareGrid("THUMB.HORIZONTAL", m_thumbHorizontal);
}

void Slider::ExchangeControl(RecordIo& io)
{
    io.Field(m_thumbHorizontal);
    io.Reserved(5 * 4);
    io.Field(m_channel);
    if (io.Minor() >= 9) {
        io.Field(m_transparent);
        io.Field(m_thumbVertical);
    }
}

ScrollBar::ScrollBar() : ControlObject(kTypeScrollBar)
{
    static const JoinedKeys keys(
        {"NORMAL", "PRESSED", "HIGHLIGHTED", "DISABLED", "VNORMAL", "VPRESSED", "VHIGHLIGHTED", "VDISABLED"},
        {"ARROW1", "ARROW2", "SCROLLBAR", "THUMB"});
    for (int state = 0; state < kScrollStateCount; ++state) {
        DeclareSlice(keys(state, 0), m_states[state].arrow1);
        DeclareSlice(keys(state, 1), m_states[state].arrow2);
        DeclareGrid(keys(state, 2), m_states[state].bar);
        DeclareGrid(keys(state, 3), m_states[state].thumb);
    }
    DeclareSlice("GRIPPER", m_gripper);
}

namespace {

void ExchangeScrollStates(RecordIo& io, ScrollBarLook* states, int count)
{
    for (int state = 0; state < count; ++state) {
        io.Field(states[state].arrow1);
        io.Field(states[state].arrow2);
        io.Field(states[state].bar);
        io.Field(states[state].thumb);
    }
}

}  // namespace

void ScrollBar::ExchangeControl(RecordIo& io)
{
    ExchangeScrollStates(io, &m_states[kScrollNormal], 4);
    io.Field(m_gripper);
    io.Reserved(20);
    if (io.Minor() >= 12)
        ExchangeScrollStates(io, &m_states[kScrollVNormal], 4);
}

StatusBar::StatusBar() : ControlObject(kTypeStatusBar), m_itemFont(DefaultFont())
{
    DeclareGrid("BACKIMAGE", m_image);
    DeclareGrid("ITEM.ITEMIMAGE", m_itemImage);
    DeclareFont("ITEM.FONT", m_itemFont);
}

void StatusBar::ExchangeControl(RecordIo& io)
{
    io.Field(m_itemImage);
    io.Field(m_itemFont);
}

Tab::Tab() : ControlObject(kTypeTab)
{
    static const JoinedKeys keys({"NORMAL", "PRESSED", "DISABLED", "HOVERED"}, {"TABIMAGE", "TEXTEFFECT"});
    DeclareNumber("TRANSpARENT", m_transparent);
    DeclareGrid("BACKGROUND", m_image);
    DeclareGrid("FRAME", m_frame);
    for (int state = 0; state < kTabStateCount; ++state) {
        m_states[state] = {NineGridImage{}, DefaultTextEffect()};
        DeclareGrid(keys(state, 0), m_states[state].image);
        DeclareEffect(keys(state, 1), m_states[state].effect);
    }
}

void Tab::ExchangeControl(RecordIo& io)
{
    io.Field(m_transparent);
    io.Field(m_frame);
    for (TabLook& state : m_states) {
        io.Field(state.image);
        io.Field(state.effect);
    }
}

Spin::Spin() : ControlObject(kTypeSpin)
{
    static const JoinedKeys keys({"VERTICAL.NORMAL", "VERTICAL.HOVER", "VERTICAL.PRESSED", "VERTICAL.DISABLED",
                                  "HORIZONTAL.NORMAL", "HORIZONTAL.HOVER", "HORIZONTAL.PRESSED",
                                  "HORIZONTAL.DISABLED"},
                                 {"UP", "DOWN"});
    for (int direction = 0; direction < kSpinDirectionCount; ++direction) {
        for (int state = 0; state < kSpinStateCount; ++state) {
            const int row = direction * kSpinStateCount + state;
            DeclareSlice(keys(row, 0), m_arrows[direction][state].up);
            DeclareSlice(keys(row, 1), m_arrows[direction][state].down);
        }
    }
}

void Spin::ExchangeControl(RecordIo& io)
{
    for (SpinArrows(&direction)[kSpinStateCount] : m_arrows) {
        for (SpinArrows& arrows : direction) {
            io.Field(arrows.up);
            io.Field(arrows.down);
        }
    }
}

Rebar::Rebar() : ControlObject(kTypeRebar)
{
    DeclareGrid("BACKGROUND", m_image);
    DeclareGrid("BANDIMAGE", m_bandImage);
}

void Rebar::ExchangeControl(RecordIo& io)
{
    io.Field(m_bandImage);
}

Header::Header() : ControlObject(kTypeHeader), m_effect(DefaultTextEffect())
{
    DeclareGrid("BACKGROUND", m_image);
    DeclareGrid("ITEM", m_item);
    DeclareEffect("TEXTEFFECT", m_effect);
}

void Header::ExchangeControl(RecordIo& io)
{
    io.Field(m_item);
    io.Field(m_effect);
}

Animate::Animate() : ControlObject(kTypeAnimate)
{
    SetName("AnimateCtrl32");
    DeclareSlice("BACKGROUND", m_background);
    DeclareGrid("BORDER", m_image);
}

void Animate::ExchangeControl(RecordIo& io)
{
    io.Field(m_background);
}

}  // namespace skin
