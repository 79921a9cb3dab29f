/* Entry point of the cJSON DLL: nothing to set up, so every call succeeds. */
#include <windows.h>

BOOL WINAPI CjsonDllEntry(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)instance;
  (void)reason;
  (void)reserved;
  return TRUE;
}
