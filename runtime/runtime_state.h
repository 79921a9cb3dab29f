// The runtime's process-wide state: one object, created before the program's entry
// routine runs and living until the process ends.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/program.h"
#include "runtime/report.h"
#include "runtime/window.h"

namespace rt {

// A window template and the live window made from it, if any.
struct LoadedWindow {
  WindowTemplate tmpl;
  std::unique_ptr<Window> live;
};

struct IdleCallback {
  void* window;  // native handle the callback belongs to
  void (*callback)(intptr_t);
  intptr_t parameter;
};

struct RuntimeState {
  const ProgramDescriptor* program = nullptr;
  std::string executableDirectory;
  std::string executableFileName;
  uint32_t uiThread = 0;
  bool oleInitialised = false;
  bool initialised = false;
  std::vector<const SupportLibrary*> libraries;
  std::vector<intptr_t> libraryStates;
  std::vector<void (*)()> exitCallbacks;
  std::vector<IdleCallback> idleCallbacks;
  std::vector<std::unique_ptr<LoadedWindow>> windows;
  std::map<int32_t, uint8_t> openFiles;  // FileHandle -> kind
  bool exitBegun = false;
  bool loopStarted = false;
  int32_t suppressEvents = 0;
  ComponentId eventWindow = 0;
  ComponentId eventComponent = 0;
  std::vector<std::string> droppedFiles;  // of the drop event being handled
  bool closeRefused = false;              // set by the close request's handler
  ErrorHandler errorHandler = nullptr;
  bool errorHandlerRunning = false;
};

RuntimeState& State();

}  // namespace rt
