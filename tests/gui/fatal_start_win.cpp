// A program whose window templates are corrupt: it starts the runtime only to end in
// the fatal report, as a damaged executable would.
#include <windows.h>

#include "runtime/program.h"
#include "runtime/services.h"

namespace {

const char kBrokenTemplates[] = "window id=0x52010001 type=0x00010001 width=seven\n";

int32_t Entry() {
  rt::Services().CallRuntimeRoutine(rt::kRoutineInitRuntime, 0, 0, 0);
  rt::Services().LoadStartWindow(0x52010001);
  rt::Services().RunMessageLoop();
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  static const rt::ProgramDescriptor program = {{3, 0, 104137},
                                                nullptr,
                                                0,
                                                nullptr,
                                                0,
                                                kBrokenTemplates,
                                                sizeof kBrokenTemplates - 1,
                                                0,
                                                nullptr,
                                                0,
                                                nullptr,
                                                nullptr};
  return rt::RunProgram(program, Entry);
}
