#include "runtime/drop_down_list.h"

#include "runtime/services.h"
#include "runtime/window.h"

namespace rt {

void DropDownList::CreateView(Window& owner) {
  Component::CreateView(owner);
  platform::View* view = platform::CreateDropDownList(owner.View(), owner.ControlIdOf(*this),
                                                      owner.PlacedBounds(*this));
  SetView(view);
  if (!view) return;
  platform::SetListItems(view, items_);
  platform::SetListSelection(view, selection_);
  platform::EnableView(view, !Disabled());
  platform::ShowView(view, Visible());
}

void DropDownList::ApplyDpi(int dpi) {
  Component::ApplyDpi(dpi);
  if (!View()) return;
  // The dropped list's width follows its items in the new font.
  platform::SetListItems(View(), items_);
  platform::SetListSelection(View(), selection_);
}

int64_t DropDownList::ReadOwnProperty(int32_t index) {
  switch (index) {
    case kListSelection:
      return selection_;
    case kListItemCount:
      return static_cast<int64_t>(items_.size());
    default:
      return 0;
  }
}

void DropDownList::WriteOwnProperty(int32_t index, int64_t value) {
  if (index != kListSelection) return;
  bool inRange = value >= 0 && value < static_cast<int64_t>(items_.size());
  selection_ = inRange ? static_cast<int>(value) : -1;
  if (View()) platform::SetListSelection(View(), selection_);
}

void DropDownList::SetItems(std::vector<std::u16string> items) {
  items_ = std::move(items);
  selection_ = -1;
  if (View()) platform::SetListItems(View(), items_);
}

bool DropDownList::TakeUserChoice(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size()) || index == selection_) return false;
  selection_ = index;
  return true;
}

std::unique_ptr<Component> CreateDropDownList(const ComponentTemplate& entry) {
  return std::make_unique<DropDownList>(entry);
}

DescribedEntry DropDownListEntry(ComponentId id, const char* name, const platform::Bounds& bounds,
                                 EventHandler onChoose, Enabled enabled) {
  DescribedEntry entry = ComponentEntry(id, kComponentDropDownList, name, bounds);
  entry.disabled = enabled == Enabled::kNo;
  entry.handlers = {{kEventListSelectionChanged, onChoose}};
  return entry;
}

bool ListSetItems(ComponentId window, ComponentId list, std::vector<std::u16string> items) {
  auto* component = reinterpret_cast<Component*>(
      SystemRequest(kRequestComponentObject, window, static_cast<int32_t>(list)));
  auto* dropDown = dynamic_cast<DropDownList*>(component);
  if (!dropDown) return false;
  dropDown->SetItems(std::move(items));
  return true;
}

}  // namespace rt
