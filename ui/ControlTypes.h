// The program's own control classes are not merged yet: the main dialog binds
// the standard wrappers in their place until they are.
#pragma once

#include "controls/MediaListCtrl.h"
#include "framework/StandardControls.h"

#include <string>

using ImageButton = CButtonWnd;
using ProgressBar = CProgressWnd;
using MediaList = CMediaListCtrl;

// Plain text until the link control is merged: the target is kept, not opened.
class LinkLabel : public CStaticWnd {
public:
    void SetLinkTarget(const char* target) { m_strTarget = target; }

private:
    std::string m_strTarget;
};
