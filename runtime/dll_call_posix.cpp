#include <array>
#include <cstddef>
#include <utility>

#include "runtime/dll_call.h"

namespace rt {

namespace {

constexpr size_t kMostArguments = 16;

template <size_t... I>
intptr_t CallWithWords(void* function, const intptr_t* args, std::index_sequence<I...>) {
  using Function = intptr_t (*)(decltype(I, intptr_t{})...);
  return reinterpret_cast<Function>(function)(args[I]...);
}

using Caller = intptr_t (*)(void*, const intptr_t*);

template <size_t... N>
constexpr auto MakeCallers(std::index_sequence<N...>) {
  return std::array<Caller, sizeof...(N)>{{[](void* function, const intptr_t* args) {
    return CallWithWords(function, args, std::make_index_sequence<N>());
  }...}};
}

constexpr auto kCallers = MakeCallers(std::make_index_sequence<kMostArguments + 1>());

}  // namespace

// The stand-in functions take one word per argument, so a plain call by count reaches
// them; x86-64 callers clean up the stack themselves, so there is nothing to measure.
intptr_t CallWithStackCheck(void* function, int32_t argc, const intptr_t* args,
                            int32_t* stackDelta) {
  *stackDelta = 0;
  if (argc < 0 || static_cast<size_t>(argc) > kMostArguments) {
    *stackDelta = -1;
    return 0;
  }
  return kCallers[static_cast<size_t>(argc)](function, args);
}

}  // namespace rt
