// The body of subvane_callee.dll.
extern "C" __declspec(dllexport) int __stdcall CalleeAdd(int a, int b) { return a + b; }
extern "C" __declspec(dllexport) int __cdecl CalleeCdeclAdd(int a, int b) { return a + b; }
