#include "runtime/program.h"

#include <algorithm>
#include <exception>
#include <new>
#include <string>

#include "heap/heap.h"
#include "language/catalogue.h"
#include "platform/platform.h"
#include "platform/text_encoding.h"
#include "runtime/dll_commands.h"
#include "runtime/message_box.h"
#include "runtime/report.h"
#include "runtime/runtime_state.h"
#include "runtime/services.h"
#include "runtime/window_template.h"

namespace rt {

namespace {

constexpr int32_t kNotifyStart = 1;
constexpr int32_t kNotifyEnd = 6;

// Splits a module path at its last backslash; a trail byte is never taken for one.
void SplitExecutablePath(const std::string& path, std::string* dir, std::string* file) {
  size_t last = std::string::npos;
  for (size_t i = 0; i < path.size(); i++) {
    if (platform::Cp936CharLength(path, i) == 2) {
      i++;
      continue;
    }
    if (path[i] == '\\' || path[i] == '/') last = i;
  }
  if (last == std::string::npos) {
    dir->clear();
    *file = path;
  } else {
    *dir = path.substr(0, last);
    *file = path.substr(last + 1);
  }
}

void LoadTemplates(const ProgramDescriptor& program) {
  std::vector<WindowTemplate> templates;
  std::string error;
  if (!ParseWindowTemplates(program.templateSegment, program.templateSize, &templates, &error))
    FatalError(language::TextId::kErrorTemplateData);
  for (WindowTemplate& tmpl : templates) {
    for (ComponentTemplate& entry : tmpl.entries) {
      entry.routes.clear();
      for (auto [event, routine] : entry.handlers) {
        EventHandler handler = nullptr;
        if (routine != -1) {
          // An event must never jump through a number the program has no routine for.
          if (!program.codeBase || routine < 0 || routine >= program.routineCount)
            FatalError(language::TextId::kErrorTemplateData);
          handler = program.codeBase[routine];
        }
        entry.routes.emplace_back(event, handler);
      }
    }
    auto loaded = std::make_unique<LoadedWindow>();
    loaded->tmpl = std::move(tmpl);
    State().windows.push_back(std::move(loaded));
  }
}

bool AnyWindowAlive() {
  for (auto& loaded : State().windows)
    if (loaded->live && loaded->live->Exists()) return true;
  return false;
}

void ExitRequestFromOtherThread(intptr_t code) { EndProgram(static_cast<int32_t>(code)); }

}  // namespace

RuntimeState& State() {
  static RuntimeState state;
  return state;
}

int32_t RunProgram(const ProgramDescriptor& program, ProgramEntry entry) {
  State().program = &program;
  entry();
  // The entry routine's 0 is a failed instance start-up to the framework: it skips its
  // own loop and goes straight to the exit sequence.
  RunExitSequence(0);
  return 0;
}

const ProgramDescriptor& CurrentProgram() { return *State().program; }

void InitRuntime() {
  RuntimeState& state = State();
  const ProgramDescriptor& program = *state.program;
  if (!state.oleInitialised) state.oleInitialised = platform::OleInitialize();

  SplitExecutablePath(platform::ExecutablePath(), &state.executableDirectory,
                      &state.executableFileName);
  platform::SetWorkingDirectory(state.executableDirectory);

  platform::InitUserInterface();
  state.uiThread = platform::CurrentThreadId();

  if (program.constantStart) SetConstantSegment(program.constantStart, program.constantSize);

  InitDllCommands(program);

  for (int32_t i = 0; i < program.libraryCount; i++) {
    const SupportLibrary* library = program.libraries[i];
    if (library->notify)
      library->notify(kNotifyStart, reinterpret_cast<intptr_t>(&SystemRequest), 0);
    state.libraries.push_back(library);
    state.libraryStates.push_back(0);
  }

  LoadTemplates(program);
  state.initialised = true;
}

void AddExitCallback(void (*callback)()) {
  auto& list = State().exitCallbacks;
  if (std::find(list.begin(), list.end(), callback) == list.end()) list.push_back(callback);
}

const WindowTemplate* FindWindowTemplate(ComponentId id) {
  for (auto& loaded : State().windows)
    if (loaded->tmpl.Id() == id) return &loaded->tmpl;
  return nullptr;
}

Window* FindLoadedWindow(ComponentId id) {
  for (auto& loaded : State().windows)
    if (loaded->tmpl.Id() == id) return loaded->live.get();
  return nullptr;
}

void LoadStartWindow(int32_t windowId) {
  for (auto& loaded : State().windows) {
    if (loaded->tmpl.Id() != windowId) continue;
    loaded->live = std::make_unique<Window>(loaded->tmpl);
    if (!loaded->live->Create()) {
      loaded->live.reset();
      break;
    }
    return;
  }
  FatalError(language::TextId::kErrorStartWindow, windowId, 0);
}

void RunMessageLoop() {
  RuntimeState& state = State();
  state.loopStarted = true;
  if (!AnyWindowAlive()) return;
  bool idle = true;
  int32_t idleCount = 0;
  for (;;) {
    while (idle && !platform::MessageWaiting()) {
      for (size_t i = state.idleCallbacks.size(); i-- > 0;) {
        IdleCallback entry = state.idleCallbacks[i];
        entry.callback(entry.parameter);
      }
      // The framework's idle handler has nothing further to do.
      idle = false;
      idleCount++;
    }
    if (platform::PumpMessage(true, true) == platform::PumpResult::Quit) return;
    idle = true;
    idleCount = 0;
  }
}

void OnWindowDestroyed(Window*) {
  RuntimeState& state = State();
  if (state.loopStarted && !AnyWindowAlive()) platform::PostQuit(0);
}

void DispatchEvent(ComponentId window, ComponentId component, int32_t event) {
  RuntimeState& state = State();
  if (state.suppressEvents > 0) return;
  const WindowTemplate* tmpl = FindWindowTemplate(window);
  if (!tmpl) FatalError(language::TextId::kErrorEventWindowNotFound, window, 0);
  const ComponentTemplate* entry = nullptr;
  for (const ComponentTemplate& e : tmpl->entries)
    if (e.id == (component == 0 ? window : component)) entry = &e;
  if (!entry) FatalError(language::TextId::kErrorEventComponentNotFound, window, component);
  // A link word hands the event to another entry of the same type.
  for (int hops = 0; entry->link != 0 && hops < 64; hops++) {
    const ComponentTemplate* next = nullptr;
    for (const ComponentTemplate& e : tmpl->entries)
      if (e.id == entry->link && e.type == entry->type) next = &e;
    if (!next) break;
    entry = next;
  }
  const ComponentTypeInfo* type = FindComponentType(entry->type);
  if (!type || (type->flags & (kTypeRaisesEvents | kTypeRaisesEventsToo)) == 0)
    FatalError(language::TextId::kErrorEventComponentInvalid, window, component);
  EventHandler handler = nullptr;
  bool routed = false;
  for (auto [number, routine] : entry->routes)
    if (number == event) {
      handler = routine;
      routed = true;
    }
  if (!routed || !handler) return;
  state.eventWindow = window;
  state.eventComponent = component;
  // The event came from a window procedure or a system callback, which no C++ exception
  // may cross. Running out of memory is told and the program goes on; anything else is
  // a fatal report, as the runtime's own errors are.
  try {
    handler();
  } catch (const std::bad_alloc&) {
    ShowMessageText(language::Text(language::TextId::kErrorEventOutOfMemory), 0);
  } catch (const std::exception& e) {
    FatalError(language::Text(language::TextId::kErrorInternal, {platform::Cp936ToUtf16(e.what())}),
               window, component);
  }
  state.eventWindow = 0;
  state.eventComponent = 0;
}

void SuppressEvents() { State().suppressEvents++; }
int32_t EventSuppressionCount() { return State().suppressEvents; }
ComponentId CurrentEventWindow() { return State().eventWindow; }
ComponentId CurrentEventComponent() { return State().eventComponent; }
const std::vector<std::string>& DroppedFiles() { return State().droppedFiles; }
void RefuseClose() { State().closeRefused = true; }

const std::string& ExecutableDirectory() { return State().executableDirectory; }
const std::string& ExecutableFileName() { return State().executableFileName; }

void RunExitSequence(int32_t code) {
  RuntimeState& state = State();
  state.suppressEvents++;
  if (state.uiThread != 0 && platform::CurrentThreadId() != state.uiThread) {
    platform::PostTask(ExitRequestFromOtherThread, code);
    if (!state.exitBegun) platform::ExitProcess(code);
    return;
  }
  if (state.exitBegun) return;
  state.exitBegun = true;
  state.idleCallbacks.clear();
  for (auto& loaded : state.windows)
    if (loaded->live) loaded->live->Destroy();
  state.windows.clear();
  std::vector<void (*)()> callbacks;
  callbacks.swap(state.exitCallbacks);
  for (auto callback : callbacks) callback();
  for (size_t i = 0; i < state.libraries.size(); i++)
    if (state.libraries[i]->notify)
      state.libraries[i]->notify(kNotifyEnd, 0, state.libraryStates[i]);
  state.libraries.clear();
  state.libraryStates.clear();
  FreeDllCommands();
  platform::ShutdownUserInterface();
  if (state.oleInitialised) {
    platform::OleUninitialize();
    state.oleInitialised = false;
  }
}

void EndProgram(int32_t code) {
  RunExitSequence(code);
  platform::ExitProcess(code);
}

void SetProgramForTests(const ProgramDescriptor& program) { State().program = &program; }

void ResetRuntimeForTests() {
  RuntimeState& state = State();
  for (auto& loaded : state.windows)
    if (loaded->live) loaded->live->Destroy();
  const ProgramDescriptor* program = state.program;
  state.~RuntimeState();
  new (&state) RuntimeState();
  state.program = program;
  FreeDllCommands();
}

}  // namespace rt
