// How the program describes itself to the runtime, and the process's way from entry
// to exit: start-up, the message loop, event dispatch and the exit sequence.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/component.h"

namespace rt {

// A constant record read once by InitRuntime.
struct ProgramDescriptor {
  int32_t leading[3];            // the description's first words; the runtime reads none
  const EventHandler* codeBase;  // window-template routine entries index this table
  int32_t routineCount;          // entries in codeBase
  const void* constantStart;     // null: the executable's read-only data
  uint32_t constantSize;
  const char* templateSegment;  // the stored window templates
  uint32_t templateSize;
  int32_t libraryCount;
  const SupportLibrary* const* libraries;
  int32_t dllCommandCount;
  const char* const* dllLibraryNames;  // may hold empty names
  const char* const* dllExportNames;   // "#n" names ordinal n
};

using ProgramEntry = int32_t (*)();

// The runtime's instance start-up: records the program, runs its entry routine, then
// the exit sequence with code 0. Returns the process's exit code.
int32_t RunProgram(const ProgramDescriptor& program, ProgramEntry entry);
const ProgramDescriptor& CurrentProgram();

// Initialises the runtime (CallRuntimeRoutine 6).
void InitRuntime();
// Adds `callback` to the exit list unless it is there already (CallRuntimeRoutine 3).
void AddExitCallback(void (*callback)());
// Loads the window with that id from its template and shows it; fatal if it cannot.
void LoadStartWindow(int32_t windowId);
// Runs the message loop until the quit message; returns at once with no live window.
void RunMessageLoop();
// Runs the exit sequence with `code`, then ends the process with it.
[[noreturn]] void EndProgram(int32_t code);
// The exit sequence alone (the normal path runs it and returns to the framework).
void RunExitSequence(int32_t code);

// Delivers one event of a window (component 0) or component to its handler.
void DispatchEvent(ComponentId window, ComponentId component, int32_t event);
// While above 0, events reach no handler.
void SuppressEvents();
int32_t EventSuppressionCount();
// Called by a window whose view has gone: posts quit when no loaded window is left.
void OnWindowDestroyed(Window* window);

// The loaded windows: the one with this id, or null.
Window* FindLoadedWindow(ComponentId id);
const WindowTemplate* FindWindowTemplate(ComponentId id);

// The executable's directory (no trailing backslash) and file name.
const std::string& ExecutableDirectory();
const std::string& ExecutableFileName();

// The source of the event being handled: window id and component id, 0 when none.
ComponentId CurrentEventWindow();
ComponentId CurrentEventComponent();
// The paths (UTF-8, every character kept) dropped on the window whose drop event is
// being handled, in the order the system gave them; no paths outside such an event.
const std::vector<std::string>& DroppedFiles();
// Called by the handler of a window's close request: the window stays open. Outside
// such a handler it does nothing.
void RefuseClose();

// Test hooks: forget everything InitRuntime and the loaded windows set up; name the
// program that InitRuntime reads.
void ResetRuntimeForTests();
void SetProgramForTests(const ProgramDescriptor& program);

}  // namespace rt
