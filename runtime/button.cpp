#include "runtime/button.h"

#include "runtime/window.h"

namespace rt {

void Button::CreateView(Window& owner) {
  Component::CreateView(owner);
  platform::View* view = platform::CreateButton(owner.View(), owner.ControlIdOf(*this),
                                                Text().c_str(), owner.PlacedBounds(*this));
  SetView(view);
  if (!view) return;
  // Made from the code page 936 text; a text set in UTF-16 shows every character.
  ApplyText();
  platform::EnableView(view, !Disabled());
  platform::ShowView(view, Visible());
}

std::unique_ptr<Component> CreateButton(const ComponentTemplate& entry) {
  return std::make_unique<Button>(entry);
}

}  // namespace rt
