// The engine-wide state behind the engine's operations: one per process.
#pragma once

#include "services/OsFamily.h"
#include "skin/core/SkinRecords.h"
#include "skin/engine/EngineWindows.h"
#include "skin/engine/SkinSysColours.h"
#include "skin/engine/SkinWindowManager.h"

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>

namespace skin {

class SkinMenuBar;

// The thread's hooks and its last status, keyed by thread id.
struct ThreadTables {
    std::map<DWORD, HHOOK> callWndProcHooks;
    std::map<DWORD, HHOOK> keyboardHooks;
    std::map<DWORD, int> statuses;
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
    OsFamily osFamily = kOsOldNonNt;
    WNDPROC xpButtonProc = nullptr;  // the system BUTTON class procedure, on XP only
    SkinWindowManager manager;
    EngineWindowClasses windowClasses;
    std::unique_ptr<SkinTooltip> tooltip;
    std::map<HWND, std::unique_ptr<SkinMenuBar>> menuBars;
    SkinSysColours sysColours;  // the current skin's colour table, for the intercepted functions
};

EngineState& Engine();

// The calling thread's hook of each kind; null when the thread is not hooked.
HHOOK ThreadCallWndProcHook();
HHOOK ThreadKeyboardHook();

}  // namespace skin
