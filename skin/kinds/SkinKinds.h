// One skinned-window class per control kind; the window manager creates
// them through CreateSkinnedWindow.
#pragma once

#include "skin/engine/SkinnedWindow.h"

#include <memory>

namespace skin {

// The object for a window of `kind` (KIND_FRAME for dialogs); null for kinds
// the engine leaves alone.
std::unique_ptr<SkinnedWindow> CreateSkinnedWindow(int kind);

// Each kind's own class, one file each.
std::unique_ptr<SkinnedWindow> CreateSkinnedDialog();
std::unique_ptr<SkinnedWindow> CreateSkinnedButton();
std::unique_ptr<SkinnedWindow> CreateSkinnedCheckBox();
std::unique_ptr<SkinnedWindow> CreateSkinnedRadio();
std::unique_ptr<SkinnedWindow> CreateSkinnedGroupBox();
std::unique_ptr<SkinnedWindow> CreateSkinnedStatic();
std::unique_ptr<SkinnedWindow> CreateSkinnedLink();
std::unique_ptr<SkinnedWindow> CreateSkinnedEdit(int kind);
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

}  // namespace skin
