/* A DLL for the loader's Windows tests. Its entry point asks the test, through an
   import from a library that does not exist (the test's resolver supplies it),
   whether to accept; it also imports from version.dll, a real library the test
   process does not otherwise load, so that the test can see it freed again. */
#include <windows.h>

int ProbeHostEntry(void* instance, unsigned long reason);

BOOL WINAPI ProbeEntry(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)reserved;
  return ProbeHostEntry(instance, reason);
}

__declspec(dllexport) DWORD ProbeVersionInfoSize(const char* path) {
  return GetFileVersionInfoSizeA(path, NULL);
}
