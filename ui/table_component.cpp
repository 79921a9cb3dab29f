#include "ui/table_component.h"

#include "runtime/services.h"
#include "runtime/window.h"
#include "ui/table_settings.h"

namespace ui {

TableComponent::TableComponent(const rt::ComponentTemplate& entry) : rt::Component(entry) {
  ConfigureTable(grid_, entry.settings);
}

TableComponent::~TableComponent() { DestroyView(); }

void TableComponent::CreateView(rt::Window& owner) {
  SetOwner(&owner);
  if (view_) return;
  view_ = CreateGridView(platform::NativeHandle(owner.View()), Bounds(), grid_,
                         static_cast<int>(Id() & 0xFFFF));
  if (view_) {
    view_->Show(Visible());
    view_->Enable(!Disabled());
  }
}

void TableComponent::DestroyView() {
  grid_.SetSink(nullptr);
  view_.reset();
}

int64_t TableComponent::ReadOwnProperty(int32_t index) {
  if (index == kTableUserModified) return grid_.Modified() ? 1 : 0;
  if (index < 0 || index >= kSettingCount) return 0;
  return grid_.Setting(index);
}

void TableComponent::WriteOwnProperty(int32_t index, int64_t value) {
  if (index == kTableUserModified) {
    grid_.SetModified(value != 0);
    return;
  }
  grid_.SetSetting(index, static_cast<int32_t>(value));
}

void TableComponent::ApplyBounds() {
  if (view_) view_->Move(Bounds());
}

void TableComponent::ApplyVisible() {
  if (view_) view_->Show(Visible());
}

void TableComponent::ApplyDisabled() {
  if (view_) view_->Enable(!Disabled());
}

void TableCommitEdit(rt::ComponentId window, rt::ComponentId table) {
  auto* component = reinterpret_cast<rt::Component*>(
      rt::SystemRequest(rt::kRequestComponentObject, window, static_cast<int32_t>(table)));
  if (auto* tableComponent = dynamic_cast<TableComponent*>(component)) tableComponent->CommitEdit();
}

std::unique_ptr<rt::Component> CreateTableComponent(const rt::ComponentTemplate& entry) {
  return std::make_unique<TableComponent>(entry);
}

namespace {

intptr_t NotifyGridLibrary(int32_t, intptr_t, intptr_t) { return 0; }

const rt::ComponentTypeInfo kGridTypes[] = {
    {rt::kComponentTable, 0x04, &CreateTableComponent},
};

}  // namespace

const rt::SupportLibrary kGridLibrary = {"grid", &NotifyGridLibrary, kGridTypes, 1};

}  // namespace ui
