// The table view's library commands (library 2), their work on a table model, and typed
// wrappers that call them through the runtime's CallLibraryCommand.
#pragma once

#include <cstdint>
#include <string>

#include "heap/heap.h"
#include "runtime/services.h"
#include "runtime/value.h"
#include "ui/grid_ctrl.h"

namespace ui {

// AppendRow(table, optional heading Text, optional position Int): low word 1 when a
// row was added.
void CmdAppendRow(rt::CommandResult* result, int32_t argc, rt::CommandArg* args);
// SetCellText(table, row, column, kind, value): low word 1 when the value was stored.
void CmdSetCellText(rt::CommandResult* result, int32_t argc, rt::CommandArg* args);
// GetCellText(table, row, column): a typed result; Text owned by the caller, or Bool
// false outside the table.
void CmdGetCellText(rt::CommandResult* result, int32_t argc, rt::CommandArg* args);
// SetCellWideText(table, row, column, Bytes of UTF-16LE units): stores the units as the
// cell's wide text, whatever its row; low word 1 when stored.
void CmdSetCellWideText(rt::CommandResult* result, int32_t argc, rt::CommandArg* args);
// GetCellWideText(table, row, column): the text the cell shows as Bytes of UTF-16LE
// units, owned by the caller, or Bool false outside the table.
void CmdGetCellWideText(rt::CommandResult* result, int32_t argc, rt::CommandArg* args);

// The commands' work on a model. Arguments of kind rt::kTypeNone count as left out.
int32_t AppendRowTo(CGridCtrl& grid, const rt::CommandArg& heading, const rt::CommandArg& position);
int32_t SetCellTextOf(CGridCtrl& grid, int32_t row, int32_t column, int32_t kind,
                      const rt::CommandArg& value);
rt::CommandResult GetCellTextOf(const CGridCtrl& grid, int32_t row, int32_t column);
int32_t SetCellWideTextOf(CGridCtrl& grid, int32_t row, int32_t column, WideText text);
rt::CommandResult GetCellWideTextOf(const CGridCtrl& grid, int32_t row, int32_t column);
// A value as a cell stores it; false for a type that has no text form.
bool ValueToCellText(const rt::CommandArg& value, std::string* text);

// Appends one empty row after the last; false if it could not.
bool TableAppendRow(rt::ComponentId window, rt::ComponentId table);
// Writes a text into a cell; false outside the table.
bool TableSetCellText(rt::ComponentId window, rt::ComponentId table, int32_t row, int32_t column,
                      const char* text);

// What GetCellText gave: a text (null when empty) or, outside the table, no text.
struct CellTextResult {
  bool isText = false;
  rt::OwnedText text;
};
CellTextResult TableGetCellText(rt::ComponentId window, rt::ComponentId table, int32_t row,
                                int32_t column);

// Writes UTF-16 text into a cell, so that it shows every character; false outside the
// table. GetCellText still reads it in code page 936.
bool TableSetCellWideText(rt::ComponentId window, rt::ComponentId table, int32_t row,
                          int32_t column, const WideText& text);

// What GetCellWideText gave: the text the cell shows or, outside the table, no text.
struct CellWideTextResult {
  bool isText = false;
  WideText text;
};
CellWideTextResult TableGetCellWideText(rt::ComponentId window, rt::ComponentId table, int32_t row,
                                        int32_t column);

}  // namespace ui
