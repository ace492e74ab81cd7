#include "ui/WindowConvertView.h"

#include "controls/PercentProgressCtrl.h"

#include <commctrl.h>

namespace {

const char* const NOTICE_CAPTION = "Info";

}  // namespace

void CWindowConvertView::Attach(HWND owner, HWND progressBar)
{
    m_hOwner = owner;
    m_hBar = progressBar;
}

void CWindowConvertView::ShowNotice(const char* text)
{
    MessageBoxA(m_hOwner, text, NOTICE_CAPTION, MB_OK | MB_ICONINFORMATION);
}

void CWindowConvertView::ShowRunFailure(const char* text)
{
    MessageBoxA(nullptr, text, NOTICE_CAPTION, MB_OK | MB_ICONERROR);
}

int CWindowConvertView::ProgressPosition()
{
    return static_cast<int>(SendMessageA(m_hBar, PBM_GETPOS, 0, 0));
}

void CWindowConvertView::SetProgressPosition(int position)
{
    SendMessageA(m_hBar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void CWindowConvertView::SetTrayTip(const char* tip) { m_tray.SetTip(tip); }

void CWindowConvertView::SetProgressTip(const char* tip)
{
    SendMessageA(m_hBar, UWM_PROGRESS_TIPTEXT, 0, reinterpret_cast<LPARAM>(tip));
}
