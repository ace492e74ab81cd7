// Redirects the calls that this executable makes to one imported function,
// by rewriting its import address table entry, and restores it afterwards.
// Lets tests observe or replace system calls (tray icons, shutdown...) made by
// code linked into the test executable.
#pragma once

#include <windows.h>

class ScopedImportPatch {
public:
    ScopedImportPatch(const char* dllName, const char* functionName, const void* replacement);
    ~ScopedImportPatch();
    ScopedImportPatch(const ScopedImportPatch&) = delete;
    ScopedImportPatch& operator=(const ScopedImportPatch&) = delete;

    bool Applied() const { return m_slot != nullptr; }

    // The real function, for replacements that forward.
    FARPROC Original() const { return m_original; }

private:
    static void Write(FARPROC* slot, FARPROC value);

    FARPROC* m_slot = nullptr;
    FARPROC m_original = nullptr;
};
