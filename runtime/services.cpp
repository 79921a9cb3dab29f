#include "runtime/services.h"

#include "heap/heap.h"
#include "language/catalogue.h"
#include "platform/platform.h"
#include "runtime/dll_commands.h"
#include "runtime/program.h"
#include "runtime/report.h"
#include "runtime/runtime_state.h"
#include "runtime/window.h"

namespace rt {

namespace {

CommandResult CallCoreCommandService(CommandFn command, int32_t argc, CommandArg* args) {
  CommandResult result{};
  command(&result, argc, args);
  return result;
}

CommandResult CallLibraryCommandService(CommandFn command, int32_t /*library*/, int32_t argc,
                                        CommandArg* args) {
  return CallCoreCommandService(command, argc, args);
}

// The window entry for a property access, or the fatal report when none is loaded.
LoadedWindow& LoadedWindowFor(int32_t window, int32_t component) {
  for (auto& loaded : State().windows)
    if (loaded->tmpl.Id() == window) return *loaded;
  FatalError(language::TextId::kErrorWindowNotLoaded, window, component);
}

Component& LiveComponent(LoadedWindow& loaded, int32_t window, int32_t component,
                         language::TextId notCreatedMessage) {
  if (!loaded.live || !loaded.live->Exists()) FatalError(notCreatedMessage, window, component);
  Component* found = loaded.live->FindComponent(component);
  if (!found) FatalError(language::TextId::kErrorComponentMissing, window, component);
  return *found;
}

// The template entry of a component whose window is loaded but not created: its common
// properties live there until the window is made from it.
ComponentTemplate& TemplateEntry(LoadedWindow& loaded, int32_t window, int32_t component) {
  if (component == 0) return loaded.tmpl.entries[0];
  for (ComponentTemplate& entry : loaded.tmpl.entries)
    if (entry.id == component) return entry;
  FatalError(language::TextId::kErrorComponentMissing, window, component);
}

bool Created(const LoadedWindow& loaded) { return loaded.live && loaded.live->Exists(); }

int64_t ReadComponentPropertyService(int32_t window, int32_t component, int32_t property,
                                     int32_t index) {
  (void)index;
  LoadedWindow& loaded = LoadedWindowFor(window, component);
  if (property < kFirstOwnProperty && !Created(loaded))
    return ReadTemplateProperty(TemplateEntry(loaded, window, component), property);
  Component& target =
      LiveComponent(loaded, window, component, language::TextId::kErrorReadPropertyWindowNotLoaded);
  if (property >= kFirstOwnProperty) return target.ReadOwnProperty(property - kFirstOwnProperty);
  return target.ReadCommonProperty(property);
}

void WriteComponentPropertyService(int32_t window, int32_t component, int32_t property,
                                   int32_t index, int32_t low, int32_t high) {
  (void)index;
  int64_t value = static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(high)) << 32) |
                                       static_cast<uint32_t>(low));
  LoadedWindow& loaded = LoadedWindowFor(window, component);
  if (property < kFirstOwnProperty && !Created(loaded)) {
    WriteTemplateProperty(&TemplateEntry(loaded, window, component), property, value);
    return;
  }
  Component& target = LiveComponent(loaded, window, component,
                                    language::TextId::kErrorWritePropertyWindowNotLoaded);
  if (property >= kFirstOwnProperty)
    target.WriteOwnProperty(property - kFirstOwnProperty, value);
  else
    target.WriteCommonProperty(property, value);
}

void ReportRuntimeErrorService(int32_t code, int32_t where, int32_t position) {
  ReportRuntimeError(code, where, position);
}

void EndProgramService(int32_t code) { EndProgram(code); }

intptr_t CallRuntimeRoutineService(int32_t routine, intptr_t a, intptr_t, intptr_t) {
  switch (routine) {
    case kRoutineAddExitCallback:
      AddExitCallback(reinterpret_cast<void (*)()>(a));
      return 0;
    case kRoutineInitRuntime:
      InitRuntime();
      return 0;
    default:
      return 0;
  }
}

const RuntimeServiceTable kServices = {
    ReportRuntimeErrorService,
    CallDllCommand,
    CallLibraryCommandService,
    CallCoreCommandService,
    ReadComponentPropertyService,
    WriteComponentPropertyService,
    Allocate,
    Reallocate,
    Free,
    EndProgramService,
    RunMessageLoop,
    LoadStartWindow,
    CallRuntimeRoutineService,
};

void ProcessPendingMessages() {
  while (platform::PumpMessage(false, false) == platform::PumpResult::Dispatched) {
  }
}

}  // namespace

const RuntimeServiceTable& Services() { return kServices; }

intptr_t SystemRequest(int32_t code, intptr_t arg, int32_t extra) {
  RuntimeState& state = State();
  switch (code) {
    case kRequestWindowObject: {
      Window* window = FindLoadedWindow(static_cast<ComponentId>(arg));
      return window && window->Exists() ? reinterpret_cast<intptr_t>(window) : 0;
    }
    case kRequestComponentObject: {
      auto window = static_cast<ComponentId>(arg);
      Window* live = FindLoadedWindow(window);
      Component* component = live && live->Exists() ? live->FindComponent(extra) : nullptr;
      if (!component) FatalError(language::TextId::kErrorComponentMissing, window, extra);
      return reinterpret_cast<intptr_t>(component);
    }
    case kRequestFileLookup: {
      auto found = state.openFiles.find(static_cast<int32_t>(arg));
      return found == state.openFiles.end() ? -1 : found->second;
    }
    case kRequestFileRegister:
      state.openFiles.emplace(static_cast<int32_t>(arg), static_cast<uint8_t>(extra));
      return 0;
    case kRequestFileRemove:
      return state.openFiles.erase(static_cast<int32_t>(arg)) ? 1 : 0;
    case kRequestProcessMessages:
      ProcessPendingMessages();
      return 0;
    case kRequestAllocate:
      return reinterpret_cast<intptr_t>(Allocate(extra));
    case kRequestFatalMessage:
      FatalErrorOfProgram(arg ? reinterpret_cast<const char*>(arg) : "");
    default:
      return 0;
  }
}

}  // namespace rt
