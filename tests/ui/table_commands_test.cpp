#include "ui/table_commands.h"

#include <gtest/gtest.h>

#include <cstring>

#include "heap/heap.h"
#include "runtime/program.h"
#include "runtime/services.h"
#include "runtime/window.h"
#include "tests/ui/ui_program.h"
#include "ui/table_component.h"

namespace {

using uitest::kTable;
using uitest::kWindow;

class TableCommands : public ::testing::Test {
 protected:
  void SetUp() override { uitest::Start(); }
  void TearDown() override { uitest::Stop(); }

  ui::CGridCtrl& Grid() {
    auto* table =
        dynamic_cast<ui::TableComponent*>(rt::FindLoadedWindow(kWindow)->FindComponent(kTable));
    return table->Grid();
  }
  rt::CommandResult Get(int32_t row, int32_t column) {
    rt::CommandArg args[3] = {rt::ArgComponent(kWindow, kTable, rt::kComponentTable),
                              rt::ArgInt(row), rt::ArgInt(column)};
    return rt::Services().CallLibraryCommand(&ui::CmdGetCellText, 2, 3, args);
  }
  int32_t Set(int32_t row, int32_t column, const rt::CommandArg& value, int32_t kind = 1) {
    rt::CommandArg args[5] = {rt::ArgComponent(kWindow, kTable, rt::kComponentTable),
                              rt::ArgInt(row), rt::ArgInt(column), rt::ArgInt(kind), value};
    return rt::Services().CallLibraryCommand(&ui::CmdSetCellText, 2, 5, args).value.words.low;
  }
  std::string Text(int32_t row, int32_t column) {
    ui::CellTextResult r = ui::TableGetCellText(kWindow, kTable, row, column);
    EXPECT_TRUE(r.isText) << row << "," << column;
    return rt::TextToString(r.text.get());
  }
};

TEST_F(TableCommands, FreshTableHasOnlyTheTitleRow) {
  EXPECT_EQ(Grid().RowCount(), 1);
  EXPECT_EQ(Grid().ColumnCount(), 3);
  rt::CommandResult r = Get(1, 0);
  EXPECT_EQ(r.type, rt::kTypeBool);
  EXPECT_EQ(r.value.words.low, 0);
  EXPECT_EQ(Text(0, 0), "序号");
  EXPECT_EQ(Text(0, 1), "时间戳");
  EXPECT_EQ(Text(0, 2), "字幕文本");
  EXPECT_FALSE(ui::TableGetCellText(kWindow, kTable, -1, 0).isText);
  EXPECT_FALSE(ui::TableGetCellText(kWindow, kTable, 0, 3).isText);
}

TEST_F(TableCommands, AppendedRowsAreEmptyTextsAndKeepTheCurrentCell) {
  for (int k = 1; k <= 5; ++k) ASSERT_TRUE(ui::TableAppendRow(kWindow, kTable));
  EXPECT_EQ(Grid().RowCount(), 6);
  for (int row = 1; row <= 5; ++row) {
    for (int column = 0; column < 3; ++column) {
      rt::CommandResult r = Get(row, column);
      EXPECT_EQ(r.type, rt::kTypeText);
      EXPECT_EQ(r.value.ptr, nullptr);  // the empty text
    }
  }
  Grid().SetCurrentCell(2, 1);
  // A heading goes to column 0; a position among the data rows inserts there; a
  // position that is not below the row count appends.
  rt::CommandArg args[3] = {rt::ArgComponent(kWindow, kTable, rt::kComponentTable),
                            rt::ArgText("首"), rt::ArgInt(1)};
  EXPECT_EQ(rt::Services().CallLibraryCommand(&ui::CmdAppendRow, 2, 3, args).value.words.low, 1);
  EXPECT_EQ(Text(1, 0), "首");
  args[1] = rt::ArgNone();
  args[2] = rt::ArgInt(99);
  EXPECT_EQ(rt::Services().CallLibraryCommand(&ui::CmdAppendRow, 2, 3, args).value.words.low, 1);
  EXPECT_EQ(Grid().RowCount(), 8);
  args[2] = rt::ArgInt(0);  // the title row cannot be pushed down
  rt::Services().CallLibraryCommand(&ui::CmdAppendRow, 2, 3, args);
  EXPECT_EQ(Text(0, 2), "字幕文本");
  EXPECT_EQ(Grid().CurrentRow(), 2);
  EXPECT_EQ(Grid().CurrentColumn(), 1);
}

TEST_F(TableCommands, WritesStoreTextAndOutsideWritesChangeNothing) {
  ui::TableAppendRow(kWindow, kTable);
  ui::TableAppendRow(kWindow, kTable);
  EXPECT_TRUE(ui::TableSetCellText(kWindow, kTable, 1, 2, "你好"));
  EXPECT_EQ(Text(1, 2), "你好");
  EXPECT_FALSE(Grid().Cell(1, 2)->HasWideText());
  EXPECT_EQ(Grid().Cell(1, 2)->Format(), 0x804u | 0x20u);  // the format stays

  EXPECT_EQ(Set(3, 0, rt::ArgText("x")), 0);  // row = row count
  EXPECT_EQ(Set(1, 3, rt::ArgText("x")), 0);
  EXPECT_EQ(Set(-1, 0, rt::ArgText("x")), 0);
  EXPECT_EQ(Set(1, -1, rt::ArgText("x")), 0);
  EXPECT_EQ(Grid().RowCount(), 3);

  EXPECT_EQ(Set(0, 1, rt::ArgText("T")), 1);  // the title row holds wide text
  EXPECT_TRUE(Grid().Cell(0, 1)->HasWideText());
  EXPECT_EQ(Grid().Cell(0, 1)->WideTextValue(), u"T");
  EXPECT_EQ(Text(0, 1), "T");

  EXPECT_EQ(Set(2, 0, rt::ArgInt(-42)), 1);
  EXPECT_EQ(Text(2, 0), "-42");
  EXPECT_EQ(Set(2, 1, rt::ArgDouble(0.1)), 1);
  EXPECT_EQ(Text(2, 1), "0.1");
  EXPECT_EQ(Set(2, 1, rt::ArgLong(1234567890123LL)), 1);
  EXPECT_EQ(Text(2, 1), "1234567890123");
  rt::CommandArg date = rt::ArgDouble(45000.5);
  date.type = rt::kTypeDateTime;
  EXPECT_EQ(Set(2, 2, date), 1);
  EXPECT_EQ(Text(2, 2), "2023-03-15 12:00:00");
  EXPECT_EQ(Set(2, 2, rt::ArgBool(true)), 0);    // no text form
  EXPECT_EQ(Set(2, 2, rt::ArgText("k"), 2), 0);  // only the text kind is written
  EXPECT_EQ(Text(2, 2), "2023-03-15 12:00:00");

  // A title row that stops being fixed keeps its wide text; a later write must show.
  rt::Services().WriteComponentProperty(kWindow, kTable, 8 + ui::kSettingFixedRows, -1, 0, 0);
  EXPECT_EQ(Set(0, 1, rt::ArgText("n")), 1);
  EXPECT_EQ(Text(0, 1), "n");
}

TEST_F(TableCommands, EditedTextComesBackAndCancelledEditsLeaveTheOldText) {
  ui::TableAppendRow(kWindow, kTable);
  ui::TableSetCellText(kWindow, kTable, 1, 2, "旧");
  ui::CGridCtrl& grid = Grid();
  grid.SetCurrentCell(1, 2);
  ASSERT_TRUE(grid.OnChar(u'\r', false));
  grid.EndEdit(ui::EditEnd::Cancel, u"丢弃");
  EXPECT_EQ(Text(1, 2), "旧");
  ASSERT_TRUE(grid.OnChar(u'\r', false));
  grid.EndEdit(ui::EditEnd::Return, u"新的\r\n两行");
  EXPECT_EQ(Text(1, 2), "新的\r\n两行");
  // A title edited as wide text reads back converted to code page 936.
  ui::TableSetCellText(kWindow, kTable, 0, 2, "题");
  EXPECT_EQ(Text(0, 2), "题");
}

TEST_F(TableCommands, WideTextIsShownWholeAndReadInCodePage936) {
  ASSERT_TRUE(ui::TableAppendRow(kWindow, kTable));
  const std::u16string text = u"Xin chào bạn 😀";
  EXPECT_TRUE(ui::TableSetCellWideText(kWindow, kTable, 1, 2, text));
  EXPECT_EQ(ui::TableGetCellWideText(kWindow, kTable, 1, 2).text, text);
  EXPECT_EQ(Text(1, 2), "Xin ch\xA8\xA4o b?n ??");
  // A narrow cell reads back wide; an empty one as empty; outside the table nothing.
  EXPECT_TRUE(ui::TableSetCellText(kWindow, kTable, 1, 1, "你好"));
  EXPECT_EQ(ui::TableGetCellWideText(kWindow, kTable, 1, 1).text, u"你好");
  ui::CellWideTextResult empty = ui::TableGetCellWideText(kWindow, kTable, 1, 0);
  EXPECT_TRUE(empty.isText);
  EXPECT_EQ(empty.text, u"");
  EXPECT_FALSE(ui::TableGetCellWideText(kWindow, kTable, 2, 0).isText);
  EXPECT_FALSE(ui::TableSetCellWideText(kWindow, kTable, 1, 3, u"x"));
  EXPECT_EQ(Grid().RowCount(), 2);
  // A narrow write afterwards replaces the wide text.
  EXPECT_TRUE(ui::TableSetCellText(kWindow, kTable, 1, 2, "A"));
  EXPECT_EQ(ui::TableGetCellWideText(kWindow, kTable, 1, 2).text, u"A");
}

TEST_F(TableCommands, TableSettingsAreItsOwnProperties) {
  const rt::RuntimeServiceTable& s = rt::Services();
  EXPECT_EQ(s.ReadComponentProperty(kWindow, kTable, 8 + ui::kSettingGridLines, -1), 3);
  s.WriteComponentProperty(kWindow, kTable, 8 + ui::kSettingGridLines, -1, -4, 0);
  EXPECT_EQ(s.ReadComponentProperty(kWindow, kTable, 8 + ui::kSettingGridLines, -1), 0);
  EXPECT_EQ(s.ReadComponentProperty(kWindow, kTable, 8 + ui::kSettingRowCount, -1), 1);
  s.WriteComponentProperty(kWindow, kTable, 8 + ui::kSettingRowCount, -1, 0, 0);  // refused
  EXPECT_EQ(Grid().RowCount(), 1);
  EXPECT_EQ(s.ReadComponentProperty(kWindow, kTable, 8 + ui::kSettingGridLineColour, -1), 0xC0C0C0);
}

}  // namespace
