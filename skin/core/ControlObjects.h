// Objects of the control base: a font, a frame image, an identifier that
// ties an object to one control of a dialog, and each kind's own images.
#pragma once

#include "skin/core/SkinObject.h"

namespace skin {

class ControlObject : public SkinObject {
public:
    // A control with no fields beyond the base (ToolBar, ControlBar,
    // DateTime, MonthCalendar, type 100).
    explicit ControlObject(int32_t typeId);

    FontRecord m_font;            // "FONT"; its colour is the text colour of many kinds
    NineGridImage m_image = {};   // the control-base image; some kinds key it with their first image key
    uint32_t m_controlId = 0;     // "CONTROLID"
    int32_t m_autoSkinFont = 0;   // "AUTOSKINFONT": give the control the font made from "FONT"

protected:
    void ExchangeOwn(RecordIo& io) final;
    void ExchangeBase(RecordIo& io);
    // Whether records of this version hold the control-base fields.
    virtual bool HoldsBase(int /*minor*/) const { return true; }
    virtual void ExchangeControl(RecordIo& io);
};

enum ButtonState : int {
    kButtonNormal,
    kButtonPressed,
    kButtonDefault,
    kButtonFocused,
    kButtonHighlighted,
    kButtonDisabled,
    kButtonStateCount
};

struct ButtonLook {
    NineGridImage image;
    TextEffect effect;
};

class Button : public ControlObject {
public:
    Button();
    ButtonLook m_states[kButtonStateCount];

protected:
    bool HoldsBase(int minor) const override { return minor >= 7; }
    void ExchangeControl(RecordIo& io) override;
};

enum CheckState : int {
    kCheckNormal,
    kCheckSelected,
    kCheckDisabled,
    kCheckGrayedNormal,
    kCheckGrayedSelected,
    kCheckHighlightedNormal,
    kCheckHighlightedSelected,
    kCheckStateCount
};

struct CheckLook {
    NineGridImage background;
    ImageSlice box;
    TextEffect effect;
};

// CheckBox and Radio.
class CheckControl : public ControlObject {
public:
    explicit CheckControl(int32_t typeId);
    int32_t m_transparent = 0;
    CheckLook m_states[kCheckStateCount];

protected:
    void ExchangeControl(RecordIo& io) override;
};

class GroupBox : public ControlObject {
public:
    GroupBox();
    int32_t m_transparent = 0;
    NineGridImage m_captionImage = {};  // the frame image is the base image
    Colour m_captionColour;
    TextEffect m_effect;

protected:
    void ExchangeControl(RecordIo& io) override;
};

class Static : public ControlObject {
public:
    Static();
    int32_t m_transparent = 0;
    TextEffect m_effect;
    TextEffect m_disabledEffect = {};  // zero in skins older than 1.16

protected:
    void ExchangeControl(RecordIo& io) override;
};

enum ThumbState : int { kThumbNormal, kThumbPressed, kThumbHovered, kThumbDisabled, kThumbStateCount };

// ComboBox and ComboBoxEx. Back and text colours are the field's.
class ComboBox : public ControlObject {
public:
    explicit ComboBox(int32_t typeId);
    NineGridImage m_thumbs[kThumbStateCount] = {};
    Colour m_focusTextColour;
    Colour m_focusColour;
    Colour m_disabledBackground;
    Colour m_disabledText;

protected:
    void ExchangeCommonColours(RecordIo& io) override;
    void ExchangeControl(RecordIo& io) override;
};

// Edit, ListBox, ScrollControl, ListView and RichEdit: the base image is the
// border, the back colour the field, the third colour the disabled field.
class ClientEdgeControl : public ControlObject {
public:
    explicit ClientEdgeControl(int32_t typeId);
    ImageSlice m_background = {};

protected:
    void ExchangeControl(RecordIo& io) override;
};

class TreeView : public ClientEdgeControl {
public:
    TreeView();
    NineGridImage m_activeItem = {};
    NineGridImage m_inactiveItem = {};
    Colour m_activeColour;
    Colour m_inactiveColour;
    TextEffect m_activeText;
    TextEffect m_inactiveText;
    ImageSlice m_openButton = {};
    ImageSlice m_closedButton = {};
    ImageSlice m_check = {};
    ImageSlice m_uncheck = {};
    Colour m_lineColour;

protected:
    void ExchangeControl(RecordIo& io) override;
};

// Back colour "BACKCOLOR", text colour "PROGRESSCOLOR", base image "BACKGROUND".
class ProgressBar : public ControlObject {
public:
    ProgressBar();
    NineGridImage m_progressImage = {};
    int32_t m_style = 0;

protected:
    void ExchangeControl(RecordIo& io) override;
};

// Base image "BACKGROUND".
class Slider : public ControlObject {
public:
    Slider();
    int32_t m_transparent = 0;
    NineGridImage m_channel = {};
    NineGridImage m_thumbVertical = {};
    NineGridImage m_thumbHorizontal = {};

protected:
    void ExchangeControl(RecordIo& io) override;
};

struct ScrollBarLook {
    ImageSlice arrow1;
    ImageSlice arrow2;
    NineGridImage bar;
    NineGridImage thumb;
};

// Four horizontal states, then the same four vertical.
enum ScrollBarState : int {
    kScrollNormal,
    kScrollPressed,
    kScrollHighlighted,
    kScrollDisabled,
    kScrollVNormal,
    kScrollVPressed,
    kScrollVHighlighted,
    kScrollVDisabled,
    kScrollStateCount
};

class ScrollBar : public ControlObject {
public:
    ScrollBar();
    ScrollBarLook m_states[kScrollStateCount] = {};
    ImageSlice m_gripper = {};

protected:
    void ExchangeControl(RecordIo& io) override;
};

// Base image "BACKIMAGE".
class StatusBar : public ControlObject {
public:
    StatusBar();
    NineGridImage m_itemImage = {};
    FontRecord m_itemFont;

protected:
    void ExchangeControl(RecordIo& io) override;
};

enum TabState : int { kTabNormal, kTabPressed, kTabDisabled, kTabHovered, kTabStateCount };

struct TabLook {
    NineGridImage image;
    TextEffect effect;
};

// Base image "BACKGROUND".
class Tab : public ControlObject {
public:
    Tab();
    int32_t m_transparent = 0;
    NineGridImage m_frame = {};
    TabLook m_states[kTabStateCount];

protected:
    void ExchangeControl(RecordIo& io) override;
};

enum SpinDirection : int { kSpinVertical, kSpinHorizontal, kSpinDirectionCount };
enum SpinState : int { kSpinNormal, kSpinHover, kSpinPressed, kSpinDisabled, kSpinStateCount };

struct SpinArrows {
    ImageSlice up;
    ImageSlice down;
};

class Spin : public ControlObject {
public:
    Spin();
    SpinArrows m_arrows[kSpinDirectionCount][kSpinStateCount] = {};

protected:
    void ExchangeControl(RecordIo& io) override;
};

// Base image "BACKGROUND".
class Rebar : public ControlObject {
public:
    Rebar();
    NineGridImage m_bandImage = {};

protected:
    void ExchangeControl(RecordIo& io) override;
};

// Base image "BACKGROUND".
class Header : public ControlObject {
public:
    Header();
    NineGridImage m_item = {};
    TextEffect m_effect;

protected:
    void ExchangeControl(RecordIo& io) override;
};

// Base image "BORDER"; named "AnimateCtrl32" when new.
class Animate : public ControlObject {
public:
    Animate();
    ImageSlice m_background = {};

protected:
    void ExchangeControl(RecordIo& io) override;
};

}  // namespace skin
