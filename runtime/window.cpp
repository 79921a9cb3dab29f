#include "runtime/window.h"

#include <cstdlib>

#include "runtime/drop_down_list.h"
#include "runtime/program.h"
#include "runtime/runtime_state.h"

namespace rt {

namespace {

bool SettingOn(const ComponentTemplate& entry, const char* key, bool fallback) {
  auto found = entry.settings.find(key);
  if (found == entry.settings.end()) return fallback;
  return found->second == "1";
}

}  // namespace

Window::Window(const WindowTemplate& tmpl) : Component(tmpl.entries.at(0)), template_(tmpl) {}

Window::~Window() { Destroy(); }

bool Window::Create() {
  if (Exists()) return true;
  components_.clear();
  for (size_t i = 1; i < template_.entries.size(); i++) {
    const ComponentTemplate& entry = template_.entries[i];
    const ComponentTypeInfo* type = FindComponentType(entry.type);
    if (!type || !type->create) return false;
    components_.push_back(type->create(entry));
  }
  const ComponentTemplate& self = template_.entries[0];
  platform::TopLevelStyle style;
  style.centred = SettingOn(self, "centred", true);
  style.minimiseBox = SettingOn(self, "minimiseBox", true);
  style.maximiseBox = SettingOn(self, "maximiseBox", false);
  style.resizable = SettingOn(self, "resizable", false);
  style.acceptsFiles = SettingOn(self, "acceptsFiles", false);
  platform::View* view = platform::CreateTopLevel(Text().c_str(), Bounds(), style, this);
  if (!view) return false;
  SetView(view);
  SetOwner(this);
  dpi_ = platform::ViewDpi(view);
  platform::ViewClientSize(view, &reference_.width, &reference_.height);
  client_ = reference_;
  laidOut_ = true;
  for (auto& component : components_) component->CreateView(*this);
  if (Disabled()) platform::EnableView(view, false);
  if (Visible()) platform::ShowView(view, true);
  DispatchEvent(Id(), 0, kEventWindowCreated);
  return true;
}

void Window::Destroy() {
  if (View()) platform::DestroyView(View());
}

void Window::CreateView(Window&) {}

void Window::DestroyView() {
  laidOut_ = false;
  for (auto& component : components_) component->DestroyView();
  Component::DestroyView();
}

platform::Bounds Window::PlacedBounds(const Component& component) const {
  return PlaceBounds(component.Bounds(), component.Anchors(), Frame());
}

void Window::OnViewResized(int width, int height) {
  client_ = {width, height};
  // The system sizes the window while it is being made, before its components exist.
  if (!laidOut_) return;
  for (auto& component : components_) component->Place();
}

void Window::OnDpiChanged(int dpi) {
  if (!laidOut_ || dpi <= 0 || dpi == dpi_) return;
  reference_ = {Rescale(reference_.width, dpi_, dpi), Rescale(reference_.height, dpi_, dpi)};
  client_ = {Rescale(client_.width, dpi_, dpi), Rescale(client_.height, dpi_, dpi)};
  dpi_ = dpi;
  for (auto& component : components_) component->ApplyDpi(dpi);
  // The size the system suggests for the new DPI follows as a resize, which places them.
}

void Window::MinimumClientSize(int* width, int* height) {
  *width = *height = 0;
  // While the window is being made its described client area is not known yet.
  if (!laidOut_) return;
  std::vector<ComponentRoom> rooms;
  for (auto& component : components_) {
    // A component without a place on the window (a dialog) needs no room.
    if (component->Bounds().width <= 0 && component->Bounds().height <= 0) continue;
    rooms.push_back({component->Bounds(), component->Anchors(), component->MinimumSize()});
  }
  ClientSize least = MinimumClient(rooms, Frame());
  *width = least.width;
  *height = least.height;
}

void Window::ApplyBounds() {
  if (View()) platform::MoveView(View(), ScaleBounds(Bounds(), dpi_));
}

Component* Window::FindComponent(ComponentId id) {
  if (id == 0 || id == Id()) return this;
  for (auto& component : components_)
    if (component->Id() == id) return component.get();
  return nullptr;
}

const ComponentTemplate* Window::FindEntry(ComponentId id) const {
  for (const ComponentTemplate& entry : template_.entries)
    if (entry.id == id) return &entry;
  return nullptr;
}

Component* Window::ComponentOfControl(int controlId) const {
  // Control ids count the window's components from kFirstControlId in template order.
  const size_t index = static_cast<size_t>(controlId - kFirstControlId);
  if (controlId < kFirstControlId || index >= components_.size()) return nullptr;
  return components_[index].get();
}

void Window::OnButtonClicked(int controlId) {
  Component* button = ComponentOfControl(controlId);
  // A disabled button takes no click, whatever sends the notification.
  if (!button || button->Disabled()) return;
  DispatchEvent(Id(), button->Id(), kEventButtonClicked);
}

void Window::OnListSelectionChanged(int controlId, int index) {
  auto* list = dynamic_cast<DropDownList*>(ComponentOfControl(controlId));
  // A list closed on the item it showed changes nothing.
  if (!list || list->Disabled() || !list->TakeUserChoice(index)) return;
  DispatchEvent(Id(), list->Id(), kEventListSelectionChanged);
}

bool Window::OnCloseRequested() {
  State().closeRefused = false;
  DispatchEvent(Id(), 0, kEventCloseRequested);
  bool refused = State().closeRefused;
  State().closeRefused = false;
  return !refused;
}

void Window::OnViewDestroyed() {
  if (!View()) return;
  DestroyView();
  OnWindowDestroyed(this);
}

void Window::OnFilesDropped(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  // A handler may let queued messages run, and with them another drop: each event
  // sees its own paths.
  std::vector<std::string> outer = std::move(State().droppedFiles);
  State().droppedFiles = paths;
  DispatchEvent(Id(), 0, kEventFilesDropped);
  State().droppedFiles = std::move(outer);
}

int Window::ControlIdOf(const Component& component) const {
  for (size_t i = 0; i < components_.size(); i++)
    if (components_[i].get() == &component) return static_cast<int>(i) + kFirstControlId;
  return 0;
}

}  // namespace rt
