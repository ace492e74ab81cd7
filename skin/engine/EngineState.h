// The engine-wide state behind the five operations: one per process.
#pragma once

#include "skin/core/SkinRecords.h"
#include "skin/engine/EngineWindows.h"
#include "skin/engine/SkinWindowManager.h"

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <set>

namespace skin {

class SkinMenuBar;

// The thread's hooks and its last status, keyed by thread id.
struct ThreadTables {
    std::map<DWORD, HHOOK> callWndProcHooks;
    std::map<DWORD, HHOOK> keyboardHooks;
    std::map<DWORD, int> statuses;
};

// Windows with skinned scroll bars, refreshed when a skin is loaded.
class ScrollBarWindowList {
public:
    void Add(HWND hwnd);
    void Remove(HWND hwnd);
    // Calls `visit` for every listed window that still exists; drops the others.
    template <typename Visit>
    void ForEachLiving(Visit visit);

private:
    std::mutex m_lock;
    std::set<HWND> m_windows;
};

struct EngineState {
    HINSTANCE instance = nullptr;
    volatile LONG initialised = 0;
    // Guards the thread tables and the start and stop sequences. It lives as
    // long as the process, so that a status can be recorded before any start
    // and a start on one thread cannot race a teardown on another.
    std::recursive_mutex lock;
    ThreadTables threads;
    char dialogSkinName[kTextField] = {};
    int osFamily = 0;
    WNDPROC xpButtonProc = nullptr;  // the system BUTTON class procedure, on XP only
    SkinWindowManager manager;
    EngineWindowClasses windowClasses;
    std::unique_ptr<SkinTooltip> tooltip;
    std::map<HWND, std::unique_ptr<SkinMenuBar>> menuBars;
    ScrollBarWindowList scrollBarWindows;
};

EngineState& Engine();

// The calling thread's hook of each kind; null when the thread is not hooked.
HHOOK ThreadCallWndProcHook();
HHOOK ThreadKeyboardHook();

template <typename Visit>
void ScrollBarWindowList::ForEachLiving(Visit visit)
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (auto it = m_windows.begin(); it != m_windows.end();) {
        if (!::IsWindow(*it)) {
            it = m_windows.erase(it);
            continue;
        }
        visit(*it);
        ++it;
    }
}

}  // namespace skin
