#include "support/FreedMemory.h"

#include <cstring>

namespace {

using SizeFunction = size_t(__cdecl*)(void*);
SizeFunction g_blockSize = nullptr;
volatile LONG g_filledFaults = 0;

// Kept: the heap would write its own links into a block it takes back.
void __cdecl FillingFree(void* block)
{
    if (block)
        std::memset(block, 0xDD, g_blockSize(block));
}

// The size function is known before the first block comes through the patch.
const void* ReadyFillingFree()
{
    g_blockSize = reinterpret_cast<SizeFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("msvcrt.dll"), "_msize")));
    return reinterpret_cast<const void*>(&FillingFree);
}

// A pointer read from a filled block is 0xDDDDDDDD, give or take a member's offset.
LONG CALLBACK CountFilledFaults(EXCEPTION_POINTERS* exception)
{
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && (record.ExceptionInformation[1] >> 16) == 0xDDDD)
        ::InterlockedIncrement(&g_filledFaults);
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

ScopedFreedMemoryFill::ScopedFreedMemoryFill()
    : m_free("msvcrt.dll", "free", ReadyFillingFree()), m_handler(::AddVectoredExceptionHandler(1, &CountFilledFaults))
{
    g_filledFaults = 0;
}

ScopedFreedMemoryFill::~ScopedFreedMemoryFill() { ::RemoveVectoredExceptionHandler(m_handler); }

long ScopedFreedMemoryFill::FreedMemoryUses() const { return g_filledFaults; }
