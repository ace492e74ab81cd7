// Redirects calls to system functions by rewriting the import entries of every
// loaded module. Modules loaded later (through LoadLibrary*) and look-ups by
// name (GetProcAddress) are redirected too.
#pragma once

#include <windows.h>

#include <cstddef>

namespace skin {

struct Redirect {
    void* original;
    void* replacement;
};

// False, with nothing redirected, when the system lacks what is needed or
// redirection is already running.
bool StartImportRedirection(const Redirect* redirects, size_t count);
// Puts back every import entry that still points at a replacement.
void StopImportRedirection();

}  // namespace skin
