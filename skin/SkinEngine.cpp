#include "skin/SkinEngine.h"

#include "skin/core/ControlObjects.h"
#include "skin/core/MemoryShortage.h"
#include "skin/core/PlainObjects.h"
#include "skin/core/Skin.h"
#include "skin/core/SkinLimits.h"
#include "skin/draw/SkinLook.h"
#include "skin/engine/EngineMessages.h"
#include "skin/engine/EngineState.h"
#include "skin/engine/Interception.h"
#include "skin/engine/SkinHooks.h"
#include "skin/engine/SkinMenuBar.h"
#include "skin/engine/SkinnedWindow.h"
#include "skin/engine/XpProbe.h"
#include "skin/image/CxImage.h"
#include "skin/kinds/KindTable.h"
#include "skin/scrollbar/SkinnedScrollBars.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

using namespace skin;

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

// A thread whose status cannot be stored for want of memory keeps its last one.
int SetStatus(int status)
{
    Guard guard(Engine().lock);
    try {
        Engine().threads.statuses[::GetCurrentThreadId()] = status;
    } catch (const std::bad_alloc&) {
    }
    return status;
}

// Runs one of the program's operations; memory that runs out inside it
// fails the operation with status 10 instead of ending the program.
template <typename Operation>
int WithoutThrowing(Operation operation)
{
    constexpr int kRanOut = -1;
    const int result = UnlessMemoryRunsOut(operation, kRanOut);
    return result == kRanOut ? (SetStatus(SKIN_STATUS_OUT_OF_MEMORY), 0) : result;
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
    engine.osFamily = EngineOsFamily(RunningOsVersion());
    // Functions that cannot be intercepted keep the system's behaviour; the
    // windows the engine draws itself do not depend on them.
    InstallInterception(engine.osFamily);
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

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM found)
{
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM found)
{
    return IsDialogWindow(hwnd) ? CollectWindow(hwnd, found) : TRUE;
}

std::vector<HWND> WindowsOfThisThread()
{
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// A dialog and the dialogs inside it, innermost first: a dialog nested in
// another is skinned on its own before its parent takes the rest, as when
// they were created.
std::vector<HWND> DialogsWithin(HWND top)
{
    std::vector<HWND> dialogs;
    ::EnumChildWindows(top, &CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    std::reverse(dialogs.begin(), dialogs.end());
    dialogs.push_back(top);
    return dialogs;
}

// The thread's dialogs that no skin wears (they were made while there was
// none, or were let go) are skinned as if they had just been created.
void SkinThreadDialogs()
{
    char name[kTextField];
    {
        Guard guard(Engine().lock);
        std::memcpy(name, Engine().dialogSkinName, sizeof name);
    }
    if (!name[0])
        return;
    for (HWND top : WindowsOfThisThread())
        if (IsDialogWindow(top))
            for (HWND dialog : DialogsWithin(top))
                Engine().manager.SkinDialog(dialog, name);
}

// Everything of the thread is drawn again when it next paints: frames,
// backgrounds, and the program's own controls, which ask whether a skin
// draws them.
void RedrawThreadWindows()
{
    for (HWND hwnd : WindowsOfThisThread())
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Whether the skin holds an object of a type that some window, menu or
// tooltip wears.
bool HoldsDrawnObject(const Skin& skin)
{
    const KindTable& kinds = SkinKindTable();
    for (const auto& entry : skin.Objects()) {
        const int32_t type = entry.second->TypeId();
        if (type == kTypePopupMenu || type == kTypeTooltip)
            return true;
        if (std::any_of(kinds.begin(), kinds.end(), [type](const KindRow& row) { return row.kind == type; }))
            return true;
    }
    return false;
}

// The pixels the skin's images announce: what drawing it may decode.
uint64_t AnnouncedPixels(const Skin& skin)
{
    uint64_t pixels = 0;
    for (const auto& entry : skin.Images()) {
        const SharedBytes& encoded = static_cast<const SkinImage&>(*entry.second).Encoded();
        pixels += CxImage::PixelsOf(encoded.data(), encoded.size(), static_cast<const SkinImage&>(*entry.second).Format());
    }
    return pixels;
}

// Why a skin that was read cannot be worn; 0 when it can.
int RefusalOf(const Skin& skin)
{
    if (AnnouncedPixels(skin) > kMaxPixels)
        return SKIN_STATUS_TOO_LARGE;
    return HoldsDrawnObject(skin) ? SKIN_STATUS_OK : SKIN_STATUS_NOTHING_TO_DRAW;
}

int StartThread(HINSTANCE instance)
{
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

int LoadAndWear(const char* path)
{
    if (!IsInitialised())
        return SetStatus(SKIN_STATUS_NOT_INITIALISED), 0;
    auto skin = std::make_unique<Skin>();
    if (!path || !skin->ReadFile(path))
        return SetStatus(path ? static_cast<int>(skin->Status()) : SKIN_STATUS_FILE_NOT_OPENED), 0;
    if (const int refusal = RefusalOf(*skin))
        return SetStatus(refusal), 0;
    SetStatus(skin->Status());
    const SysColorTable* colours = skin->SysColours();
    Engine().sysColours.Take(colours);  // before the windows redraw in the new colours
    const int applied = Engine().manager.ApplySkin(std::move(skin));
    ResizeAllSkinnedScrollBars(Engine().manager.CurrentSkin());
    SkinThreadDialogs();
    RedrawThreadWindows();
    return applied;
}

int Unload()
{
    if (!IsInitialised())
        return SetStatus(SKIN_STATUS_NOT_INITIALISED), 0;
    EngineState& engine = Engine();
    engine.sysColours.Take(nullptr);  // before the windows redraw in the system's colours
    engine.manager.UnskinAll();
    {
        Guard guard(engine.lock);
        engine.menuBars.clear();
    }
    RedrawThreadWindows();
    SetStatus(SKIN_STATUS_OK);
    return 1;
}

int StopThread()
{
    EngineState& engine = Engine();
    Guard guard(engine.lock);
    if (!IsInitialised())
        return 0;
    UnhookThread();
    if (engine.threads.callWndProcHooks.empty())
        GlobalTeardown();
    return 1;
}

}  // namespace

int InitSkinEngine(HINSTANCE instance, const char* appTitle)
{
    (void)appTitle;
    return WithoutThrowing([instance] { return StartThread(instance); });
}

int LoadSkinFile(const char* path)
{
    return WithoutThrowing([path] { return LoadAndWear(path); });
}

int UnloadSkin()
{
    return WithoutThrowing(Unload);
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
    WithoutThrowing(StopThread);
}

int GetSkinStatus()
{
    Guard guard(Engine().lock);
    const auto& statuses = Engine().threads.statuses;
    const auto it = statuses.find(::GetCurrentThreadId());
    return it == statuses.end() ? SKIN_STATUS_OK : it->second;
}

const char* SkinStatusText(int status)
{
    static const struct {
        int status;
        const char* text;
    } texts[] = {
        {SKIN_STATUS_OK, "no error"},
        {SKIN_STATUS_CLASS_NOT_REGISTERED, "a window class of the skin engine could not be registered"},
        {SKIN_STATUS_CALLWNDPROC_HOOK_FAILED, "the window hook could not be installed"},
        {SKIN_STATUS_KEYBOARD_HOOK_FAILED, "the keyboard hook could not be installed"},
        {SKIN_STATUS_FILE_NOT_OPENED, "the file could not be opened"},
        {SKIN_STATUS_BODY_UNREADABLE, "the skin data is damaged (it could not be unpacked)"},
        {SKIN_STATUS_HEADER_SHORT, "the file is too short to be a skin"},
        {SKIN_STATUS_HEADER_REFUSED, "the file is not a skin of a version this program reads"},
        {SKIN_STATUS_TOO_LARGE, "the skin holds more than a skin may (objects, images or pixels)"},
        {SKIN_STATUS_NOTHING_TO_DRAW, "the skin holds nothing the program draws with"},
        {SKIN_STATUS_OUT_OF_MEMORY, "there is not enough memory for it"},
        {SKIN_STATUS_XP_PROBE_FAILED, "the skin engine could not start on this system"},
        {SKIN_STATUS_NOT_INITIALISED, "the skin engine is not running"},
    };
    for (const auto& entry : texts)
        if (entry.status == status)
            return entry.text;
    return "unknown error";
}

bool IsSkinDrawn(HWND window)
{
    const SkinnedWindow* skinned = window ? SkinnedWindow::FromHandle(window) : nullptr;
    return skinned && skinned->Object();
}

bool GetSkinTextColours(HWND window, COLORREF& enabled, COLORREF& disabled)
{
    if (!IsSkinDrawn(window))
        return false;
    const auto* label = DefaultObjectAs<Static>(Engine().manager.CurrentSkin(), kTypeStatic);
    if (!label)
        return false;
    enabled = Rgb(label->m_effect.textColour);
    const TextEffect& dimmed = label->m_disabledEffect;
    disabled = dimmed.flags ? Rgb(dimmed.textColour) : ::GetSysColor(COLOR_GRAYTEXT);
    return true;
}

bool PaintSkinBackground(HWND window, HDC dc)
{
    const HWND parent = window ? ::GetParent(window) : nullptr;
    return parent && ::SendMessageA(parent, SKINMSG_PAINT_BACKGROUND, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(window)) != 0;
}
