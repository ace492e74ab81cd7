#include "ui/ShutdownCountdownDlg.h"

#include "res/resource.h"
#include "ui/Shutdown.h"

#include <utility>

namespace {

constexpr UINT_PTR COUNTDOWN_TIMER = 1;
// Several looks a second keep the count in step with the clock.
constexpr UINT COUNTDOWN_LOOK_MS = 200;

}  // namespace

CShutdownCountdownDlg::CShutdownCountdownDlg(int seconds, TickSource clock)
    : CDialogBase(IDD_SHUTDOWN_COUNTDOWN), m_nSeconds(seconds), m_clock(std::move(clock))
{
}

LRESULT CShutdownCountdownDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_TIMER && wp == COUNTDOWN_TIMER) {
        ShowSecondsLeft();
        return 0;
    }
    return CDialogBase::WindowProc(msg, wp, lp);
}

// The main window may be hidden in the tray: the question must still be
// seen, above whatever the user is doing.
BOOL CShutdownCountdownDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    m_outcome = CountdownOutcome::KeepRunning;
    m_startTick = m_clock();
    ShowSecondsLeft();
    SetTimer(m_hWnd, COUNTDOWN_TIMER, COUNTDOWN_LOOK_MS, nullptr);
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(m_hWnd);
    return TRUE;
}

void CShutdownCountdownDlg::OnOK()
{
    m_outcome = CountdownOutcome::ShutDown;
    CDialogBase::OnOK();
}

void CShutdownCountdownDlg::ShowSecondsLeft()
{
    const int left = CountdownSecondsLeft(m_nSeconds, m_clock() - m_startTick);
    if (left == 0) {
        KillTimer(m_hWnd, COUNTDOWN_TIMER);
        OnOK();
        return;
    }
    if (left != m_nShown) {
        m_nShown = left;
        SetDlgItemTextA(m_hWnd, IDC_COUNTDOWN_TEXT, ShutdownCountdownText(left).c_str());
    }
}
