#include "skin/kinds/KindTable.h"

#include "skin/engine/SkinnedControl.h"
#include "skin/kinds/ScrollingControl.h"

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
    // "Button" windows are looked up as "GroupBox", "CheckBox", "Radio" or
    // "Button" after their style; dialogs by the dialog class.
    KindTable table = {
        {"", kTypeFrameWnd, CreateSkinnedDialog},
        {"Button", kTypeButton, CreateSkinnedButton},
        {"CheckBox", kTypeCheckBox, CreateSkinnedCheckBox},
        {"Radio", kTypeRadio, CreateSkinnedRadio},
        {"GroupBox", kTypeGroupBox, CreateSkinnedGroupBox},
        {"Static", kTypeStatic, CreateSkinnedStatic},
        {"Link Window", kTypeLinkWnd, CreateSkinnedLink},
        {"Edit", kTypeEdit, CreateSkinnedEdit},
        {"RICHEDIT", kTypeRichEdit, CreateSkinnedRichEdit},
        {"ComboBox", kTypeComboBox, CreateSkinnedComboBox},
        {"ListBox", kTypeListBox, CreateSkinnedListBox},
        {"SysListView32", kTypeListView, CreateSkinnedListView},
        {"SysHeader32", kTypeHeader, CreateSkinnedHeader},
        {"msctls_progress32", kTypeProgressBar, CreateSkinnedProgressBar},
        {"msctls_trackbar32", kTypeSlider, CreateSkinnedSlider},
        {"ScrollBar", kTypeScrollBar, CreateSkinnedScrollBar},
        {"msctls_updown32", kTypeSpin, CreateSkinnedSpin},
        {"ToolbarWindow32", kTypeToolBar, CreateSkinnedToolBar},
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
            table.push_back({std::string("AfxControlBar") + generation + flavour, kTypeControlBar,
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
