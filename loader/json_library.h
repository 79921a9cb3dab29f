// The cJSON library as the program reaches it: mapped once at start-up from the
// image in the program's constant data, then searched by export name.
#pragma once

#include <cstdint>

// Calling convention of every cJSON entry point found through JsonLibraryExport.
#ifdef _WIN32
#define CJSON_CALL __stdcall
#else
#define CJSON_CALL
#endif

// Base of the mapped cJSON image, 0 until MapJsonLibrary has run or when mapping
// failed. Written once by MapJsonLibrary and never cleared, except by tests that need
// the unmapped case.
extern uintptr_t JsonLibraryModule;

// Start-up step: maps the embedded cJSON image and stores the result in
// JsonLibraryModule, whatever it is. In the Linux build the module is a stand-in
// handle over the cJSON library linked into the program.
void MapJsonLibrary();

// Address of the cJSON function `name` (exact, case-sensitive), or null when
// JsonLibraryModule is 0 or has no such export.
void* JsonLibraryExport(const char* name);
