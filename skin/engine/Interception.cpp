#include "skin/engine/Interception.h"

#include "skin/engine/CodePatch.h"
#include "skin/engine/ImportRedirect.h"

#include <atomic>

namespace skin {

const char kSkinnedScrollBarProperty[] = "CoolSBSubclassPtr";

namespace {

constexpr size_t kFunctionCount = static_cast<size_t>(InterceptedFunction::kCount);

std::atomic<SysColourProvider*> g_colours{nullptr};
std::atomic<ScrollBarRouting*> g_routing{nullptr};

// Where each replacement reaches the system: the trampoline while code is
// patched, the system's entry point otherwise.
std::atomic<void*> g_system[kFunctionCount];

InterceptionMethod g_installed = InterceptionMethod::kNone;
CodePatch g_patches[kFunctionCount];
HMODULE g_user32Reference = nullptr;  // held while imports are redirected

template <typename Function>
Function System(InterceptedFunction function)
{
    return SystemFunction<Function>(function);
}

// Indexes outside the table answer with its first entry.
int TableIndex(int index) { return index >= 0 && index < SysColourProvider::kColourCount ? index : 0; }

DWORD WINAPI SkinnedGetSysColor(int index)
{
    COLORREF colour = 0;
    SysColourProvider* provider = g_colours.load();
    if (provider && provider->SysColour(TableIndex(index), colour))
        return colour;
    return System<decltype(&GetSysColor)>(InterceptedFunction::kGetSysColor)(index);
}

HBRUSH WINAPI SkinnedGetSysColorBrush(int index)
{
    HBRUSH brush = nullptr;
    SysColourProvider* provider = g_colours.load();
    if (provider && provider->SysColourBrush(TableIndex(index), brush))
        return brush;
    return System<decltype(&GetSysColorBrush)>(InterceptedFunction::kGetSysColorBrush)(index);
}

// One replacement per scroll-bar function, made from the routing interface's
// member: windows with skinned scroll bars go to the routing, others to the system.
template <InterceptedFunction id, typename Member, Member member>
struct RoutedScrollCall;

template <InterceptedFunction id, typename Result, typename... Args, Result (ScrollBarRouting::*member)(HWND, Args...)>
struct RoutedScrollCall<id, Result (ScrollBarRouting::*)(HWND, Args...), member> {
    using SystemCall = Result(WINAPI*)(HWND, Args...);

    static Result WINAPI Call(HWND window, Args... args)
    {
        ScrollBarRouting* routing = g_routing.load();
        if (routing && GetPropA(window, kSkinnedScrollBarProperty))
            return (routing->*member)(window, args...);
        return System<SystemCall>(id)(window, args...);
    }
};

template <InterceptedFunction id, auto member>
void* RoutedReplacement()
{
    return reinterpret_cast<void*>(&RoutedScrollCall<id, decltype(member), member>::Call);
}

struct FunctionRow {
    InterceptedFunction id;
    const char* name;
    void* replacement;
};

const FunctionRow* Rows()
{
    using F = InterceptedFunction;
    using R = ScrollBarRouting;
    static const FunctionRow rows[kFunctionCount] = {
        {F::kGetSysColor, "GetSysColor", reinterpret_cast<void*>(&SkinnedGetSysColor)},
        {F::kGetSysColorBrush, "GetSysColorBrush", reinterpret_cast<void*>(&SkinnedGetSysColorBrush)},
        {F::kEnableScrollBar, "EnableScrollBar", RoutedReplacement<F::kEnableScrollBar, &R::EnableScrollBar>()},
        {F::kGetScrollInfo, "GetScrollInfo", RoutedReplacement<F::kGetScrollInfo, &R::GetScrollInfo>()},
        {F::kGetScrollPos, "GetScrollPos", RoutedReplacement<F::kGetScrollPos, &R::GetScrollPos>()},
        {F::kGetScrollRange, "GetScrollRange", RoutedReplacement<F::kGetScrollRange, &R::GetScrollRange>()},
        {F::kSetScrollInfo, "SetScrollInfo", RoutedReplacement<F::kSetScrollInfo, &R::SetScrollInfo>()},
        {F::kSetScrollPos, "SetScrollPos", RoutedReplacement<F::kSetScrollPos, &R::SetScrollPos>()},
        {F::kSetScrollRange, "SetScrollRange", RoutedReplacement<F::kSetScrollRange, &R::SetScrollRange>()},
        {F::kShowScrollBar, "ShowScrollBar", RoutedReplacement<F::kShowScrollBar, &R::ShowScrollBar>()},
    };
    return rows;
}

size_t Index(InterceptedFunction function) { return static_cast<size_t>(function); }

// The system's entry points, looked up once, before anything is redirected.
struct EntryPoints {
    EntryPoints()
    {
        HMODULE user32 = GetModuleHandleA("User32.dll");
        for (size_t i = 0; i < kFunctionCount; ++i)
            at[i] = reinterpret_cast<void*>(GetProcAddress(user32, Rows()[i].name));
    }
    void* at[kFunctionCount];
};

void* const* SystemEntryPoints()
{
    static const EntryPoints entryPoints;
    return entryPoints.at;
}

void ReachSystemDirectly()
{
    for (size_t i = 0; i < kFunctionCount; ++i)
        g_system[i].store(SystemEntryPoints()[i]);
}

bool PatchCode()
{
    bool all = true;
    for (size_t i = 0; i < kFunctionCount; ++i) {
        if (g_patches[i].Apply(SystemEntryPoints()[i], Rows()[i].replacement))
            g_system[i].store(g_patches[i].Trampoline());
        else
            all = false;
    }
    return all;
}

bool RedirectImports()
{
    Redirect redirects[kFunctionCount];
    for (size_t i = 0; i < kFunctionCount; ++i)
        redirects[i] = {SystemEntryPoints()[i], Rows()[i].replacement};
    // Holds User32 so that the entry points stay valid while modules point at them.
    g_user32Reference = LoadLibraryA("User32.dll");
    if (StartImportRedirection(redirects, kFunctionCount))
        return true;
    FreeLibrary(g_user32Reference);
    g_user32Reference = nullptr;
    return false;
}

}  // namespace

OsFamily EngineOsFamily(const OsVersion& version)
{
    const OsFamily family = ClassifyOsFamily(version);
    return family == kOsNt4 && version.minor != 0 ? kOsOtherNt : family;
}

InterceptionMethod InterceptionMethodFor(OsFamily family)
{
    switch (family) {
    case kOsWindows98:
    case kOsWindowsMe:
        return InterceptionMethod::kImportRedirection;
    case kOsNt4:
    case kOsWindows2000:
    case kOsWindowsXp:
        return InterceptionMethod::kCodePatching;
    default:
        return InterceptionMethod::kNone;
    }
}

bool InstallInterception(OsFamily family)
{
    if (g_installed != InterceptionMethod::kNone)
        return false;
    ReachSystemDirectly();
    switch (InterceptionMethodFor(family)) {
    case InterceptionMethod::kCodePatching:
        g_installed = InterceptionMethod::kCodePatching;  // whatever was patched is undone by Remove
        return PatchCode();
    case InterceptionMethod::kImportRedirection:
        if (!RedirectImports())
            return false;
        g_installed = InterceptionMethod::kImportRedirection;
        return true;
    default:
        return true;
    }
}

void RemoveInterception()
{
    for (CodePatch& patch : g_patches)
        patch.Remove();
    if (g_installed == InterceptionMethod::kImportRedirection) {
        StopImportRedirection();
        FreeLibrary(g_user32Reference);
        g_user32Reference = nullptr;
    }
    ReachSystemDirectly();
    g_installed = InterceptionMethod::kNone;
}

InterceptionMethod InstalledInterception() { return g_installed; }

void SetSysColourProvider(SysColourProvider* provider) { g_colours.store(provider); }

void SetScrollBarRouting(ScrollBarRouting* routing) { g_routing.store(routing); }

void* SystemEntry(InterceptedFunction function)
{
    void* entry = g_system[Index(function)].load();
    return entry ? entry : SystemEntryPoints()[Index(function)];
}

}  // namespace skin
