/* Debian's cJSON built as a DLL that needs no MinGW start-up code: no TLS directory,
   no pseudo-relocation runtime, imports from msvcrt.dll and kernel32.dll only.
   cJSON.h marks every function __stdcall and dllexport. */

/* Keep strtod and the other C runtime functions msvcrt's own rather than MinGW's
   replacements, which live in a static library with start-up needs of its own. */
#define __USE_MINGW_ANSI_STDIO 0
#define __NO_ISOCEXT
/* cJSON falls back to sqrt(-1.0) for NAN, an import msvcrt's import library lacks. */
#define NAN __builtin_nan("")

#include "cJSON.c"
