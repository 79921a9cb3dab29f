// The process entry of the window program.
#include <windows.h>

#include "app/main_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return rt::RunProgram(app::Program(), app::ProgramEntry);
}
