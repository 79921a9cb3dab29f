// The table view as a component of a window (type 0x00020001 of library 2). Its own
// properties are the table's numbered settings; its template settings are described in
// ui/table_settings.h.
#pragma once

#include <memory>

#include "runtime/component.h"
#include "ui/grid_ctrl.h"
#include "ui/grid_view.h"

namespace ui {

// The own property after the numbered settings: 1 once the user has changed a cell (see
// CGridCtrl::Modified), else 0; writing 0 clears it.
constexpr int32_t kTableUserModified = kSettingCount;

class TableComponent : public rt::Component {
 public:
  explicit TableComponent(const rt::ComponentTemplate& entry);
  ~TableComponent() override;

  CGridCtrl& Grid() { return grid_; }
  // The table's native window (an HWND in the Windows build), null without a view.
  void* NativeView() const { return view_ ? view_->NativeHandle() : nullptr; }

  // Ends an edit in progress as leaving its box does, so that its text counts.
  void CommitEdit() {
    if (view_) view_->CommitEdit();
  }

  // Builds the table's window inside the owner window's native view.
  void CreateView(rt::Window& owner) override;
  void DestroyView() override;
  int64_t ReadOwnProperty(int32_t index) override;
  void WriteOwnProperty(int32_t index, int64_t value) override;
  void ApplyDpi(int dpi) override;
  // Every column but the stretch column whole, the stretch column at its minimum, the
  // title row and one row, and room for the scroll bars.
  rt::ClientSize MinimumSize() const override { return minimum_; }

 protected:
  void ApplyBounds() override;
  void ApplyVisible() override;
  void ApplyDisabled() override;

 private:
  CGridCtrl grid_;
  std::unique_ptr<GridView> view_;
  int dpi_ = rt::kDesignDpi;  // the DPI the grid's sizes are in pixels for
  int32_t stretchColumn_ = -1;
  int32_t stretchMinimum_ = 0;  // 96-DPI numbers
  rt::ClientSize minimum_;
};

// CommitEdit on the table `table` of `window`; nothing when there is no such table.
void TableCommitEdit(rt::ComponentId window, rt::ComponentId table);

// The model of the table `table` of `window`, or null when there is no such table.
CGridCtrl* TableGrid(rt::ComponentId window, rt::ComponentId table);

// The component factory of the table type.
std::unique_ptr<rt::Component> CreateTableComponent(const rt::ComponentTemplate& entry);

// Support library 2: the table view.
constexpr int32_t kGridLibraryNumber = 2;
extern const rt::SupportLibrary kGridLibrary;

}  // namespace ui
