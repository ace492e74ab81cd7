// The last word before a shut-down: counts the seconds down and lets the
// user shut down at once or keep the computer running. Ends with IDOK when
// the computer is to shut down ("Shut down now", or nobody acted in time)
// and IDCANCEL when the user stopped it (Cancel, Esc, the close button).
#pragma once

#include "framework/Dialog.h"
#include "ui/TickSource.h"

enum class CountdownOutcome {
    NotShown,     // the dialog could not be created
    KeepRunning,  // shown, and ended by anything but the two below
    ShutDown,     // the time ran out, or "Shut down now"
};

class CShutdownCountdownDlg : public CDialogBase {
public:
    CShutdownCountdownDlg(int seconds, TickSource clock);

    // After DoModal. Only the user's choice, or the time running out, shuts
    // down: a modal loop ended by a quit message (or anything else) keeps
    // the computer running.
    CountdownOutcome Outcome() const { return m_outcome; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    // Shows the seconds left, read from the clock rather than counted, so a
    // busy machine that delivers the timer late does not stretch the wait.
    void ShowSecondsLeft();

    int m_nSeconds;
    TickSource m_clock;
    unsigned long m_startTick = 0;
    int m_nShown = -1;  // the count on screen
    CountdownOutcome m_outcome = CountdownOutcome::NotShown;
};
