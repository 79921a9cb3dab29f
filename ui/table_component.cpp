#include "ui/table_component.h"

#include "runtime/services.h"
#include "runtime/window.h"
#include "ui/table_settings.h"

namespace ui {

TableComponent::TableComponent(const rt::ComponentTemplate& entry)
    : rt::Component(entry), minimum_(TableMinimumSize(entry.settings)) {
  ConfigureTable(grid_, entry.settings);
  StretchSetting stretch = ParseStretch(entry.settings);
  stretchColumn_ = stretch.column;
  stretchMinimum_ = stretch.minimum;
}

TableComponent::~TableComponent() { DestroyView(); }

void TableComponent::CreateView(rt::Window& owner) {
  SetOwner(&owner);
  if (view_) return;
  // The sizes the description gives are 96-DPI numbers; the grid keeps pixels.
  grid_.ScaleSizes(dpi_, owner.Dpi());
  dpi_ = owner.Dpi();
  platform::Bounds placed = owner.PlacedBounds(*this);
  grid_.SetStretchColumn(stretchColumn_, rt::ScaleToDpi(stretchMinimum_, dpi_));
  grid_.SetOuterWidth(placed.width);
  view_ = CreateGridView(platform::NativeHandle(owner.View()), placed, grid_,
                         static_cast<int>(Id() & 0xFFFF), dpi_);
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
  if (!Owner()) return;
  platform::Bounds placed = Owner()->PlacedBounds(*this);
  grid_.SetOuterWidth(placed.width);
  if (view_) view_->Move(placed);
}

void TableComponent::ApplyDpi(int dpi) {
  if (dpi == dpi_) return;
  grid_.ScaleSizes(dpi_, dpi);
  dpi_ = dpi;
  if (view_) view_->SetDpi(dpi);
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

CGridCtrl* TableGrid(rt::ComponentId window, rt::ComponentId table) {
  auto* component = reinterpret_cast<rt::Component*>(
      rt::SystemRequest(rt::kRequestComponentObject, window, static_cast<int32_t>(table)));
  auto* tableComponent = dynamic_cast<TableComponent*>(component);
  return tableComponent ? &tableComponent->Grid() : nullptr;
}

std::unique_ptr<rt::Component> CreateTableComponent(const rt::ComponentTemplate& entry) {
  return std::make_unique<TableComponent>(entry);
}

namespace {

intptr_t NotifyGridLibrary(int32_t, intptr_t, intptr_t) { return 0; }

const rt::ComponentTypeInfo kGridTypes[] = {
    {rt::kComponentTable, rt::kTypeRaisesEvents, &CreateTableComponent},
};

}  // namespace

const rt::SupportLibrary kGridLibrary = {"grid", &NotifyGridLibrary, kGridTypes, 1};

}  // namespace ui
