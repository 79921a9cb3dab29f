// The drop-down list component: a field that shows the chosen item of a list that drops
// down below it, and an event when the user chooses another item. Its bounds are the
// field's; the dropped list takes what room it needs below.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "runtime/component.h"
#include "runtime/window_description.h"

namespace rt {

// Own property indices (property number = 8 + index).
enum DropDownListProperty : int32_t {
  kListSelection = 0,  // the chosen item from 0, -1 for none; writing one raises no event
  kListItemCount = 1,  // read only
};

class DropDownList : public Component {
 public:
  using Component::Component;

  void CreateView(Window& owner) override;
  void ApplyDpi(int dpi) override;
  int64_t ReadOwnProperty(int32_t index) override;
  void WriteOwnProperty(int32_t index, int64_t value) override;

  // Replaces the items (UTF-16, so that every character shows); none is chosen then.
  void SetItems(std::vector<std::u16string> items);
  const std::vector<std::u16string>& Items() const { return items_; }
  int Selection() const { return selection_; }
  // Records the item the user chose in the view; false when it was already the chosen one.
  bool TakeUserChoice(int index);

 private:
  std::vector<std::u16string> items_;
  int selection_ = -1;
};

// The component factory of the drop-down list type.
std::unique_ptr<Component> CreateDropDownList(const ComponentTemplate& entry);

// A drop-down list whose user's choice runs `onChoose`.
DescribedEntry DropDownListEntry(ComponentId id, const char* name, const platform::Bounds& bounds,
                                 EventHandler onChoose, Enabled enabled = Enabled::kYes);

// Replaces the items of drop-down list `list` on `window`; false when there is no such list.
bool ListSetItems(ComponentId window, ComponentId list, std::vector<std::u16string> items);

}  // namespace rt
