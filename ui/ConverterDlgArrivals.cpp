// The main window's side of files arriving from outside (ui/ArrivingFiles.h).
#include "ui/ConverterDlg.h"

#include "res/resource.h"

// Add's own state says whether the window is idle: it is enabled only once
// the start-up set-up is done and while no batch runs. A disabled window has
// a modal box open.
bool CConverterDlg::CanAddArrivedFiles() const
{
    return IsWindowEnabled(m_hWnd) && IsWindowEnabled(GetDlgItem(IDC_ADD)) && !m_sourceList.IsAdding();
}

void CConverterDlg::AddArrivedFiles(const std::vector<std::string>& paths) { m_sourceList.AddFiles(paths); }

// Out of the tray as its icon brings the window back, and in front.
void CConverterDlg::ComeToFront()
{
    ShowWindow(m_hWnd, SW_SHOWNORMAL);
    SetForegroundWindow(m_hWnd);
}
