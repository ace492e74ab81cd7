#include "skin/kinds/KindTable.h"

#include "skin/engine/SkinnedControl.h"
#include "skin/kinds/ScrollingControl.h"

#include <commctrl.h>

#include <cstring>

namespace skin {

// The factory of each kind, defined in the kind's own file.
std::unique_ptr<SkinnedWindow> CreateSkinnedDialog();
std::unique_ptr<SkinnedWindow> CreateSkinnedButton();
std::unique_ptr<SkinnedWindow> CreateSkinnedCheckBox();
std::unique_ptr<SkinnedWindow> CreateSkinnedRadio();
std::unique_ptr<SkinnedWindow> CreateSkinnedGroupBox();
std::unique_ptr<SkinnedWindow> CreateSkinnedStatic();
std::unique_ptr<SkinnedWindow> CreateSkinnedLink();
std::unique_ptr<SkinnedWindow> CreateSkinnedEdit();
std::unique_ptr<SkinnedWindow> CreateSkinnedRichEdit();
std::unique_ptr<SkinnedWindow> CreateSkinnedComboBox();
std::unique_ptr<SkinnedWindow> CreateSkinnedListBox();
std::unique_ptr<SkinnedWindow> CreateSkinnedListView();
std::unique_ptr<SkinnedWindow> CreateSkinnedHeader();
std::unique_ptr<SkinnedWindow> CreateSkinnedProgressBar();
std::unique_ptr<SkinnedWindow> CreateSkinnedSlider();
std::unique_ptr<SkinnedWindow> CreateSkinnedScrollBar();
std::unique_ptr<SkinnedWindow> CreateSkinnedSpin();
std::unique_ptr<SkinnedWindow> CreateSkinnedToolBar();
std::unique_ptr<SkinnedWindow> CreateSkinnedTreeView();

namespace {

const char* const kControlBarPrefix = "AfxControlBar";

// Buttons are skinned after their type: push buttons, check boxes, radio
// buttons and group boxes each wear objects of their own. Owner-drawn
// buttons draw themselves, and split buttons and command links have parts
// that no skin object has a look for: the system keeps them.
int SortButton(HWND button)
{
    switch (::GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case BS_USERBUTTON:
    case BS_PUSHBOX: return kTypeButton;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: return kTypeCheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return kTypeRadio;
    case BS_GROUPBOX: return kTypeGroupBox;
    default: return kTypeNone;
    }
}

// The list of a combo box is skinned only when it belongs to a simple combo
// box; a drop-down list is the combo box's own business.
int SortComboList(HWND list)
{
    HWND combo = ::GetParent(list);
    return combo && (::GetWindowLongA(combo, GWL_STYLE) & 3) == CBS_SIMPLE ? kTypeListBox : kTypeNone;
}

// A tool bar that no skinned window holds is skinned on its own when it sits
// in a floating tool window, but not inside a rebar or a control bar.
bool ToolBarStandsAlone(HWND toolBar)
{
    HWND parent = ::GetParent(toolBar);
    if (!parent || !::GetParent(parent) || !(::GetWindowLongA(parent, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return false;
    char parentClass[32] = {};
    ::GetClassNameA(parent, parentClass, sizeof parentClass);
    return lstrcmpA(parentClass, "ReBarWindow32") != 0 &&
           std::strncmp(parentClass, kControlBarPrefix, std::strlen(kControlBarPrefix)) != 0;
}

// Kinds no dialog of this program holds: they wear their object with the
// behaviour every control, or every scrolling control, shares.
template <int Kind>
std::unique_ptr<SkinnedWindow> CreatePlainControl()
{
    return std::make_unique<SkinnedControl>(Kind);
}

template <int Kind>
std::unique_ptr<SkinnedWindow> CreatePlainScrollingControl()
{
    return std::make_unique<SkinnedScrollingControl>(Kind);
}

KindTable MakeKindTable()
{
    // "CheckBox", "Radio" and "GroupBox" are no system classes: they make
    // the factories of the kinds that "Button" windows are sorted into known.
    KindTable table = {
        {"", kTypeFrameWnd, CreateSkinnedDialog},
        {"Button", kTypeButton, CreateSkinnedButton, SortButton},
        {"CheckBox", kTypeCheckBox, CreateSkinnedCheckBox},
        {"Radio", kTypeRadio, CreateSkinnedRadio},
        {"GroupBox", kTypeGroupBox, CreateSkinnedGroupBox},
        {"Static", kTypeStatic, CreateSkinnedStatic},
        {"Link Window", kTypeLinkWnd, CreateSkinnedLink},
        {"Edit", kTypeEdit, CreateSkinnedEdit},
        {"RICHEDIT", kTypeRichEdit, CreateSkinnedRichEdit},
        {"ComboBox", kTypeComboBox, CreateSkinnedComboBox},
        {"ComboLBox", kTypeListBox, CreateSkinnedListBox, SortComboList},
        {"ListBox", kTypeListBox, CreateSkinnedListBox},
        {"SysListView32", kTypeListView, CreateSkinnedListView},
        {"SysHeader32", kTypeHeader, CreateSkinnedHeader},
        {"msctls_progress32", kTypeProgressBar, CreateSkinnedProgressBar},
        {"msctls_trackbar32", kTypeSlider, CreateSkinnedSlider},
        {"ScrollBar", kTypeScrollBar, CreateSkinnedScrollBar},
        {"msctls_updown32", kTypeSpin, CreateSkinnedSpin},
        {"ToolbarWindow32", kTypeToolBar, CreateSkinnedToolBar, nullptr, ToolBarStandsAlone},
        {"SysTreeView32", kTypeTreeView, CreateSkinnedTreeView},
        {"SysIPAddress32", kTypeScrollControl, CreatePlainScrollingControl<kTypeScrollControl>},
        {"msctls_statusbar32", kTypeStatusBar, CreatePlainControl<kTypeStatusBar>},
        {"SysTabControl32", kTypeTab, CreatePlainControl<kTypeTab>},
        {"SysDateTimePick32", kTypeDateTime, CreatePlainControl<kTypeDateTime>},
        {"SysMonthCal32", kTypeMonthCalendar, CreatePlainControl<kTypeMonthCalendar>},
        {"ReBarWindow32", kTypeRebar, CreatePlainControl<kTypeRebar>},
        {"SysAnimate32", kTypeAnimate, CreatePlainControl<kTypeAnimate>},
    };
    // The control-bar frames of two framework generations, in every build flavour.
    for (const char* generation : {"42", "70"})
        for (const char* flavour : {"", "d", "u", "ud", "s", "sd", "su", "sud"})
            table.push_back({kControlBarPrefix + std::string(generation) + flavour, kTypeControlBar,
                             CreatePlainControl<kTypeControlBar>});
    return table;
}

}  // namespace

const KindTable& SkinKindTable()
{
    static const KindTable table = MakeKindTable();
    return table;
}

}  // namespace skin
