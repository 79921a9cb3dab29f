// A live window: its top-level view, its components, and the event routes that its
// template gave it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "runtime/component.h"

namespace rt {

class Window : public Component, public platform::ViewEvents {
 public:
  explicit Window(const WindowTemplate& tmpl);
  ~Window() override;

  // Creates the top-level view and every component's view, shows the window and
  // raises its created event. False if a component type is unknown or the view could
  // not be made.
  bool Create();
  void Destroy();
  bool Exists() const { return View() != nullptr; }

  // The entry with this id (the window's own entry for 0 or its own id), or null.
  Component* FindComponent(ComponentId id);
  const std::vector<std::unique_ptr<Component>>& Components() const { return components_; }
  const ComponentTemplate* FindEntry(ComponentId id) const;
  const WindowTemplate& Template() const { return template_; }
  // The handler of `event` on entry `id`, following link words; null when none.
  EventHandler HandlerFor(ComponentId id, int32_t event) const;

  void CreateView(Window& owner) override;
  void DestroyView() override;

  // Where a component of this window goes now, in pixels: its described rectangle at
  // the window's DPI, its anchored edges following the window's size.
  platform::Bounds PlacedBounds(const Component& component) const;
  // The DPI the window lays itself out for.
  int Dpi() const { return dpi_; }

  // The native control id of one of this window's components (0 if not one of them).
  // Ids start above the ones dialog keys send (IDOK 1, IDCANCEL 2 and the rest), so
  // that Return or Escape on the window never reaches a component as its click.
  int ControlIdOf(const Component& component) const;
  static constexpr int kFirstControlId = 100;

  // platform::ViewEvents
  void OnButtonClicked(int controlId) override;
  void OnViewDestroyed() override;
  void OnFilesDropped(const std::vector<std::string>& paths) override;
  bool OnCloseRequested() override;
  void OnListSelectionChanged(int controlId, int index) override;
  void OnViewResized(int width, int height) override;
  void OnDpiChanged(int dpi) override;
  void MinimumClientSize(int* width, int* height) override;

 protected:
  void ApplyBounds() override;

 private:
  LayoutFrame Frame() const { return {dpi_, reference_, client_}; }
  // The component behind a native control id, or null.
  Component* ComponentOfControl(int controlId) const;

  WindowTemplate template_;
  std::vector<std::unique_ptr<Component>> components_;  // not including the window itself
  int dpi_ = kDesignDpi;
  ClientSize reference_;  // the client area at the described size, at dpi_
  ClientSize client_;
  bool laidOut_ = false;  // the components may be placed
};

}  // namespace rt
