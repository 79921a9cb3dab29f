#include "runtime/component.h"

#include <algorithm>

#include "heap/heap.h"
#include "platform/text_encoding.h"
#include "runtime/program.h"
#include "runtime/runtime_state.h"
#include "runtime/services.h"
#include "runtime/window.h"
#include "runtime/window_description.h"

namespace rt {

namespace {

// The largest width or height a component keeps: 32627, not the 32767 of a 16-bit
// coordinate, as the runtime has always held them.
constexpr int64_t kLargestExtent = 32627;

// Widths and heights are held to 0..kLargestExtent when written.
int32_t ClampExtent(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int32_t>(value), 0, kLargestExtent));
}

int64_t TextValue(const std::string& text) {
  return static_cast<int64_t>(reinterpret_cast<uintptr_t>(NewText(text)));
}

}  // namespace

Component::Component(const ComponentTemplate& entry)
    : id_(entry.id),
      type_(entry.type),
      name_(entry.name),
      bounds_(entry.bounds),
      text_(entry.text),
      wideText_(platform::Cp936ToUtf16(entry.text)),
      visible_(entry.visible),
      disabled_(entry.disabled),
      anchors_(AnchorsOf(entry)),
      bytes_(entry.bytes) {}

void Component::CreateView(Window& owner) { owner_ = &owner; }

void Component::DestroyView() { view_ = nullptr; }

int64_t Component::ReadCommonProperty(int32_t property) const {
  switch (property) {
    case kPropLeft:
      return bounds_.left;
    case kPropTop:
      return bounds_.top;
    case kPropWidth:
      return bounds_.width;
    case kPropHeight:
      return bounds_.height;
    case kPropText:
      return TextValue(text_);
    case kPropVisible:
      return visible_ ? 1 : 0;
    case kPropDisabled:
      return disabled_ ? 1 : 0;
    case kPropBytes:
      return static_cast<int64_t>(
          reinterpret_cast<uintptr_t>(NewBytes(bytes_.data(), bytes_.size())));
    default:
      return 0;
  }
}

void Component::WriteCommonProperty(int32_t property, int64_t value) {
  auto v = static_cast<int32_t>(value);
  switch (property) {
    case kPropLeft:
      bounds_.left = v;
      ApplyBounds();
      break;
    case kPropTop:
      bounds_.top = v;
      ApplyBounds();
      break;
    case kPropWidth:
      bounds_.width = ClampExtent(value);
      ApplyBounds();
      break;
    case kPropHeight:
      bounds_.height = ClampExtent(value);
      ApplyBounds();
      break;
    case kPropText:
      text_ = TextToString(static_cast<const char*>(WordsPointer(value)));
      wideText_ = platform::Cp936ToUtf16(text_);
      ApplyText();
      break;
    case kPropVisible:
      visible_ = v != 0;
      ApplyVisible();
      break;
    case kPropDisabled:
      disabled_ = v != 0;
      ApplyDisabled();
      break;
    case kPropBytes: {
      const void* block = WordsPointer(value);
      const uint8_t* data = BytesData(block);
      bytes_.assign(data, data + BytesLength(block));
      break;
    }
    default:
      break;
  }
}

int64_t Component::ReadOwnProperty(int32_t) { return 0; }
void Component::WriteOwnProperty(int32_t, int64_t) {}

void Component::ApplyBounds() {
  if (view_) platform::MoveView(view_, owner_ ? owner_->PlacedBounds(*this) : bounds_);
}

void Component::ApplyDpi(int dpi) {
  if (view_) platform::SetViewFont(view_, platform::UiFontForDpi(dpi));
}
void Component::ApplyVisible() {
  if (view_) platform::ShowView(view_, visible_);
}
void Component::ApplyDisabled() {
  if (view_) platform::EnableView(view_, !disabled_);
}
void Component::ApplyText() {
  if (view_) platform::SetViewWideText(view_, wideText_);
}

void Component::WriteWideText(std::u16string_view text) {
  wideText_ = text;
  text_ = platform::Utf16ToCp936(text);
  ApplyText();
}

int64_t ReadTemplateProperty(const ComponentTemplate& entry, int32_t property) {
  return Component(entry).ReadCommonProperty(property);
}

void WriteTemplateProperty(ComponentTemplate* entry, int32_t property, int64_t value) {
  // A component without a view applies nothing: it only keeps the value.
  Component stored(*entry);
  stored.WriteCommonProperty(property, value);
  entry->bounds = stored.Bounds();
  entry->text = stored.Text();
  entry->visible = stored.Visible();
  entry->disabled = stored.Disabled();
  entry->bytes = stored.BytesProperty();
}

bool WriteComponentWideText(ComponentId window, ComponentId component, std::u16string_view text) {
  Window* live = FindLoadedWindow(window);
  Component* target = live ? live->FindComponent(component) : nullptr;
  if (!target) return false;
  target->WriteWideText(text);
  return true;
}

const ComponentTypeInfo* FindComponentType(uint32_t type) {
  for (const SupportLibrary* library : State().libraries)
    for (int32_t i = 0; i < library->typeCount; i++)
      if (library->types[i].type == type) return &library->types[i];
  return nullptr;
}

}  // namespace rt
