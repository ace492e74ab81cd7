// Intercepts the system-colour and scroll-bar functions for the whole process,
// so that windows the engine does not draw itself (common controls, system
// dialogs) still take the skin's colours, and scroll bars the engine draws
// answer the scroll-bar functions from their own state.
#pragma once

#include "services/OsFamily.h"

#include <windows.h>

namespace skin {

enum class InterceptedFunction {
    kGetSysColor,
    kGetSysColorBrush,
    kEnableScrollBar,
    kGetScrollInfo,
    kGetScrollPos,
    kGetScrollRange,
    kSetScrollInfo,
    kSetScrollPos,
    kSetScrollRange,
    kShowScrollBar,
    kCount
};

// The system colours while a skin supplies them.
class SysColourProvider {
public:
    static constexpr int kColourCount = 31;

    virtual ~SysColourProvider() = default;
    // `index` is 0 to kColourCount - 1. False when the current skin has no
    // colour table: the system answers then.
    virtual bool SysColour(int index, COLORREF& colour) = 0;
    // The brush stays the provider's.
    virtual bool SysColourBrush(int index, HBRUSH& brush) = 0;
};

// Windows carrying this property have skinned scroll bars.
extern const char kSkinnedScrollBarProperty[];

// The state of skinned scroll bars, which answers the scroll-bar functions for
// windows carrying kSkinnedScrollBarProperty.
class ScrollBarRouting {
public:
    virtual ~ScrollBarRouting() = default;
    virtual BOOL EnableScrollBar(HWND window, UINT bars, UINT arrows) = 0;
    virtual BOOL GetScrollInfo(HWND window, int bar, SCROLLINFO* info) = 0;
    virtual int GetScrollPos(HWND window, int bar) = 0;
    virtual BOOL GetScrollRange(HWND window, int bar, int* minimum, int* maximum) = 0;
    virtual int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, BOOL redraw) = 0;
    virtual int SetScrollPos(HWND window, int bar, int position, BOOL redraw) = 0;
    virtual BOOL SetScrollRange(HWND window, int bar, int minimum, int maximum, BOOL redraw) = 0;
    virtual BOOL ShowScrollBar(HWND window, int bar, BOOL show) = 0;
};

enum class InterceptionMethod { kNone, kImportRedirection, kCodePatching };

// The family the engine intercepts by: the program's one classification,
// except that code is patched on NT 4.0 alone; another NT 4 counts with the
// unknown NT systems, on which nothing is intercepted.
OsFamily EngineOsFamily(const OsVersion& version);

InterceptionMethod InterceptionMethodFor(OsFamily family);

// Installs the interception due on `family`. True when every function is
// intercepted as planned (or nothing is due); functions that could not be
// intercepted keep their system behaviour. Install and Remove are not
// reentrant: the caller serialises them.
bool InstallInterception(OsFamily family);
// Restores patched code and import entries exactly.
void RemoveInterception();
InterceptionMethod InstalledInterception();

// Null restores the system's answers. A provider or routing must stay alive
// until it is replaced or the interception is removed.
void SetSysColourProvider(SysColourProvider* provider);
void SetScrollBarRouting(ScrollBarRouting* routing);

// The system's own function, intercepted or not: what a replacement or the
// skinned scroll-bar state calls to reach the system's behaviour.
void* SystemEntry(InterceptedFunction function);

template <typename Function>
Function SystemFunction(InterceptedFunction function)
{
    return reinterpret_cast<Function>(SystemEntry(function));
}

}  // namespace skin
