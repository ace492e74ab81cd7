// Object type ids and names, and the statuses of reading a skin file.
#pragma once

#include <cstdint>
#include <string>

namespace skin {

enum SkinTypeId : int32_t {
    kTypeNone = 0,
    kTypeFrameWnd = 1,
    kTypeShapeWnd = 2,
    kTypeCaptionButton = 3,
    kTypeButton = 4,
    kTypeCheckBox = 5,
    kTypeComboBox = 6,
    kTypeEdit = 7,
    kTypeGroupBox = 8,
    kTypeListBox = 9,
    kTypeProgressBar = 10,
    kTypeRadio = 11,
    kTypeScrollBar = 12,
    kTypeSlider = 13,
    kTypeStatic = 14,
    kTypeStatusBar = 15,
    kTypeTab = 16,
    kTypePopupMenu = 17,
    kTypeImage = 18,
    kTypeVoice = 19,
    kTypeMenuBar = 20,
    kTypeMenuItem = 21,
    kTypeArea = 22,
    kTypeToolBar = 23,
    kTypeControlBar = 24,
    kTypeApplication = 25,
    kTypeScrollControl = 26,
    kTypeSpin = 27,
    kTypeListView = 28,
    kTypeTreeView = 29,
    kTypeRichEdit = 30,
    kTypeDateTime = 31,
    kTypeIPAddress = 32,
    kTypeComboBoxEx = 33,
    kTypeHotKey = 34,
    kTypeMonthCalendar = 35,
    kTypeRebar = 36,
    kTypeHeader = 37,
    kTypeCaptionStatic = 38,
    kTypeImageList = 39,
    kTypeAnimate = 40,
    kTypeLinkWnd = 41,
    kTypeTooltip = 42,
    kTypeTooltipAnchor = 43,
    kTypeSysColorTable = 44,
    kTypeUnnamedControl = 100,  // a control-base object without a type name
};

// The type name of an id ("FrameWnd", "ToolBar"...), or nullptr for an id
// without a name (100 and ids outside the table).
const char* TypeName(int32_t typeId);

// The id of a type name, compared exactly; -1 when there is none.
int32_t TypeIdFromName(const std::string& name);

// Why the last read of a skin failed (0 when it did not).
enum SkinStatus : int32_t {
    kSkinOk = 0,
    kSkinFileUnreadable = 4,  // the file could not be opened or read
    kSkinBodyBroken = 5,      // the body could not be decompressed to the announced length
    kSkinHeaderShort = 6,     // fewer than 188 bytes of header
    kSkinVersionRefused = 7,  // wrong signature or a version other than 1.0 to 1.16
    kSkinTooLarge = 8,        // the skin holds more than SkinLimits.h allows
};

}  // namespace skin
