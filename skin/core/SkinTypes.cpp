#include "skin/core/SkinTypes.h"

#include <cstring>

namespace skin {

namespace {

// Names of ids 0 to 44, in id order.
const char* const kTypeNames[] = {
    "NONE",         "FrameWnd",      "ShapeWnd",     "CaptionButton", "Button",        "CheckBox",
    "ComboBox",     "Edit",          "GroupBox",     "ListBox",       "ProgressBar",   "Radio",
    "ScrollBar",    "Slider",        "Static",       "StatusBar",     "Tab",           "PopupMenu",
    "Image",        "Voice",         "MenuBar",      "MenuItem",      "Area",          "ToolBar",
    "ControlBar",   "Application",   "ScrollControl", "Spin",         "ListView",      "TreeView",
    "RichEdit",     "DateTime",      "IPAddress",    "ComboBoxEx",    "HotKey",        "MonthCalendar",
    "Rebar",        "Header",        "CaptionStatic", "ImageList",    "Animate",       "LinkWnd",
    "Tooltip",      "TooltipAnchor", "SysColorTable",
};

constexpr int32_t kNamedTypes = sizeof kTypeNames / sizeof kTypeNames[0];
static_assert(kNamedTypes == kTypeSysColorTable + 1, "every id up to 44 has a name");

}  // namespace

const char* TypeName(int32_t typeId)
{
    return typeId >= 0 && typeId < kNamedTypes ? kTypeNames[typeId] : nullptr;
}

int32_t TypeIdFromName(const std::string& name)
{
    for (int32_t id = 0; id < kNamedTypes; ++id) {
        if (name == kTypeNames[id])
            return id;
    }
    return -1;
}

}  // namespace skin
