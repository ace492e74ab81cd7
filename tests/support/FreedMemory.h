// While alive, every block this executable frees is filled with 0xDD and
// never given back, and faults on addresses made of that filling are
// counted: a use of freed memory shows even where the system swallows the
// fault (window procedures under Wine).
#pragma once

#include "support/ImportPatch.h"

class ScopedFreedMemoryFill {
public:
    ScopedFreedMemoryFill();
    ~ScopedFreedMemoryFill();

    bool Applied() const { return m_free.Applied(); }
    // Faults on the filling since the start: uses of freed memory.
    long FreedMemoryUses() const;

private:
    ScopedImportPatch m_free;
    void* m_handler;
};
