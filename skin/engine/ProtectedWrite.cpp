#include "skin/engine/ProtectedWrite.h"

#include <windows.h>

#include <cstring>

namespace skin {

bool WriteProtected(void* at, const void* bytes, size_t size)
{
    DWORD previous = 0;
    if (!VirtualProtect(at, size, PAGE_EXECUTE_READWRITE, &previous))
        return false;
    std::memcpy(at, bytes, size);
    VirtualProtect(at, size, previous, &previous);
    FlushInstructionCache(GetCurrentProcess(), at, size);
    return true;
}

}  // namespace skin
