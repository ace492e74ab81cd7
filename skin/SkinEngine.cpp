#include "skin/SkinEngine.h"

#include "skin/core/Skin.h"
#include "skin/engine/EngineState.h"
#include "skin/engine/OsFamily.h"
#include "skin/engine/Interception.h"
#include "skin/engine/SkinHooks.h"
#include "skin/engine/SkinMenuBar.h"
#include "skin/engine/SkinnedWindow.h"
#include "skin/engine/XpProbe.h"
#include "skin/kinds/KindTable.h"
#include "skin/scrollbar/SkinnedScrollBars.h"

#include <cstring>

using namespace skin;

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

int SetStatus(int status)
{
    Guard guard(Engine().lock);
    Engine().threads.statuses[::GetCurrentThreadId()] = status;
    return status;
}

bool IsInitialised() { return Engine().initialised != 0; }

// Undoes whatever a global start got done before it failed, so that a later
// start begins from scratch.
void AbandonGlobalStart()
{
    EngineState& engine = Engine();
    SetSysColourProvider(nullptr);
    SetScrollBarRouting(nullptr);
    RemoveInterception();
    engine.tooltip.reset();
    engine.windowClasses.Unregister();
}

// The start of the engine for the whole process; a status on failure, 0 on success.
int GlobalStart(HINSTANCE instance)
{
    EngineState& engine = Engine();
    engine.instance = instance;
    engine.manager.UseKinds(SkinKindTable());
    if (!engine.windowClasses.Register(instance))
        return SKIN_STATUS_CLASS_NOT_REGISTERED;
    engine.tooltip = std::make_unique<SkinTooltip>();
    engine.tooltip->Create(instance);
    engine.osFamily = DetectOsFamily();
    // Functions that cannot be intercepted keep the system's behaviour; the
    // windows the engine draws itself do not depend on them.
    InstallInterception(static_cast<OsFamily>(engine.osFamily));
    SetSysColourProvider(&engine.sysColours);
    SetScrollBarRouting(&SkinnedScrollBarRouting());
    if (engine.osFamily == kOsWindowsXp) {
        engine.xpButtonProc = ProbeButtonProcedure(instance);
        if (!engine.xpButtonProc) {
            AbandonGlobalStart();
            return SKIN_STATUS_XP_PROBE_FAILED;
        }
    }
    ::InterlockedExchange(&engine.initialised, 1);
    return SKIN_STATUS_OK;
}

// Installs the calling thread's hooks where it has none; a status.
int HookThread()
{
    EngineState& engine = Engine();
    const DWORD thread = ::GetCurrentThreadId();
    if (!engine.threads.callWndProcHooks.count(thread)) {
        // A hook of one of this process's threads whose procedure is in its own
        // code takes no module, as the system asks: given one, the system looks
        // the module up around every call, and every sent message calls this hook.
        HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &CallWndProcHook, nullptr, thread);
        if (!hook)
            return SKIN_STATUS_CALLWNDPROC_HOOK_FAILED;
        engine.threads.callWndProcHooks[thread] = hook;
    }
    if (!engine.threads.keyboardHooks.count(thread)) {
        HHOOK hook = ::SetWindowsHookExA(WH_KEYBOARD, &KeyboardHook, nullptr, thread);
        if (!hook)
            return SKIN_STATUS_KEYBOARD_HOOK_FAILED;
        engine.threads.keyboardHooks[thread] = hook;
    }
    return SKIN_STATUS_OK;
}

void UnhookThread()
{
    ThreadTables& tables = Engine().threads;
    const DWORD thread = ::GetCurrentThreadId();
    for (std::map<DWORD, HHOOK>* table : {&tables.callWndProcHooks, &tables.keyboardHooks}) {
        const auto it = table->find(thread);
        if (it == table->end())
            continue;
        ::UnhookWindowsHookEx(it->second);
        table->erase(it);
    }
}

void GlobalTeardown()
{
    EngineState& engine = Engine();
    engine.dialogSkinName[0] = '\0';
    engine.tooltip.reset();
    engine.windowClasses.Unregister();
    SetSysColourProvider(nullptr);
    SetScrollBarRouting(nullptr);
    RemoveInterception();
    engine.sysColours.Take(nullptr);
    engine.manager.UnskinAll();
    engine.menuBars.clear();
    engine.xpButtonProc = nullptr;
    ::InterlockedExchange(&engine.initialised, 0);
}

}  // namespace

int InitSkinEngine(HINSTANCE instance, const char* appTitle)
{
    (void)appTitle;
    EngineState& engine = Engine();
    Guard guard(engine.lock);
    if (engine.threads.callWndProcHooks.empty() && !IsInitialised()) {
        const int status = GlobalStart(instance);
        if (status != SKIN_STATUS_OK)
            return SetStatus(status), 0;
    }
    const int status = HookThread();
    SetStatus(status);
    return status == SKIN_STATUS_OK ? 1 : 0;
}

int LoadSkinFile(const char* path)
{
    if (!IsInitialised())
        return SetStatus(SKIN_STATUS_NOT_INITIALISED), 0;
    auto skin = std::make_unique<Skin>();
    if (!path || !skin->ReadFile(path))
        return SetStatus(path ? static_cast<int>(skin->Status()) : SKIN_STATUS_FILE_NOT_OPENED), 0;
    SetStatus(skin->Status());
    const SysColorTable* colours = skin->SysColours();
    Engine().sysColours.Take(colours);  // before the windows redraw in the new colours
    const int applied = Engine().manager.ApplySkin(std::move(skin));
    ResizeAllSkinnedScrollBars(Engine().manager.CurrentSkin());
    return applied;
}

int SetDialogSkin(const char* name)
{
    if (!IsInitialised())
        return SetStatus(SKIN_STATUS_NOT_INITIALISED), 0;
    Guard guard(Engine().lock);
    char* buffer = Engine().dialogSkinName;
    std::strncpy(buffer, name ? name : "", kNameChars);
    buffer[kNameChars] = '\0';
    SetStatus(SKIN_STATUS_OK);
    return 1;
}

int ClearDialogSkin() { return SetDialogSkin(""); }

void ExitSkinEngine()
{
    EngineState& engine = Engine();
    Guard guard(engine.lock);
    if (!IsInitialised())
        return;
    UnhookThread();
    if (engine.threads.callWndProcHooks.empty())
        GlobalTeardown();
}

int GetSkinStatus()
{
    Guard guard(Engine().lock);
    const auto& statuses = Engine().threads.statuses;
    const auto it = statuses.find(::GetCurrentThreadId());
    return it == statuses.end() ? SKIN_STATUS_OK : it->second;
}

bool IsSkinDrawn(HWND window)
{
    const SkinnedWindow* skinned = window ? SkinnedWindow::FromHandle(window) : nullptr;
    return skinned && skinned->Object();
}
