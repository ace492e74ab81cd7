#include "skin/core/ControlObjects.h"
#include "skin/core/FrameObjects.h"
#include "skin/core/PlainObjects.h"

namespace skin {

SkinObjectPtr CreateSkinObject(int32_t typeId)
{
    switch (typeId) {
    case kTypeFrameWnd: return std::make_unique<FrameWnd>();
    case kTypePopupMenu: return std::make_unique<PopupMenu>();
    case kTypeTooltip: return std::make_unique<FrameObject>(typeId);
    case kTypeCaptionButton: return std::make_unique<CaptionButton>();
    case kTypeCaptionStatic: return std::make_unique<CaptionStatic>();
    case kTypeButton: return std::make_unique<Button>();
    case kTypeCheckBox:
    case kTypeRadio: return std::make_unique<CheckControl>(typeId);
    case kTypeComboBox:
    case kTypeComboBoxEx: return std::make_unique<ComboBox>(typeId);
    case kTypeEdit:
    case kTypeListBox:
    case kTypeScrollControl:
    case kTypeListView:
    case kTypeRichEdit: return std::make_unique<ClientEdgeControl>(typeId);
    case kTypeTreeView: return std::make_unique<TreeView>();
    case kTypeGroupBox: return std::make_unique<GroupBox>();
    case kTypeProgressBar: return std::make_unique<ProgressBar>();
    case kTypeScrollBar: return std::make_unique<ScrollBar>();
    case kTypeSlider: return std::make_unique<Slider>();
    case kTypeStatic: return std::make_unique<Static>();
    case kTypeStatusBar: return std::make_unique<StatusBar>();
    case kTypeTab: return std::make_unique<Tab>();
    case kTypeSpin: return std::make_unique<Spin>();
    case kTypeRebar: return std::make_unique<Rebar>();
    case kTypeHeader: return std::make_unique<Header>();
    case kTypeAnimate: return std::make_unique<Animate>();
    case kTypeToolBar:
    case kTypeControlBar:
    case kTypeDateTime:
    case kTypeMonthCalendar:
    case kTypeUnnamedControl: return std::make_unique<ControlObject>(typeId);
    case kTypeApplication: return std::make_unique<Application>();
    case kTypeImage: return std::make_unique<SkinImage>();
    case kTypeSysColorTable: return std::make_unique<SysColorTable>();
    case kTypeShapeWnd:
    case kTypeVoice:
    case kTypeImageList: return std::make_unique<SkinObject>(typeId);
    default: return nullptr;  // NONE, and the ids no file holds
    }
}

}  // namespace skin
