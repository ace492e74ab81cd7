#include "skin/engine/CodePatch.h"

#include "skin/engine/ProtectedWrite.h"

#include <capstone/capstone.h>
#include <windows.h>

#include <array>
#include <cstring>
#include <mutex>
#include <vector>

namespace skin {

namespace {

constexpr size_t kMaxInstruction = 15;
// At most five instructions are moved (each is at least one byte); the longest
// they can grow to, short branches widened and the jump back included, is 44.
constexpr size_t kSlotSize = 64;

constexpr uint8_t kCallRel32 = 0xE8;
constexpr uint8_t kJmpRel32 = 0xE9;
constexpr uint8_t kJmpRel8 = 0xEB;
constexpr uint8_t kInt3 = 0xCC;
constexpr uint8_t kNop = 0x90;

enum class Flow { kPlain, kCall, kJump, kConditional, kUnmovable };

struct Instruction {
    const uint8_t* at = nullptr;
    size_t size = 0;
    Flow flow = Flow::kPlain;
    uintptr_t target = 0;   // of a relative branch
    uint8_t condition = 0;  // of a conditional branch: the condition's opcode nibble
    bool endsPath = false;  // ret or unconditional jump: what follows is not reached from here
};

class X86Decoder {
public:
    X86Decoder()
    {
        if (cs_open(CS_ARCH_X86, CS_MODE_32, &m_handle) != CS_ERR_OK)
            return;
        cs_option(m_handle, CS_OPT_DETAIL, CS_OPT_ON);
        m_insn = cs_malloc(m_handle);
    }
    ~X86Decoder()
    {
        if (m_insn)
            cs_free(m_insn, 1);
        if (m_handle)
            cs_close(&m_handle);
    }
    X86Decoder(const X86Decoder&) = delete;
    X86Decoder& operator=(const X86Decoder&) = delete;

    bool Decode(const uint8_t* at, Instruction& out)
    {
        const uint8_t* code = at;
        size_t size = kMaxInstruction;
        uint64_t address = reinterpret_cast<uintptr_t>(at);
        if (!m_insn || !cs_disasm_iter(m_handle, &code, &size, &address, m_insn))
            return false;
        out = Instruction{at, m_insn->size};
        out.endsPath = m_insn->id == X86_INS_JMP || cs_insn_group(m_handle, m_insn, CS_GRP_RET);
        if (cs_insn_group(m_handle, m_insn, CS_GRP_BRANCH_RELATIVE))
            ClassifyBranch(m_insn->detail->x86, out);
        return true;
    }

private:
    static void ClassifyBranch(const cs_x86& x86, Instruction& out)
    {
        out.target = static_cast<uintptr_t>(x86.operands[0].imm);
        const uint8_t* op = x86.opcode;
        if (x86.prefix[2] == X86_PREFIX_OPSIZE) {
            out.flow = Flow::kUnmovable;  // a 16-bit target
        } else if (op[0] == kCallRel32) {
            out.flow = Flow::kCall;
        } else if (op[0] == kJmpRel32 || op[0] == kJmpRel8) {
            out.flow = Flow::kJump;
        } else if ((op[0] & 0xF0) == 0x70) {
            out.flow = Flow::kConditional;
            out.condition = op[0] & 0x0F;
        } else if (op[0] == 0x0F && (op[1] & 0xF0) == 0x80) {
            out.flow = Flow::kConditional;
            out.condition = op[1] & 0x0F;
        } else {
            out.flow = Flow::kUnmovable;  // loop and jecxz have no long form
        }
    }

    csh m_handle = 0;
    cs_insn* m_insn = nullptr;
};

bool IsPadding(uint8_t byte) { return byte == kInt3 || byte == kNop; }

// The rel32 operand that reaches `target` from the instruction ending at `next`.
int32_t Displacement(uintptr_t target, uintptr_t next) { return static_cast<int32_t>(target - next); }

// The whole instructions that cover the first kJumpSize bytes of `entry`.
// Empty when they cannot be moved.
std::vector<Instruction> InstructionsToMove(const uint8_t* entry)
{
    X86Decoder decoder;
    std::vector<Instruction> moved;
    size_t length = 0;
    bool pathEnded = false;
    while (length < CodePatch::kJumpSize) {
        Instruction instruction;
        if (pathEnded) {
            // Bytes after a ret or jump may belong to the next function; only
            // padding is ours to overwrite.
            if (!IsPadding(entry[length]))
                return {};
            instruction = Instruction{entry + length, 1};
        } else if (!decoder.Decode(entry + length, instruction) || instruction.flow == Flow::kUnmovable) {
            return {};
        }
        pathEnded = pathEnded || instruction.endsPath;
        length += instruction.size;
        moved.push_back(instruction);
    }
    auto begin = reinterpret_cast<uintptr_t>(entry);
    for (const Instruction& instruction : moved)
        if (instruction.flow != Flow::kPlain && instruction.target >= begin && instruction.target < begin + length)
            return {};  // a branch into bytes that the jump overwrites
    return moved;
}

class TrampolineCode {
public:
    explicit TrampolineCode(uintptr_t address) : m_address(address) {}

    void Copy(const Instruction& instruction)
    {
        std::memcpy(&m_code[m_length], instruction.at, instruction.size);
        m_length += instruction.size;
    }
    // A branch in its rel32 form, aimed at the same absolute target.
    void Branch(std::initializer_list<uint8_t> opcode, uintptr_t target)
    {
        for (uint8_t byte : opcode)
            m_code[m_length++] = byte;
        int32_t displacement = Displacement(target, m_address + m_length + sizeof(int32_t));
        std::memcpy(&m_code[m_length], &displacement, sizeof displacement);
        m_length += sizeof displacement;
    }

    const uint8_t* Data() const { return m_code.data(); }
    size_t Length() const { return m_length; }

private:
    uintptr_t m_address;
    std::array<uint8_t, kSlotSize> m_code = {};
    size_t m_length = 0;
};

TrampolineCode BuildTrampoline(const std::vector<Instruction>& moved, uintptr_t address)
{
    TrampolineCode code(address);
    for (const Instruction& instruction : moved) {
        switch (instruction.flow) {
        case Flow::kCall:
            code.Branch({kCallRel32}, instruction.target);
            break;
        case Flow::kJump:
            code.Branch({kJmpRel32}, instruction.target);
            break;
        case Flow::kConditional:
            code.Branch({0x0F, static_cast<uint8_t>(0x80 | instruction.condition)}, instruction.target);
            break;
        default:
            code.Copy(instruction);
        }
    }
    const Instruction& last = moved.back();
    code.Branch({kJmpRel32}, reinterpret_cast<uintptr_t>(last.at + last.size));
    return code;
}

// Trampolines stay in one executable page for the life of the process: a call
// that has already entered a replacement may still be on its way into one
// after the patch is removed. An entry keeps its slot when patched again.
class TrampolineArena {
public:
    static uint8_t* SlotFor(const void* entry)
    {
        static TrampolineArena arena;
        std::lock_guard<std::mutex> lock(arena.m_mutex);
        return arena.Find(entry);
    }

private:
    static constexpr size_t kPageSize = 4096;
    static constexpr size_t kSlots = kPageSize / kSlotSize;

    TrampolineArena()
        : m_page(static_cast<uint8_t*>(
              VirtualAlloc(nullptr, kPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_EXECUTE_READWRITE)))
    {
    }

    uint8_t* Find(const void* entry)
    {
        for (size_t i = 0; i < m_used; ++i)
            if (m_owners[i] == entry)
                return m_page + i * kSlotSize;
        if (!m_page || m_used == kSlots)
            return nullptr;
        m_owners[m_used] = entry;
        return m_page + kSlotSize * m_used++;
    }

    std::mutex m_mutex;
    uint8_t* m_page;
    const void* m_owners[kSlots] = {};
    size_t m_used = 0;
};

}  // namespace

bool CodePatch::Apply(void* entry, const void* replacement)
{
    if (m_entry)
        return false;
    auto* code = static_cast<uint8_t*>(entry);
    std::vector<Instruction> moved = InstructionsToMove(code);
    uint8_t* slot = moved.empty() ? nullptr : TrampolineArena::SlotFor(entry);
    if (!slot)
        return false;
    TrampolineCode trampoline = BuildTrampoline(moved, reinterpret_cast<uintptr_t>(slot));
    std::memcpy(slot, trampoline.Data(), trampoline.Length());
    FlushInstructionCache(GetCurrentProcess(), slot, trampoline.Length());

    uint8_t jump[kJumpSize] = {kJmpRel32};
    int32_t displacement =
        Displacement(reinterpret_cast<uintptr_t>(replacement), reinterpret_cast<uintptr_t>(code + kJumpSize));
    std::memcpy(jump + 1, &displacement, sizeof displacement);
    std::memcpy(m_saved, code, kJumpSize);
    if (!WriteProtected(code, jump, kJumpSize))
        return false;
    m_entry = code;
    m_trampoline = slot;
    return true;
}

void CodePatch::Remove()
{
    if (!m_entry)
        return;
    WriteProtected(m_entry, m_saved, kJumpSize);
    m_entry = nullptr;
    m_trampoline = nullptr;
}

}  // namespace skin
