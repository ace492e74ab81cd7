#include "skin/kinds/SkinKinds.h"

#include "skin/engine/SkinnedControl.h"
#include "skin/kinds/ScrollingControl.h"

namespace skin {

std::unique_ptr<SkinnedWindow> CreateSkinnedWindow(int kind)
{
    switch (kind) {
    case KIND_FRAME: return CreateSkinnedDialog();
    case KIND_BUTTON: return CreateSkinnedButton();
    case KIND_CHECKBOX: return CreateSkinnedCheckBox();
    case KIND_RADIO: return CreateSkinnedRadio();
    case KIND_GROUPBOX: return CreateSkinnedGroupBox();
    case KIND_STATIC: return CreateSkinnedStatic();
    case KIND_LINK: return CreateSkinnedLink();
    case KIND_EDIT:
    case KIND_RICHEDIT: return CreateSkinnedEdit(kind);
    case KIND_COMBOBOX: return CreateSkinnedComboBox();
    case KIND_LISTBOX: return CreateSkinnedListBox();
    case KIND_LISTVIEW: return CreateSkinnedListView();
    case KIND_HEADER: return CreateSkinnedHeader();
    case KIND_PROGRESS: return CreateSkinnedProgressBar();
    case KIND_SLIDER: return CreateSkinnedSlider();
    case KIND_SCROLLBAR: return CreateSkinnedScrollBar();
    case KIND_SPIN: return CreateSkinnedSpin();
    case KIND_TOOLBAR: return CreateSkinnedToolBar();
    case KIND_TREEVIEW: return CreateSkinnedTreeView();
    case KIND_SCROLLCONTROL: return std::make_unique<SkinnedScrollingControl>(kind);
    // No dialog of this program holds these: they wear their object with
    // the behaviour every control shares.
    case KIND_STATUSBAR:
    case KIND_TAB:
    case KIND_CONTROLBAR:
    case KIND_DATETIME:
    case KIND_MONTHCAL:
    case KIND_REBAR:
    case KIND_ANIMATE: return std::make_unique<SkinnedControl>(kind);
    default: return nullptr;
    }
}

}  // namespace skin
