#include "ui/component_entries.h"

#include <string>

namespace ui {

rt::DescribedEntry FileDialogEntry(rt::ComponentId id, const char* name, FileDialogKind kind,
                                   const char* title, const std::vector<FileType>& types,
                                   const char* defaultExtension) {
  std::string filter;
  for (const FileType& type : types) {
    if (!filter.empty()) filter += "|";
    filter += std::string(type.description) + "|" + type.pattern;
  }
  rt::DescribedEntry entry = rt::ComponentEntry(id, rt::kComponentFileDialog, name);
  entry.visible = false;
  entry.settings = {{"DialogType", std::to_string(static_cast<int32_t>(kind))},
                    {"Title", title},
                    {"Filter", filter},
                    {"InitialFilter", "0"},
                    {"DefaultExtension", defaultExtension},
                    {"CreatePrompt", "0"},
                    {"FileMustExist", "1"},
                    {"OverwritePrompt", "1"},
                    {"PathMustExist", "1"},
                    {"NoChangeFolder", "0"}};
  return entry;
}

rt::DescribedEntry TableEntry(rt::ComponentId id, const char* name, const platform::Bounds& bounds,
                              const TableLook& look, std::initializer_list<TableColumn> columns) {
  rt::DescribedEntry entry = rt::ComponentEntry(id, rt::kComponentTable, name, bounds);
  entry.settings = {{"gridLineColour", rt::StoredHex(look.gridLineColour)},
                    {"gridLines", std::to_string(look.gridLines)},
                    {"rowResize", rt::StoredFlag(look.rowResize)},
                    {"columnResize", rt::StoredFlag(look.columnResize)},
                    {"rowHeight", std::to_string(look.rowHeight)},
                    {"columnWidth", std::to_string(look.columnWidth)},
                    {"rows", "1"},
                    {"cols", std::to_string(columns.size())},
                    {"fixedRows", std::to_string(look.fixedRows)},
                    {"fixedCols", std::to_string(look.fixedColumns)},
                    {"editable", rt::StoredFlag(look.editable)},
                    {"selectable", rt::StoredFlag(look.selectable)},
                    {"enterAction", std::to_string(look.enterAction)},
                    {"listMode", rt::StoredFlag(look.listMode)},
                    {"numberedRows", rt::StoredFlag(look.numberedRows)}};
  if (look.stretchColumn >= 0) {
    entry.settings.emplace_back("stretchColumn", std::to_string(look.stretchColumn));
    entry.settings.emplace_back("stretchMinimum", std::to_string(look.stretchMinimum));
  }
  int index = 0;
  for (const TableColumn& column : columns)
    entry.settings.emplace_back("column" + std::to_string(index++),
                                std::string(column.title) + "," + std::to_string(column.width) +
                                    "," + std::to_string(static_cast<int32_t>(column.align)) +
                                    ",0");
  return entry;
}

}  // namespace ui
