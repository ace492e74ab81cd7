#include "support/GuiObjects.h"


namespace {

// One entry of the GDI handle table that the process environment block points to.
#pragma pack(push, 1)
struct GdiHandleEntry {
    unsigned long long object;
    USHORT processId;
    USHORT count;
    USHORT unique;  // bits 0-6 the object type, bit 7 set for stock objects
    UCHAR type;     // 0 for a free entry
    UCHAR flags;
    unsigned long long userPointer;
};
#pragma pack(pop)

constexpr size_t GDI_HANDLE_TABLE_OFFSET = 0x94;  // in the 32-bit PEB
constexpr int GDI_HANDLE_COUNT = 0x10000;

DWORD CountGdiHandleTable()
{
    const BYTE* peb = nullptr;
    asm("movl %%fs:0x30, %0" : "=r"(peb));  // the process environment block of a 32-bit process
    const auto* table = *reinterpret_cast<GdiHandleEntry* const*>(peb + GDI_HANDLE_TABLE_OFFSET);
    if (!table)
        return 0;
    DWORD count = 0;
    for (int i = 0; i < GDI_HANDLE_COUNT; ++i)
        if (table[i].type != 0 && !(table[i].unique & 0x80))
            ++count;
    return count;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM lp)
{
    auto* count = reinterpret_cast<DWORD*>(lp);
    ++*count;
    ::EnumChildWindows(hwnd, &CountWindow, lp);
    return TRUE;
}

DWORD CountThreadWindows()
{
    DWORD count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Icons and cursors answer GetCursorFrameInfo; Wine accepts a handle's low
// word alone for the objects of this process.
DWORD CountIconsAndCursors()
{
    using FrameInfo = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);
    auto frameInfo = reinterpret_cast<FrameInfo>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetCursorFrameInfo")));
    if (!frameInfo)
        return 0;
    DWORD count = 0;
    for (ULONG_PTR handle = 0x20; handle < 0x10000; handle += 2) {
        DWORD rate = 0, steps = 0;
        if (frameInfo(reinterpret_cast<HCURSOR>(handle), 0, 0, &rate, &steps))
            ++count;
    }
    return count;
}

}  // namespace

GuiObjectCounts CountGuiObjects()
{
    HANDLE process = ::GetCurrentProcess();
    GuiObjectCounts counts{::GetGuiResources(process, GR_GDIOBJECTS), ::GetGuiResources(process, GR_USEROBJECTS)};
    if (counts.gdi == 0)
        counts.gdi = CountGdiHandleTable();
    if (counts.user == 0)
        counts.user = CountThreadWindows() + CountIconsAndCursors();
    return counts;
}

::testing::AssertionResult LeavesNoGuiObjects(const std::function<void()>& cycle, int times)
{
    cycle();
    const GuiObjectCounts before = CountGuiObjects();
    for (int i = 0; i < times; ++i)
        cycle();
    const GuiObjectCounts after = CountGuiObjects();
    if (before.gdi == after.gdi && before.user == after.user)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "GDI objects " << before.gdi << " -> " << after.gdi << ", USER objects "
                                         << before.user << " -> " << after.user << " after " << times << " runs";
}
