// Files that arrive at the main window from outside: named on the first
// start's command line, handed over by a second start (WM_COPYDATA) or
// dropped on the window (WM_DROPFILES). They wait in a queue until the
// window can take them as Add would: after the start-up set-up, never
// under a running batch, a modal box or an Add in progress. Nothing that
// arrived is dropped silently.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Posted to the window: try to add what waits.
constexpr UINT UWM_ADD_ARRIVED = WM_APP + 30;

class IArrivalOwner {
public:
    virtual ~IArrivalOwner() = default;
    // Idle, enabled, no Add under way.
    virtual bool CanAddArrivedFiles() const = 0;
    virtual void AddArrivedFiles(const std::vector<std::string>& paths) = 0;
    // A second start asked for the window: shown and in front.
    virtual void ComeToFront() = 0;
};

class CArrivingFiles {
public:
    explicit CArrivingFiles(IArrivalOwner& owner) : m_owner(owner) {}
    CArrivingFiles(const CArrivingFiles&) = delete;
    CArrivingFiles& operator=(const CArrivingFiles&) = delete;

    // Before the window exists: the files of the command line, and the mark
    // by which a second start finds this window (none when empty: a dialog
    // that is not the program's one window).
    void TakeStart(const std::vector<std::string>& files, const std::string& windowMark);
    // The window exists: it carries the mark from now on.
    void Attach(HWND window);
    // The window goes: a second start must no longer find it.
    void Detach();
    // Drops are taken only while the window is idle.
    void SetIdle(bool idle);

    // WM_COPYDATA, WM_DROPFILES, WM_ENABLE and UWM_ADD_ARRIVED; true when
    // the message was answered, with `result` its answer.
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

private:
    void Queue(const std::vector<std::string>& paths);
    void TryToAdd();
    LRESULT OnHandOver(const COPYDATASTRUCT* data);
    void OnDrop(HDROP drop);
    void PostTry() const;

    IArrivalOwner& m_owner;
    HWND m_hWnd = nullptr;
    std::string m_strMark;
    std::vector<std::string> m_pending;
};
