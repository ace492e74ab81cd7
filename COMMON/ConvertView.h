// What a conversion shows its user, without naming a window: notices, the
// progress position and the tray tip. Every call is made on the thread doing
// the work (the batch worker, which also reads the encoder's output) and
// returns once the user interface has taken it in: a notice returns when it
// has been confirmed.
#pragma once

class IConvertView {
public:
    virtual ~IConvertView() = default;

    // A notice about the item being converted, owned by the main window.
    virtual void ShowNotice(const char* text) = 0;
    // A failure of the run itself rather than of the item, not tied to the
    // main window.
    virtual void ShowRunFailure(const char* text) = 0;
    // The progress position, 0 to 100 (a line beyond the duration may go further).
    virtual int ProgressPosition() = 0;
    virtual void SetProgressPosition(int position) = 0;
    // The tip of the program's tray icon; the user interface cuts it to fit.
    virtual void SetTrayTip(const char* tip) = 0;
};

// Shows nothing: a run without a view (the engine on its own, in tools and tests).
class CSilentConvertView : public IConvertView {
public:
    void ShowNotice(const char*) override {}
    void ShowRunFailure(const char*) override {}
    int ProgressPosition() override { return 0; }
    void SetProgressPosition(int) override {}
    void SetTrayTip(const char*) override {}
};
