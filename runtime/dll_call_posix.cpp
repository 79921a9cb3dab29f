#include "runtime/dll_call.h"

namespace rt {

namespace {

using W = intptr_t;

}  // namespace

// The stand-in functions take one word per argument, so a plain call by count reaches
// them; x86-64 callers clean up the stack themselves, so there is nothing to measure.
intptr_t CallWithStackCheck(void* function, int32_t argc, const intptr_t* a,
                            int32_t* stackDelta) {
  *stackDelta = 0;
  switch (argc) {
    case 0: return reinterpret_cast<W (*)()>(function)();
    case 1: return reinterpret_cast<W (*)(W)>(function)(a[0]);
    case 2: return reinterpret_cast<W (*)(W, W)>(function)(a[0], a[1]);
    case 3: return reinterpret_cast<W (*)(W, W, W)>(function)(a[0], a[1], a[2]);
    case 4: return reinterpret_cast<W (*)(W, W, W, W)>(function)(a[0], a[1], a[2], a[3]);
    case 5:
      return reinterpret_cast<W (*)(W, W, W, W, W)>(function)(a[0], a[1], a[2], a[3], a[4]);
    case 6:
      return reinterpret_cast<W (*)(W, W, W, W, W, W)>(function)(a[0], a[1], a[2], a[3], a[4],
                                                               a[5]);
    case 7:
      return reinterpret_cast<W (*)(W, W, W, W, W, W, W)>(function)(a[0], a[1], a[2], a[3],
                                                                  a[4], a[5], a[6]);
    case 8:
      return reinterpret_cast<W (*)(W, W, W, W, W, W, W, W)>(function)(a[0], a[1], a[2], a[3],
                                                                     a[4], a[5], a[6], a[7]);
    case 9:
      return reinterpret_cast<W (*)(W, W, W, W, W, W, W, W, W)>(function)(
          a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8]);
    case 10:
      return reinterpret_cast<W (*)(W, W, W, W, W, W, W, W, W, W)>(function)(
          a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
    case 11:
      return reinterpret_cast<W (*)(W, W, W, W, W, W, W, W, W, W, W)>(function)(
          a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10]);
    case 12:
      return reinterpret_cast<W (*)(W, W, W, W, W, W, W, W, W, W, W, W)>(function)(
          a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11]);
    default:
      *stackDelta = -1;
      return 0;
  }
}

}  // namespace rt
