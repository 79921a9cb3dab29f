// The push button component: a caption and a click event.
#pragma once

#include <memory>

#include "runtime/component.h"

namespace rt {

class Button : public Component {
 public:
  using Component::Component;
  void CreateView(Window& owner) override;
};

std::unique_ptr<Component> CreateButton(const ComponentTemplate& entry);

}  // namespace rt
