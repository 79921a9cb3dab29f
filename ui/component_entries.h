// Typed description entries for the components this library offers: the file dialog
// and the table. They write the settings that FileDialogProperties::Configure and
// ConfigureTable read back.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "runtime/window_description.h"

namespace ui {

enum class FileDialogKind : int32_t { kOpen = 0, kSave = 1 };

// One file type a file dialog offers: "字幕文件（*.srt）" with "*.srt".
struct FileType {
  const char* description;  // code page 936
  const char* pattern;
};

// A file dialog that asks for an existing path (open) or confirms overwriting (save),
// offering `types` in that order; the dialog's ChosenFilter counts them from 0.
rt::DescribedEntry FileDialogEntry(rt::ComponentId id, const char* name, FileDialogKind kind,
                                   const char* title, const std::vector<FileType>& types,
                                   const char* defaultExtension);

enum class ColumnAlign : int32_t { kLeft = 0, kCentre = 2, kRight = 3 };

// One column of a table: its title (code page 936), width at 96 DPI and alignment.
struct TableColumn {
  const char* title;
  int32_t width;
  ColumnAlign align;
};

// How a table looks and behaves; sizes at 96 DPI.
struct TableLook {
  uint32_t gridLineColour = 0xC0C0C0;
  int32_t gridLines = 3;  // 0 none, 1 between rows, 2 between columns, 3 both
  bool rowResize = true;
  bool columnResize = true;
  int32_t rowHeight = 24;
  int32_t columnWidth = 60;
  int32_t fixedRows = 1;
  int32_t fixedColumns = 1;
  bool editable = true;
  bool selectable = false;
  int32_t enterAction = 0;
  bool listMode = false;
  // The first column counts the rows from 1, renumbered when rows are deleted.
  bool numberedRows = false;
  // The column that takes what the table gains or loses in width (-1: none), and the
  // least width it keeps.
  int32_t stretchColumn = -1;
  int32_t stretchMinimum = 0;
};

// A table with one title row and `columns` in order.
rt::DescribedEntry TableEntry(rt::ComponentId id, const char* name, const platform::Bounds& bounds,
                              const TableLook& look, std::initializer_list<TableColumn> columns);

}  // namespace ui
