// The subtitle table's edit history: every change the user can make, done, undone and
// redone, on a table configured as the window's.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/table_time_shift.h"
#include "ui/grid_ctrl.h"
#include "ui/grid_find.h"
#include "ui/table_settings.h"

namespace {

using ui::WideText;

// Answers the clipboard; the edit box's text is whatever the test says.
class Sink : public ui::GridViewSink {
 public:
  void Redraw() override {}
  void RedrawCell(int32_t, int32_t) override {}
  void ScrollChanged() override {}
  void OpenEditor(const ui::EditRequest&) override {}
  void CloseEditor() override {}
  void CopyToClipboard(const WideText& text) override { clipboard = text; }
  WideText PasteFromClipboard() override { return clipboard; }
  WideText clipboard;
};

// Every cell of every row, its text in the form the cell keeps it ("n:" narrow, "w:"
// wide), so that an undo must give back the very bytes.
std::vector<std::string> Snapshot(const ui::CGridCtrl& grid) {
  std::vector<std::string> rows;
  for (int32_t r = 1; r < grid.RowCount(); ++r) {
    std::string row;
    for (int32_t c = 0; c < grid.ColumnCount(); ++c) {
      const ui::CGridCell* cell = grid.Cell(r, c);
      row += cell->HasWideText() ? "|w:" + ui::Utf16ToUtf8(cell->WideTextValue())
                                 : "|n:" + cell->NarrowText();
    }
    rows.push_back(row);
  }
  return rows;
}

std::string Row(int serial, const std::string& times, const char16_t* text) {
  return "|n:" + std::to_string(serial) + "|n:" + times + "|w:" + ui::Utf16ToUtf8(text);
}

class TableHistory : public ::testing::Test {
 public:
  void SetUp() override {
    ui::ConfigureTable(grid, {{"rows", "1"},
                              {"cols", "3"},
                              {"fixedRows", "1"},
                              {"fixedCols", "1"},
                              {"selectable", "1"},
                              {"numberedRows", "1"},
                              {"column0", "序号,50,2,0"},
                              {"column1", "时间戳,200,2,0"},
                              {"column2", "字幕文本,350,0,0"}});
    grid.SetSink(&sink);
    grid.SetClientSize(620, 340);
    const char16_t* texts[] = {u"甲 apple", u"乙 Apple pie", u"丙\nAPPLE", u"丁 pineapple"};
    for (int i = 0; i < 4; ++i) {
      int32_t row = grid.InsertRow(-1, nullptr);
      grid.Cell(row, 0)->SetNarrowText(std::to_string(row));
      grid.Cell(row, 1)->SetNarrowText(kTimes[i]);
      grid.Cell(row, 2)->SetWideText(texts[i]);
    }
    grid.SetModified(false);
  }
  void Click(int32_t row, int32_t column, bool ctrl = false, bool shift = false) {
    ui::CellRect rc = grid.CellRectangle(row, column);
    int x = (rc.left + rc.right) / 2, y = (rc.top + rc.bottom) / 2;
    grid.OnLeftDown(x, y, ctrl, shift);
    grid.OnLeftUp(x, y);
  }
  void Key(int32_t key, bool ctrl = false, bool shift = false) { grid.OnKeyDown(key, ctrl, shift); }

  static constexpr const char* kTimes[] = {
      "00:00:01,000 --> 00:00:02,000", "00:00:02,500 --> 00:00:04,000",
      "00:00:04,000 --> 00:00:05,250", "00:01:00,000 --> 00:01:01,999"};
  ui::CGridCtrl grid;
  Sink sink;
};

TEST_F(TableHistory, EveryChangeIsOneStepThatUndoesAndRedoesByteForByte) {
  const std::string t1 = kTimes[0], t2 = kTimes[1], t3 = kTimes[2], t4 = kTimes[3];
  struct Case {
    const char* name;
    std::function<void(TableHistory&)> change;
    std::vector<std::string> after;  // empty: the change changes nothing and adds no step
  };
  const std::vector<Case> cases = {
      {"edit in the box",
       [](TableHistory& t) {
         t.Click(2, 2);
         t.grid.BeginEdit(2, 2, ui::EditCaret::AtEnd, nullptr);
         t.grid.EndEdit(ui::EditEnd::Return, u"乙 pear");
       },
       {Row(1, t1, u"甲 apple"), Row(2, t2, u"乙 pear"), Row(3, t3, u"丙\nAPPLE"),
        Row(4, t4, u"丁 pineapple")}},
      {"edit that keeps the text",
       [](TableHistory& t) {
         t.grid.BeginEdit(3, 2, ui::EditCaret::AtEnd, nullptr);
         t.grid.EndEdit(ui::EditEnd::Return, u"丙\r\nAPPLE");
       },
       {}},
      {"paste of two rows and two columns",
       [](TableHistory& t) {
         t.sink.clipboard = u"00:00:00,000 --> 00:00:00,500\tA\r\n\tB\r\n";
         t.Click(1, 1);
         t.Key('V', true);
       },
       {Row(1, "00:00:00,000 --> 00:00:00,500", u"A"), Row(2, "", u"B"), Row(3, t3, u"丙\nAPPLE"),
        Row(4, t4, u"丁 pineapple")}},
      {"Ctrl+A then Delete",
       [](TableHistory& t) {
         t.Click(1, 1);
         t.Key('A', true);
         t.Key(ui::kKeyDelete);
       },
       {Row(1, "", u""), Row(2, "", u""), Row(3, "", u""), Row(4, "", u"")}},
      {"cut of a Shift+click range",
       [](TableHistory& t) {
         t.Click(2, 2);
         t.Click(3, 2, false, true);
         t.Key('X', true);
       },
       {Row(1, t1, u"甲 apple"), Row(2, t2, u""), Row(3, t3, u""), Row(4, t4, u"丁 pineapple")}},
      {"replace all, any case",
       [](TableHistory& t) {
         EXPECT_EQ(ui::ReplaceAllInColumn(t.grid, 2, {u"apple", false, false}, u"梨"), 4u);
       },
       {Row(1, t1, u"甲 梨"), Row(2, t2, u"乙 梨 pie"), Row(3, t3, u"丙\n梨"),
        Row(4, t4, u"丁 pine梨")}},
      {"replace all, whole words in this case",
       [](TableHistory& t) {
         EXPECT_EQ(ui::ReplaceAllInColumn(t.grid, 2, {u"Apple", true, true}, u"Pear"), 1u);
       },
       {Row(1, t1, u"甲 apple"), Row(2, t2, u"乙 Pear pie"), Row(3, t3, u"丙\nAPPLE"),
        Row(4, t4, u"丁 pineapple")}},
      {"replace all that finds nothing",
       [](TableHistory& t) {
         EXPECT_EQ(ui::ReplaceAllInColumn(t.grid, 2, {u"e\nA", false, false}, u"x"), 0u);
       },
       {}},
      {"shift of every row by 2.5 s",
       [](TableHistory& t) { EXPECT_EQ(app::ShiftTypedTimes(t.grid, u"2.5", false), u""); },
       {Row(1, "00:00:03,500 --> 00:00:04,500", u"甲 apple"),
        Row(2, "00:00:05,000 --> 00:00:06,500", u"乙 Apple pie"),
        Row(3, "00:00:06,500 --> 00:00:07,750", u"丙\nAPPLE"),
        Row(4, "00:01:02,500 --> 00:01:04,499", u"丁 pineapple")}},
      {"shift of the selected rows by -0.960 s",
       [](TableHistory& t) {
         t.Click(1, 2);
         t.Click(4, 2, true);
         EXPECT_EQ(app::ShiftTypedTimes(t.grid, u"-0.960", true), u"");
       },
       {Row(1, "00:00:00,040 --> 00:00:01,040", u"甲 apple"), Row(2, t2, u"乙 Apple pie"),
        Row(3, t3, u"丙\nAPPLE"), Row(4, "00:00:59,040 --> 00:01:01,039", u"丁 pineapple")}},
      {"shift refused: the first row would start before 0",
       [](TableHistory& t) {
         EXPECT_EQ(app::ShiftTypedTimes(t.grid, u"-1.001", false),
                   u"无法调整时间：第 1 行的开始时间将早于 00:00:00,000。没有改动任何字幕。");
       },
       {}},
      {"shift refused: a time cell holds no time range",
       [](TableHistory& t) {
         t.grid.Cell(3, 1)->SetNarrowText("soon");
         EXPECT_NE(app::ShiftTypedTimes(t.grid, u"1", false).find(u"第 3 行"), WideText::npos);
         t.grid.Cell(3, 1)->SetNarrowText(kTimes[2]);
       },
       {}},
      {"shift refused: not a number of seconds",
       [](TableHistory& t) {
         EXPECT_EQ(app::ShiftTypedTimes(t.grid, u"2,5", false),
                   u"“2,5”不是秒数。请输入如 2.5、-1.5 或 0.040 这样的秒数。");
       },
       {}},
      {"Ctrl+Delete on rows 2 and 4, renumbered",
       [](TableHistory& t) {
         t.Click(2, 1);
         t.Click(4, 2, true);
         t.Key(ui::kKeyDelete, true);
       },
       {Row(1, t1, u"甲 apple"), Row(2, t3, u"丙\nAPPLE")}},
      {"Ctrl+Delete on every row",
       [](TableHistory& t) {
         t.Click(1, 2);
         t.Key('A', true);
         t.Key(ui::kKeyDelete, true);
       },
       {"none"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    const std::vector<std::string> before = Snapshot(grid);
    c.change(*this);
    std::vector<std::string> expected = c.after;
    if (expected == std::vector<std::string>{"none"}) expected.clear();
    if (c.after.empty()) {
      EXPECT_EQ(Snapshot(grid), before);
      EXPECT_FALSE(grid.CanUndo());
      EXPECT_FALSE(grid.Modified());
      continue;
    }
    EXPECT_EQ(Snapshot(grid), expected);
    EXPECT_EQ(grid.History().StepCount(), 1u);
    EXPECT_TRUE(grid.Modified());
    Key('Z', true);
    EXPECT_EQ(Snapshot(grid), before);
    EXPECT_FALSE(grid.Modified());
    EXPECT_FALSE(grid.CanUndo());
    Key('Z', true, true);  // Ctrl+Shift+Z
    EXPECT_EQ(Snapshot(grid), expected);
    EXPECT_TRUE(grid.Modified());
    Key('Z', true);
    Key('Y', true);
    EXPECT_EQ(Snapshot(grid), expected);
    EXPECT_FALSE(grid.CanRedo());
  }
}

TEST_F(TableHistory, UnsavedFollowsTheHistoryAndFillingStartsANewOne) {
  auto edit = [&](int32_t row, const char16_t* text) {
    grid.BeginEdit(row, 2, ui::EditCaret::AtEnd, nullptr);
    grid.EndEdit(ui::EditEnd::Commit, text);
  };
  edit(1, u"a");
  grid.SetModified(false);  // exported here
  edit(2, u"b");
  EXPECT_TRUE(grid.Modified());
  EXPECT_TRUE(grid.Undo());
  EXPECT_FALSE(grid.Modified());  // back at the export: nothing to lose
  EXPECT_TRUE(grid.Undo());
  EXPECT_TRUE(grid.Modified());  // before the export
  EXPECT_TRUE(grid.Redo());
  EXPECT_FALSE(grid.Modified());
  // A new change below the exported state makes it unreachable.
  EXPECT_TRUE(grid.Undo());
  edit(3, u"c");
  EXPECT_FALSE(grid.CanRedo());
  EXPECT_TRUE(grid.Undo());
  EXPECT_TRUE(grid.Modified());
  // Filling the table again forgets every step; the fill then clears the flag.
  grid.SetRowCount(1);
  EXPECT_FALSE(grid.CanUndo());
  EXPECT_FALSE(grid.CanRedo());
  grid.SetModified(false);
  EXPECT_FALSE(grid.Undo());
  EXPECT_FALSE(grid.Modified());
  // Appending rows keeps the history; inserting among them forgets it.
  grid.InsertRow(-1, nullptr);
  grid.InsertRow(-1, nullptr);
  edit(1, u"x");
  grid.InsertRow(-1, nullptr);
  EXPECT_TRUE(grid.CanUndo());
  grid.InsertRow(1, nullptr);
  EXPECT_FALSE(grid.CanUndo());
}

TEST_F(TableHistory, FindWrapsBothWaysAndSelectsWhatTheBoxShows) {
  const ui::FindQuery apple{u"apple", false, false};
  ui::TextMatch at = ui::FindInColumn(grid, 2, apple, {1, 2, 0, 0}, true);
  std::vector<std::pair<int32_t, size_t>> found;
  for (int i = 0; i < 5; ++i) {
    found.emplace_back(at.row, at.start);
    at = ui::FindInColumn(grid, 2, apple, at, true);
  }
  EXPECT_EQ(found,
            (std::vector<std::pair<int32_t, size_t>>{{1, 2}, {2, 2}, {3, 2}, {4, 6}, {1, 2}}));
  at = ui::FindInColumn(grid, 2, apple, {1, 2, 2, 5}, false);  // up from the first: wraps
  EXPECT_EQ(at.row, 4);
  EXPECT_FALSE(ui::FindInColumn(grid, 2, {u"apple", false, true}, {4, 2, 0, 0}, true).row == 4);
  EXPECT_FALSE(ui::FindInColumn(grid, 2, {u"pear", false, false}, {}, true).Found());
  EXPECT_FALSE(ui::FindInColumn(grid, 2, {u"", false, false}, {}, true).Found());
  // "丙\nAPPLE": the box shows CR LF, so the match starts one unit later there.
  EXPECT_EQ(ui::EditBoxOffset(u"丙\nAPPLE", 2), 3u);
  EXPECT_EQ(ui::EditBoxOffset(u"丙\r\nAPPLE", 3), 3u);
}

}  // namespace
