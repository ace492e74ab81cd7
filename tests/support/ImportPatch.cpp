#include "support/ImportPatch.h"

#include <strings.h>

namespace {

FARPROC* FindImportSlot(const char* dllName, FARPROC target)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress)
        return nullptr;
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry) {
        if (strcasecmp(reinterpret_cast<const char*>(base + entry->Name), dllName) != 0)
            continue;
        for (auto* slot = reinterpret_cast<FARPROC*>(base + entry->FirstThunk); *slot; ++slot)
            if (*slot == target)
                return slot;
    }
    return nullptr;
}

}  // namespace

ScopedImportPatch::ScopedImportPatch(const char* dllName, const char* functionName, const void* replacement)
{
    HMODULE module = GetModuleHandleA(dllName);
    m_original = module ? GetProcAddress(module, functionName) : nullptr;
    m_slot = m_original ? FindImportSlot(dllName, m_original) : nullptr;
    if (m_slot)
        Write(m_slot, reinterpret_cast<FARPROC>(const_cast<void*>(replacement)));
}

ScopedImportPatch::~ScopedImportPatch()
{
    if (m_slot)
        Write(m_slot, m_original);
}

void ScopedImportPatch::Write(FARPROC* slot, FARPROC value)
{
    DWORD oldProtection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &oldProtection);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, oldProtection, &oldProtection);
}
