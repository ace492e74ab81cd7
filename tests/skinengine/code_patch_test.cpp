#include "skin/engine/CodePatch.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <vector>

using namespace skin;

namespace {

using Synthetic = int(__fastcall*)(int);

constexpr size_t kCodeSize = 256;
constexpr size_t kHelper = 64;  // a second function: mov eax, 40; ret
constexpr size_t kData = 128;   // a pointer for indirect jumps
constexpr int kRefused = -1;
constexpr int kReplacementOffset = 1000;

// An executable page with a synthetic function at its start, the rest int3.
class CodeBuffer {
public:
    CodeBuffer()
        : m_base(static_cast<uint8_t*>(
              VirtualAlloc(nullptr, kCodeSize, MEM_RESERVE | MEM_COMMIT, PAGE_EXECUTE_READWRITE)))
    {
        std::memset(m_base, 0xCC, kCodeSize);
        Put(kHelper, {0xB8, 40, 0, 0, 0, 0xC3});
    }
    ~CodeBuffer() { VirtualFree(m_base, 0, MEM_RELEASE); }
    CodeBuffer(const CodeBuffer&) = delete;
    CodeBuffer& operator=(const CodeBuffer&) = delete;

    void Put(size_t at, std::initializer_list<uint8_t> bytes) { std::copy(bytes.begin(), bytes.end(), m_base + at); }
    void PutRel32(size_t at, size_t target)
    {
        auto displacement = static_cast<int32_t>(target - (at + 4));
        std::memcpy(m_base + at, &displacement, 4);
    }
    void PutAddress(size_t at, size_t target)
    {
        auto address = reinterpret_cast<uintptr_t>(m_base + target);
        std::memcpy(m_base + at, &address, 4);
    }

    uint8_t* Base() const { return m_base; }
    std::vector<uint8_t> Bytes() const { return {m_base, m_base + kCodeSize}; }
    Synthetic Function() const { return reinterpret_cast<Synthetic>(reinterpret_cast<void*>(m_base)); }

private:
    uint8_t* m_base;
};

// test ecx, ecx; jz +6 (to mov eax, 99; ret); lea eax, [ecx+1]; ret
void WriteShortConditional(CodeBuffer& code)
{
    code.Put(0, {0x85, 0xC9, 0x74, 0x06, 0x8D, 0x41, 0x01, 0xC3});
    code.Put(10, {0xB8, 99, 0, 0, 0, 0xC3});
}

// test ecx, ecx; jz rel32 (to the helper); lea eax, [ecx+1]; ret
void WriteLongConditional(CodeBuffer& code)
{
    code.Put(0, {0x85, 0xC9, 0x0F, 0x84});
    code.PutRel32(4, kHelper);
    code.Put(8, {0x8D, 0x41, 0x01, 0xC3});
}

struct PatchRow {
    const char* shape;
    void (*write)(CodeBuffer&);
    int argument;
    int expected;  // the function's answer, or kRefused when it must be left alone
};

const PatchRow kPatchRows[] = {
    {"hot-patch prologue", [](CodeBuffer& c) { c.Put(0, {0x8B, 0xFF, 0x55, 0x8B, 0xEC, 0x8D, 0x41, 0x02, 0x5D, 0xC3}); },
     5, 7},
    {"short conditional jump, taken", WriteShortConditional, 0, 99},
    {"short conditional jump, not taken", WriteShortConditional, 5, 6},
    {"long conditional jump, taken", WriteLongConditional, 0, 40},
    {"long conditional jump, not taken", WriteLongConditional, 5, 6},
    {"call at the entry",
     [](CodeBuffer& c) {
         c.Put(0, {0xE8});
         c.PutRel32(1, kHelper);
         c.Put(5, {0x40, 0xC3});  // inc eax; ret
     },
     0, 41},
    {"jump at the entry",
     [](CodeBuffer& c) {
         c.Put(0, {0xE9});
         c.PutRel32(1, kHelper);
     },
     0, 40},
    {"short jump, then padding",
     [](CodeBuffer& c) {
         c.Put(0, {0xEB, 0x08});
         c.Put(10, {0xB8, 7, 0, 0, 0, 0xC3});
     },
     0, 7},
    {"indirect jump through memory",
     [](CodeBuffer& c) {
         c.Put(0, {0xFF, 0x25});
         c.PutAddress(2, kData);
         c.Put(6, {0x90, 0x90});
         c.PutAddress(kData, kHelper);
     },
     0, 40},
    {"branch back into the moved bytes", [](CodeBuffer& c) { c.Put(0, {0x49, 0x75, 0xFD, 0x89, 0xC8, 0xC3}); }, 3,
     kRefused},
    {"jecxz, which has no long form",
     [](CodeBuffer& c) {
         c.Put(0, {0xE3, 0x08, 0x8D, 0x41, 0x01, 0xC3});
         c.Put(10, {0xB8, 7, 0, 0, 0, 0xC3});
     },
     0, kRefused},
    {"return followed by the next function", [](CodeBuffer& c) { c.Put(0, {0x31, 0xC0, 0xC3, 0xB8, 1, 0, 0, 0, 0xC3}); },
     0, kRefused},
};

Synthetic g_trampoline = nullptr;

int __fastcall Replacement(int argument) { return g_trampoline(argument) + kReplacementOffset; }

TEST(CodePatchTest, MovesWholeInstructionsAndRestoresTheBytes)
{
    for (const PatchRow& row : kPatchRows) {
        SCOPED_TRACE(row.shape);
        CodeBuffer code;
        row.write(code);
        const std::vector<uint8_t> original = code.Bytes();
        CodePatch patch;
        bool applied = patch.Apply(code.Base(), reinterpret_cast<void*>(&Replacement));
        if (row.expected == kRefused) {
            EXPECT_FALSE(applied);
            EXPECT_EQ(code.Bytes(), original);
            continue;
        }
        ASSERT_TRUE(applied);
        g_trampoline = reinterpret_cast<Synthetic>(patch.Trampoline());
        EXPECT_EQ(code.Function()(row.argument), row.expected + kReplacementOffset);
        patch.Remove();
        EXPECT_EQ(code.Bytes(), original);
        EXPECT_EQ(code.Function()(row.argument), row.expected);
    }
}

}  // namespace
