// Frames and their caption elements: FrameWnd, PopupMenu and Tooltip share
// the frame base; CaptionButton and CaptionStatic are children of a frame.
#pragma once

#include "skin/core/SkinObject.h"

namespace skin {

// The nine parts of a frame, in the order of its slices and layout.
enum FramePart : int {
    kPartTopLeft,
    kPartTop,
    kPartTopRight,
    kPartLeft,
    kPartClient,
    kPartRight,
    kPartBottomLeft,
    kPartBottom,
    kPartBottomRight,
    kFramePartCount
};

class FrameObject : public SkinObject {
public:
    // The frame base of a Tooltip (its values are all unkeyed).
    explicit FrameObject(int32_t typeId);

    ImageSlice m_active[kFramePartCount] = {};
    ImageSlice m_inactive[kFramePartCount] = {};
    SkinRect m_layout[kFramePartCount];  // in the coordinates of a design frame
    FontRecord m_captionFont;
    Colour m_activeColour = 0xFF0000;
    Colour m_inactiveColour = 0x727200;
    Colour m_clientColour = 0xFFFFFF;
    TextEffect m_captionEffect;
    NineGridImage m_minimizedActive = {};
    NineGridImage m_minimizedInactive = {};

protected:
    // Gives the nine slices of one state and the state's colour their keys:
    // "ACTIVEFRAME.TOPLEFT"..., "DEACTIVEFRAME...." or "FRAME....".
    enum FrameKeyRow : size_t { kActiveFrameKeys, kInactiveFrameKeys, kPopupFrameKeys };
    void DeclareFrameKeys(FrameKeyRow row, ImageSlice (&slices)[kFramePartCount], Colour& colour);
    void ExchangeOwn(RecordIo& io) override;
};

class FrameWnd : public FrameObject {
public:
    FrameWnd();

    int32_t m_skinClient = 1;  // paint the client background from part 4
    ImageSlice m_mdiClient = {};

protected:
    void ExchangeOwn(RecordIo& io) override;
};

// Item texts of a popup menu.
enum MenuText : int { kMenuTextNormal, kMenuTextDisabled, kMenuTextActive, kMenuTextCount };

// Its frame-base font is "ITEM.FONT", its active frame is "FRAME".
class PopupMenu : public FrameObject {
public:
    PopupMenu();

    TextEffect m_itemText[kMenuTextCount];
    Colour m_itemActiveColour;
    Colour m_itemSeparatorColour;
    NineGridImage m_itemSeparatorImage = {};
    NineGridImage m_itemActiveImage = {};
    ImageSlice m_itemSubmenu = {};
    ImageSlice m_itemCheckImage = {};

protected:
    void ExchangeOwn(RecordIo& io) override;
};

// Corner a caption element keeps its distance to when the frame is sized.
enum Anchor : int32_t {
    kAnchorTopLeft = 0,
    kAnchorBottom = 2,  // also 8
    kAnchorRight = 4,   // also 6
    kAnchorBottomRight = 5,
};

// Placement rectangle 1, 1, 21, 21 and an anchor.
class CaptionElement : public SkinObject {
public:
    int32_t m_anchor = kAnchorTopLeft;

protected:
    explicit CaptionElement(int32_t typeId);
};

enum CaptionAction : int32_t {
    kActionCommand = 0,
    kActionClose = 1,
    kActionNothing = 2,
    kActionMaximize = 3,
    kActionMinimize = 4,
    kActionSystemMenu = 5,
};

enum CaptionButtonState : int {
    kCaptionNormal,
    kCaptionHover,
    kCaptionPressed,
    kCaptionChecked,
    kCaptionInactive,  // on an inactive frame
    kCaptionDisabled,
    kCaptionStateCount
};

class CaptionButton : public CaptionElement {
public:
    CaptionButton();

    int32_t m_action = kActionCommand;
    uint32_t m_commandId = 1000;
    int32_t m_checkButton = 0;
    ImageSlice m_images[kCaptionStateCount] = {};

protected:
    void ExchangeOwn(RecordIo& io) override;
};

enum CaptionStaticMode : int32_t { kCaptionStaticPlain = 0, kCaptionStaticShowsCaption = 1 };
enum TextAlign : int32_t { kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2 };

class CaptionStatic : public CaptionElement {
public:
    CaptionStatic();

    int32_t m_mode = kCaptionStaticPlain;
    int32_t m_align = kAlignLeft;
    FontRecord m_font;
    TextEffect m_effect;
    NineGridImage m_background = {};

protected:
    void ExchangeOwn(RecordIo& io) override;
};

}  // namespace skin
