// Names of system functions composed in a local buffer at run time, one character
// at a time, so that they never lie among the program's constant strings.
#pragma once

#include <cstddef>

namespace loader {

// Stores the characters and a terminating zero into `out`, which must hold them all.
// The volatile stores keep the compiler from folding them back into a constant.
template <typename Unit, typename... Chars>
void ComposeName(Unit* out, Chars... chars) {
  volatile Unit* target = out;
  size_t index = 0;
  ((target[index++] = static_cast<Unit>(chars)), ...);
  target[index] = 0;
}

}  // namespace loader
