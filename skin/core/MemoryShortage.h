// Memory that runs out inside an operation of the program's: the operation
// fails as it fails for other reasons, and the program goes on.
#pragma once

#include <new>
#include <stdexcept>

namespace skin {

// What `work` returns; `fallback` when an allocation inside it fails or a
// container cannot grow that far.
template <typename Result, typename Work>
Result UnlessMemoryRunsOut(Work work, Result fallback)
{
    try {
        return work();
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return fallback;
}

}  // namespace skin
