#include "skin/engine/ImportRedirect.h"

#include "skin/engine/ProtectedWrite.h"

#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <mutex>
#include <vector>

namespace skin {

namespace {

using CreateSnapshotFn = decltype(&CreateToolhelp32Snapshot);
using ModuleWalkFn = decltype(&Module32First);
using LoadLibraryAFn = decltype(&LoadLibraryA);
using LoadLibraryWFn = decltype(&LoadLibraryW);
using LoadLibraryExAFn = decltype(&LoadLibraryExA);
using LoadLibraryExWFn = decltype(&LoadLibraryExW);
using GetProcAddressFn = decltype(&GetProcAddress);

// The system's own functions, resolved by name before anything is redirected.
struct SystemEntries {
    CreateSnapshotFn createSnapshot;
    ModuleWalkFn firstModule;
    ModuleWalkFn nextModule;
    LoadLibraryAFn loadLibraryA;
    LoadLibraryWFn loadLibraryW;
    LoadLibraryExAFn loadLibraryExA;
    LoadLibraryExWFn loadLibraryExW;
    GetProcAddressFn getProcAddress;
};

SystemEntries g_system;

// Read without a lock (GetProcAddress may be called under the loader lock
// while another thread rescans): entries are written only while the count is 0.
constexpr size_t kMaxRedirects = 32;
Redirect g_redirects[kMaxRedirects];
std::atomic<size_t> g_redirectCount{0};

struct PatchedSlot {
    HMODULE module;
    void** slot;
    Redirect redirect;
};

std::mutex g_slotsMutex;  // guards g_slots
std::vector<PatchedSlot> g_slots;

void* ReplacementFor(void* function)
{
    size_t count = g_redirectCount.load(std::memory_order_acquire);
    for (size_t i = 0; i < count; ++i)
        if (g_redirects[i].original == function)
            return g_redirects[i].replacement;
    return function;
}

template <typename Function>
Function Resolve(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool ResolveSystemEntries()
{
    HMODULE kernel = GetModuleHandleA("Kernel32");
    g_system = SystemEntries{
        Resolve<CreateSnapshotFn>(kernel, "CreateToolhelp32Snapshot"),
        Resolve<ModuleWalkFn>(kernel, "Module32First"),
        Resolve<ModuleWalkFn>(kernel, "Module32Next"),
        Resolve<LoadLibraryAFn>(kernel, "LoadLibraryA"),
        Resolve<LoadLibraryWFn>(kernel, "LoadLibraryW"),
        Resolve<LoadLibraryExAFn>(kernel, "LoadLibraryExA"),
        Resolve<LoadLibraryExWFn>(kernel, "LoadLibraryExW"),
        Resolve<GetProcAddressFn>(kernel, "GetProcAddress"),
    };
    return g_system.createSnapshot && g_system.firstModule && g_system.nextModule && g_system.loadLibraryA &&
           g_system.loadLibraryW && g_system.loadLibraryExA && g_system.loadLibraryExW && g_system.getProcAddress;
}

// The loaded modules, each held by a reference for the object's lifetime so
// that none is unloaded while its imports are rewritten. Built before
// g_slotsMutex is taken: the snapshot takes the loader lock, and a thread
// loading a library under the loader lock may be waiting for g_slotsMutex.
class PinnedModules {
public:
    PinnedModules()
    {
        HANDLE snapshot = g_system.createSnapshot(TH32CS_SNAPMODULE, 0);
        if (snapshot == INVALID_HANDLE_VALUE)
            return;
        MODULEENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = g_system.firstModule(snapshot, &entry); more;
             more = g_system.nextModule(snapshot, &entry)) {
            HMODULE pinned = nullptr;
            if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                   reinterpret_cast<LPCSTR>(entry.modBaseAddr), &pinned))
                m_modules.push_back(pinned);
        }
        CloseHandle(snapshot);
    }
    ~PinnedModules()
    {
        for (HMODULE module : m_modules)
            FreeLibrary(module);
    }
    PinnedModules(const PinnedModules&) = delete;
    PinnedModules& operator=(const PinnedModules&) = delete;

    const std::vector<HMODULE>& List() const { return m_modules; }
    bool Contains(HMODULE module) const
    {
        return std::find(m_modules.begin(), m_modules.end(), module) != m_modules.end();
    }

private:
    std::vector<HMODULE> m_modules;
};

template <typename Visit>
void ForEachImportSlot(HMODULE module, Visit visit)
{
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return;
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE)
        return;
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress)
        return;
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry)
        for (auto* slot = reinterpret_cast<void**>(base + entry->FirstThunk); *slot; ++slot)
            visit(slot);
}

// Caller holds g_slotsMutex.
void RedirectModule(HMODULE module)
{
    ForEachImportSlot(module, [module](void** slot) {
        void* original = *slot;
        void* replacement = ReplacementFor(original);
        if (replacement == original)
            return;
        if (WriteProtected(slot, &replacement, sizeof replacement))
            g_slots.push_back({module, slot, {original, replacement}});
    });
}

void RedirectLoadedModules()
{
    PinnedModules modules;
    std::lock_guard<std::mutex> lock(g_slotsMutex);
    if (g_redirectCount.load(std::memory_order_acquire) != 0)
        for (HMODULE module : modules.List())
            RedirectModule(module);
}

HMODULE AfterLoad(HMODULE module)
{
    if (module && g_redirectCount.load(std::memory_order_acquire) != 0)
        RedirectLoadedModules();
    return module;
}

HMODULE WINAPI RedirectedLoadLibraryA(LPCSTR name) { return AfterLoad(g_system.loadLibraryA(name)); }

HMODULE WINAPI RedirectedLoadLibraryW(LPCWSTR name) { return AfterLoad(g_system.loadLibraryW(name)); }

HMODULE WINAPI RedirectedLoadLibraryExA(LPCSTR name, HANDLE file, DWORD flags)
{
    return AfterLoad(g_system.loadLibraryExA(name, file, flags));
}

HMODULE WINAPI RedirectedLoadLibraryExW(LPCWSTR name, HANDLE file, DWORD flags)
{
    return AfterLoad(g_system.loadLibraryExW(name, file, flags));
}

FARPROC WINAPI RedirectedGetProcAddress(HMODULE module, LPCSTR name)
{
    void* found = reinterpret_cast<void*>(g_system.getProcAddress(module, name));
    return reinterpret_cast<FARPROC>(ReplacementFor(found));
}

template <typename Function>
Redirect LoaderRedirect(Function original, Function replacement)
{
    return {reinterpret_cast<void*>(original), reinterpret_cast<void*>(replacement)};
}

}  // namespace

bool StartImportRedirection(const Redirect* redirects, size_t count)
{
    if (g_redirectCount.load() != 0 || !ResolveSystemEntries())
        return false;
    const Redirect loaders[] = {
        LoaderRedirect(g_system.loadLibraryA, &RedirectedLoadLibraryA),
        LoaderRedirect(g_system.loadLibraryW, &RedirectedLoadLibraryW),
        LoaderRedirect(g_system.loadLibraryExA, &RedirectedLoadLibraryExA),
        LoaderRedirect(g_system.loadLibraryExW, &RedirectedLoadLibraryExW),
        LoaderRedirect(g_system.getProcAddress, &RedirectedGetProcAddress),
    };
    if (count + std::size(loaders) > kMaxRedirects)
        return false;
    std::copy(redirects, redirects + count, g_redirects);
    std::copy(std::begin(loaders), std::end(loaders), g_redirects + count);
    g_redirectCount.store(count + std::size(loaders), std::memory_order_release);
    RedirectLoadedModules();
    return true;
}

void StopImportRedirection()
{
    PinnedModules modules;  // only modules still loaded get their entries back
    std::lock_guard<std::mutex> lock(g_slotsMutex);
    g_redirectCount.store(0, std::memory_order_release);
    for (const PatchedSlot& patched : g_slots)
        if (modules.Contains(patched.module) && *patched.slot == patched.redirect.replacement)
            WriteProtected(patched.slot, &patched.redirect.original, sizeof patched.redirect.original);
    g_slots.clear();
}

}  // namespace skin
