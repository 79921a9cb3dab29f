// The machine-level call of a declared DLL function.
#pragma once

#include <cstdint>

namespace rt {

// Calls `function` with the `argc` pointer-sized words of `args` (first argument first)
// in the Windows standard convention, where the callee removes its arguments. Sets
// `*stackDelta` to how far the stack pointer moved over the call: 0 when the callee
// removed exactly its arguments. The stack is restored either way. Builds that cannot
// measure the stack report 0; a call they cannot make at all reports -1.
intptr_t CallWithStackCheck(void* function, int32_t argc, const intptr_t* args,
                            int32_t* stackDelta);

}  // namespace rt
