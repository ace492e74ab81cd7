#include "skin/engine/EngineState.h"

#include "skin/engine/SkinMenuBar.h"

namespace skin {

EngineState& Engine()
{
    static EngineState state;
    return state;
}

namespace {

HHOOK ThreadEntry(const std::map<DWORD, HHOOK>& table)
{
    std::lock_guard<std::recursive_mutex> guard(Engine().lock);
    const auto it = table.find(::GetCurrentThreadId());
    return it == table.end() ? nullptr : it->second;
}

}  // namespace

HHOOK ThreadCallWndProcHook() { return ThreadEntry(Engine().threads.callWndProcHooks); }

HHOOK ThreadKeyboardHook() { return ThreadEntry(Engine().threads.keyboardHooks); }

}  // namespace skin
