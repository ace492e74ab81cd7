// Redirects a function in place: its first bytes become a jump to a
// replacement, and a trampoline keeps the displaced instructions so that the
// replacement can still reach the original behaviour.
#pragma once

#include <cstddef>
#include <cstdint>

namespace skin {

class CodePatch {
public:
    static constexpr size_t kJumpSize = 5;  // jmp rel32

    CodePatch() = default;
    ~CodePatch() { Remove(); }
    CodePatch(const CodePatch&) = delete;
    CodePatch& operator=(const CodePatch&) = delete;

    // Sends every call of `entry` to `replacement`. False, with nothing
    // changed, when the first instructions cannot be moved (a branch back into
    // them, a short loop instruction, code of the next function within reach).
    bool Apply(void* entry, const void* replacement);
    // Puts the overwritten bytes back exactly.
    void Remove();

    bool Applied() const { return m_entry != nullptr; }
    // Calls the original function while applied.
    void* Trampoline() const { return m_trampoline; }

private:
    uint8_t* m_entry = nullptr;
    uint8_t m_saved[kJumpSize] = {};
    void* m_trampoline = nullptr;
};

}  // namespace skin
