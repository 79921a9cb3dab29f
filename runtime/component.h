// Windows and components as the runtime keeps them: what a window template says about
// each one, and the live objects made from it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "runtime/value.h"
#include "runtime/window_layout.h"

namespace rt {

class Window;

// Event numbers of the components that this program's windows hold.
enum EventNumber : int32_t {
  kEventWindowCreated = 0,
  kEventFilesDropped = 1,    // a window's; DroppedFiles() names what was dropped
  kEventCloseRequested = 2,  // a window's; its handler may call RefuseClose()
  kEventButtonClicked = 0,
  kEventListSelectionChanged = 0,  // a drop-down list's; the user chose another item
};

// One entry of a window template: the window itself or one of its components.
struct ComponentTemplate {
  ComponentId id = 0;
  uint32_t type = 0;
  std::string name;  // code page 936
  platform::Bounds bounds;
  std::string text;  // a window's caption, a button's text
  bool visible = true;
  bool disabled = false;
  ComponentId link = 0;  // another entry of the same type whose handlers apply instead
  std::vector<std::pair<int32_t, int32_t>> handlers;  // event number, stored routine entry
  std::map<std::string, std::string> settings;        // the kind's own settings
  std::vector<uint8_t> bytes;                         // the byte-array property (7)
  // The handlers after relocation against the program's code base (-1 gives none).
  std::vector<std::pair<int32_t, void (*)()>> routes;
};

// A window and its components in their stored form; entries[0] is the window itself.
struct WindowTemplate {
  std::vector<ComponentTemplate> entries;
  ComponentId Id() const { return entries.empty() ? 0 : entries[0].id; }
};

using EventHandler = void (*)();

// A live component. Common properties 0 to 7 are kept here; a component type's own
// properties (numbers 8 and up) are its subclass's business.
class Component {
 public:
  explicit Component(const ComponentTemplate& entry);
  virtual ~Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  ComponentId Id() const { return id_; }
  uint32_t Type() const { return type_; }
  const std::string& Name() const { return name_; }
  Window* Owner() const { return owner_; }

  // Builds the native view inside `owner` (a window builds its own top-level view).
  virtual void CreateView(Window& owner);
  virtual void DestroyView();
  platform::View* View() const { return view_; }

  // Common properties; writing one applies it to the native view at once.
  int64_t ReadCommonProperty(int32_t property) const;  // texts as new Text blocks
  void WriteCommonProperty(int32_t property, int64_t value);
  // The type's own property `index` (property number - 8). Texts as new Text blocks
  // when read and as pointers when written. Unknown properties read 0, write nothing.
  virtual int64_t ReadOwnProperty(int32_t index);
  virtual void WriteOwnProperty(int32_t index, int64_t value);

  // The window shows at a new DPI: the component takes its font and sizes for it. Its
  // place follows when the window applies its bounds.
  virtual void ApplyDpi(int dpi);
  // Moves the view to where the owner window places the component now.
  void Place() { ApplyBounds(); }
  // Which of its edges follow the window's right and bottom edges (Anchor bits).
  uint32_t Anchors() const { return anchors_; }
  // The least size (96-DPI numbers) that a stretching component may shrink to.
  virtual ClientSize MinimumSize() const { return {bounds_.width, bounds_.height}; }

  bool Disabled() const { return disabled_; }
  const std::vector<uint8_t>& BytesProperty() const { return bytes_; }
  bool Visible() const { return visible_; }
  const platform::Bounds& Bounds() const { return bounds_; }
  const std::string& Text() const { return text_; }
  // Sets the text from UTF-16: the view shows every character, while Text() and reads of
  // the text property give it in code page 936 ('?' for what the code page lacks).
  void WriteWideText(std::u16string_view text);

 protected:
  virtual void ApplyBounds();
  virtual void ApplyVisible();
  virtual void ApplyDisabled();
  virtual void ApplyText();
  void SetView(platform::View* view) { view_ = view; }
  void SetOwner(Window* owner) { owner_ = owner; }

 private:
  ComponentId id_;
  uint32_t type_;
  std::string name_;
  platform::Bounds bounds_;
  std::string text_;
  std::u16string wideText_;  // what the view shows: text_ in UTF-16 unless set wide
  bool visible_;
  bool disabled_;
  uint32_t anchors_;
  std::vector<uint8_t> bytes_;
  Window* owner_ = nullptr;
  platform::View* view_ = nullptr;
};

// A component that shows a modal dialog when asked (the file dialog).
class DialogComponent : public Component {
 public:
  using Component::Component;
  // Shows the dialog; true when the user confirmed a choice.
  virtual bool ShowDialog() = 0;
};

// A component type's flags: a type raises events when either bit is set. The types of
// this program set the first.
constexpr uint32_t kTypeRaisesEvents = 0x04;
constexpr uint32_t kTypeRaisesEventsToo = 0x40;

// A component type as its support library describes it.
struct ComponentTypeInfo {
  uint32_t type;
  uint32_t flags;  // kTypeRaisesEvents, kTypeRaisesEventsToo or 0
  std::unique_ptr<Component> (*create)(const ComponentTemplate& entry);
};

// A support library: its notification entry and the component types it offers.
struct SupportLibrary {
  const char* name;
  // Code 1 at start-up (argument: the SystemRequest entry), 6 when the program ends.
  intptr_t (*notify)(int32_t code, intptr_t argument, intptr_t stateWord);
  const ComponentTypeInfo* types;
  int32_t typeCount;
};

const ComponentTypeInfo* FindComponentType(uint32_t type);

// Sets the text of component `component` (0: the window itself, its caption) of the
// loaded window `window` from UTF-16, every character shown (Component::WriteWideText);
// false when there is no such component.
bool WriteComponentWideText(ComponentId window, ComponentId component, std::u16string_view text);

// Common properties 0 to 7 of an entry whose window is not created yet, read and
// written by the same rules as a live component's; the window is later made with them.
int64_t ReadTemplateProperty(const ComponentTemplate& entry, int32_t property);
void WriteTemplateProperty(ComponentTemplate* entry, int32_t property, int64_t value);

}  // namespace rt
