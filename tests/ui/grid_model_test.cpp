#include <gtest/gtest.h>

#include "ui/grid_ctrl.h"
#include "ui/table_settings.h"
#include "ui/text_convert.h"
#include "ui/text_lines.h"

namespace {

using ui::CGridCtrl;
using ui::EditCaret;
using ui::EditEnd;
using ui::WideText;

// Records what the model asks of its view.
class RecordingSink : public ui::GridViewSink {
 public:
  void Redraw() override { ++redraws; }
  void RedrawCell(int32_t, int32_t) override {}
  void ScrollChanged() override {}
  void OpenEditor(const ui::EditRequest& request) override {
    opened.push_back(request);
    open = true;
  }
  void CloseEditor() override { open = false; }
  void CopyToClipboard(const ui::WideText& text) override { clipboard = text; }
  ui::WideText PasteFromClipboard() override { return clipboard; }

  std::vector<ui::EditRequest> opened;
  bool open = false;
  int redraws = 0;
  ui::WideText clipboard;
};

ui::SettingsMap SubtitleTableSettings() {
  return {{"rows", "1"},
          {"cols", "3"},
          {"fixedRows", "1"},
          {"fixedCols", "1"},
          {"gridLines", "3"},
          {"rowHeight", "24"},
          {"column0", "序号,50,2,0"},
          {"column1", "时间戳,200,2,0"},
          {"column2", "字幕文本,350,0,0"}};
}

// A subtitle table with `dataRows` rows below the titles, in a 624 x 344 client area.
class SubtitleGrid : public ::testing::Test {
 protected:
  void Build(int dataRows) {
    ui::ConfigureTable(grid, SubtitleTableSettings());
    grid.SetSink(&sink);
    grid.SetClientSize(620, 340);
    for (int i = 0; i < dataRows; ++i) grid.InsertRow(-1, nullptr);
  }
  void Text(int32_t row, int32_t column, const std::string& text) {
    grid.Cell(row, column)->SetNarrowText(text);
  }
  std::string Read(int32_t row, int32_t column) { return grid.Cell(row, column)->ReadText(); }
  void Key(int32_t key, bool ctrl = false, bool shift = false) { grid.OnKeyDown(key, ctrl, shift); }
  void ExpectCurrent(int32_t row, int32_t column) {
    EXPECT_EQ(grid.CurrentRow(), row);
    EXPECT_EQ(grid.CurrentColumn(), column);
  }
  // Client point in the middle of a cell.
  std::pair<int, int> Centre(int32_t row, int32_t column) {
    ui::CellRect rc = grid.CellRectangle(row, column);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  }

  CGridCtrl grid;
  RecordingSink sink;
};

TEST(TextConvert, RoundTripsCodePage936AndReplacesWhatHasNoMapping) {
  EXPECT_EQ(ui::Cp936ToUtf16("序号 ab"), u"序号 ab");
  EXPECT_EQ(ui::Utf16ToCp936(u"字幕文本"), "字幕文本");
  EXPECT_EQ(ui::Utf16ToCp936(u"a\u0e01b").size(), 3u);  // no mapping: one "?" byte
  EXPECT_EQ(ui::Utf16ToCp936(u"a\u0e01b")[1], '?');
  EXPECT_EQ(ui::Cp936ToUtf16(std::string("a\x81", 2)).size(), 2u);  // lone lead byte at the end
  EXPECT_EQ(ui::Cp936ToUtf16(""), u"");
}

TEST(TextConvert, Utf8RoundTripsAndCodePage936LossesAreCounted) {
  // Vietnamese, an emoji (two units) and a Thai letter; à and 你 exist in code page 936.
  const std::string utf8 = u8"bạn à 你 😀 \u0e01?";
  const std::u16string wide = u"bạn à 你 😀 \u0e01?";
  EXPECT_EQ(ui::Utf8ToUtf16(utf8), wide);
  EXPECT_EQ(ui::Utf16ToUtf8(wide), utf8);
  EXPECT_EQ(ui::Utf8ToUtf16("a\xFF!"), u"a\uFFFD!");  // invalid bytes as U+FFFD
  EXPECT_EQ(ui::Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");

  EXPECT_EQ(ui::Utf16ToCp936(wide), "b?n \xA8\xA4 \xC4\xE3 ?? ??");
  EXPECT_EQ(ui::Cp936LostCharacters(wide), 3u);  // ạ, the emoji once, the Thai letter
  // A character written as a similar one is lost as well.
  EXPECT_EQ(ui::Utf16ToCp936(u"c\u00e2n"), "can");
  EXPECT_EQ(ui::Cp936LostCharacters(u"c\u00e2n \u00e0"), 1u);
  EXPECT_EQ(ui::Cp936LostCharacters(std::u16string(2, u'\xDC00')), 2u);  // lone surrogates
  EXPECT_EQ(ui::Cp936LostCharacters(u"你好? a"), 0u);
  EXPECT_EQ(ui::Cp936LostCharacters(u""), 0u);
}

TEST_F(SubtitleGrid, CreationGivesTitleRowWithDefinedColumns) {
  Build(0);
  EXPECT_EQ(grid.RowCount(), 1);
  EXPECT_EQ(grid.ColumnCount(), 3);
  EXPECT_EQ(grid.FixedRowCount(), 1);
  EXPECT_EQ(grid.FixedColumnCount(), 1);
  EXPECT_EQ(grid.ColumnWidth(0), 50);
  EXPECT_EQ(grid.ColumnWidth(1), 200);
  EXPECT_EQ(grid.ColumnWidth(2), 350);
  EXPECT_EQ(grid.RowHeight(0), 24);
  ASSERT_TRUE(grid.Cell(0, 1)->HasWideText());
  EXPECT_EQ(grid.Cell(0, 1)->WideTextValue(), u"时间戳");
  EXPECT_EQ(grid.Cell(0, 0)->Format(), 0x805u | 0x20u);
  EXPECT_EQ(grid.Cell(0, 2)->Format(), 0x804u | 0x20u);
  EXPECT_TRUE(grid.Cell(0, 2)->Has(ui::kCellFixed));
  EXPECT_EQ(grid.ColumnType(2), ui::kColumnTypeText);
  EXPECT_EQ(grid.CurrentRow(), -1);
}

TEST_F(SubtitleGrid, InsertedRowsTakeColumnFormatsAndRowZeroHeight) {
  Build(2);
  grid.SetRowHeightExact(0, 30);
  grid.InsertRow(-1, nullptr);
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.RowHeight(3), 30);
  EXPECT_EQ(grid.Cell(3, 1)->Format(), 0x805u | 0x20u);
  EXPECT_TRUE(grid.Cell(3, 0)->Has(ui::kCellFixed));
  EXPECT_FALSE(grid.Cell(3, 1)->Has(ui::kCellFixed));
  // Inserting above keeps the current indices and the open edit on its own content.
  Text(2, 1, "two");
  grid.SetCurrentCell(2, 1);
  ASSERT_TRUE(grid.BeginEdit(2, 1, EditCaret::AtEnd, nullptr));
  std::string heading = "h";
  EXPECT_EQ(grid.InsertRow(1, &heading), 1);
  EXPECT_EQ(Read(1, 0), "h");
  ExpectCurrent(2, 1);
  grid.EndEdit(EditEnd::Return, u"edited");
  EXPECT_EQ(Read(3, 1), "edited");
  EXPECT_EQ(Read(2, 1), "");
}

TEST(GridShape, FixedCountsSetBitsResetColoursAndCreateRows) {
  CGridCtrl grid;
  EXPECT_EQ(grid.InsertRow(-1, nullptr), 1);  // an empty table first gets a title row and column
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.ColumnCount(), 1);
  EXPECT_EQ(grid.FixedRowCount(), 1);
  EXPECT_FALSE(grid.SetRowCount(0));
  EXPECT_FALSE(grid.SetColumnCount(-1));
  EXPECT_EQ(grid.RowCount(), 2);
  grid.SetColumnCount(3);
  grid.SetFixedColumnCount(0);
  grid.Cell(1, 0)->SetBackColour(0x123456);
  grid.SetFixedColumnCount(1);
  EXPECT_TRUE(grid.Cell(1, 0)->Has(ui::kCellFixed));
  EXPECT_EQ(grid.Cell(1, 0)->BackColour(), ui::kDefaultColour);
  grid.SetFixedRowCount(4);
  EXPECT_EQ(grid.RowCount(), 4);
  grid.SetFixedRowCount(1);
  EXPECT_FALSE(grid.Cell(3, 2)->Has(ui::kCellFixed));
  // Sizes set through the table are raised to the minimum; the settings clamp.
  grid.SetRowHeight(1, 2);
  EXPECT_EQ(grid.RowHeight(1), 6);
  grid.SetSetting(ui::kSettingGridLines, 9);
  EXPECT_EQ(grid.Setting(ui::kSettingGridLines), 3);
  grid.SetSetting(ui::kSettingRowHeight, 30);
  EXPECT_EQ(grid.RowHeight(3), 30);
  grid.SetSetting(ui::kSettingListMode, 1);
  EXPECT_EQ(grid.Setting(ui::kSettingSelectable), 1);
  grid.SetSetting(ui::kSettingSelectable, 0);
  EXPECT_EQ(grid.Setting(ui::kSettingSelectable), 1);
}

TEST(GridShape, LongTitlesAreDroppedAndColumnDefinitionsParse) {
  ui::SettingsMap settings = {{"rows", "2"},
                              {"cols", "2"},
                              {"column0", "a,b,40,3,0"},
                              {"column1", std::string(250, 'x') + ",-1,2,4"}};
  auto defs = ui::ParseColumnDefinitions(settings);
  ASSERT_EQ(defs.size(), 2u);
  EXPECT_EQ(defs[0].title, u"a,b");
  EXPECT_EQ(defs[0].width, 40);
  CGridCtrl grid;
  ui::ConfigureTable(grid, settings);
  EXPECT_EQ(grid.ColumnWidth(0), 40);
  EXPECT_EQ(grid.ColumnWidth(1), 60);  // negative width: the default
  EXPECT_FALSE(grid.Cell(0, 1)->HasWideText());
  EXPECT_EQ(grid.Cell(1, 0)->Format(), 0x806u | 0x20u);
  EXPECT_EQ(grid.ColumnType(1), 104);
}

TEST_F(SubtitleGrid, ArrowsSkipHiddenAndFixedCellsAndStayAtEdges) {
  Build(4);
  grid.SetRowHeightExact(2, 0);  // hidden
  Key(ui::kKeyDown);             // no current cell: the first data cell
  ExpectCurrent(1, 1);
  Key(ui::kKeyUp);
  ExpectCurrent(1, 1);  // never onto the title row
  Key(ui::kKeyLeft);
  ExpectCurrent(1, 1);  // never onto the serial-number column
  Key(ui::kKeyDown);
  ExpectCurrent(3, 1);  // row 2 is hidden
  Key(ui::kKeyRight);
  Key(ui::kKeyRight);
  ExpectCurrent(3, 2);
  Key(ui::kKeyDown);
  Key(ui::kKeyDown);
  ExpectCurrent(4, 2);
  grid.SetSetting(ui::kSettingListMode, 1);
  Key(ui::kKeyLeft);
  ExpectCurrent(4, 2);
}

TEST_F(SubtitleGrid, TabWrapsBetweenRowsAndStopsAtTheEnds) {
  Build(2);
  grid.SetCurrentCell(1, 2);
  Key(ui::kKeyTab);
  ExpectCurrent(2, 1);
  Key(ui::kKeyTab);
  Key(ui::kKeyTab);
  ExpectCurrent(2, 2);  // the last cell: Tab stays
  Key(ui::kKeyTab, false, true);
  Key(ui::kKeyTab, false, true);
  ExpectCurrent(1, 2);
  Key(ui::kKeyTab, false, true);
  Key(ui::kKeyTab, false, true);
  ExpectCurrent(1, 1);  // the first data cell: Shift+Tab stays
}

TEST_F(SubtitleGrid, PageHomeAndEndMoveAndScroll) {
  Build(40);  // 24-pixel rows: 13 data rows fit under the title row
  EXPECT_EQ(grid.PageRows(), 13);
  grid.SetCurrentCell(1, 1);
  Key(ui::kKeyPageDown);
  EXPECT_EQ(grid.TopRow(), 14);
  ExpectCurrent(14, 1);
  Key(ui::kKeyEnd, true);
  ExpectCurrent(40, 2);
  EXPECT_EQ(grid.TopRow(), grid.MaxTopRow());
  Key(ui::kKeyPageDown);  // nothing left to scroll: the last row
  ExpectCurrent(40, 2);
  Key(ui::kKeyHome);
  ExpectCurrent(40, 1);
  Key(ui::kKeyPageUp);
  EXPECT_EQ(grid.CurrentRow(), 40 - 13);
  Key(ui::kKeyHome, true);
  ExpectCurrent(1, 1);
  EXPECT_EQ(grid.TopRow(), 1);
  Key(ui::kKeyPageUp);  // nothing to scroll: the first data row
  ExpectCurrent(1, 1);
  // The wheel scrolls three lines per notch, or a page.
  grid.OnWheel(-120, 3);
  EXPECT_EQ(grid.TopRow(), 4);
  grid.OnWheel(-60, 3);
  grid.OnWheel(-60, 3);
  EXPECT_EQ(grid.TopRow(), 7);
  grid.OnWheel(-120, -1);
  EXPECT_EQ(grid.TopRow(), 20);
  grid.OnWheel(240, 3);
  EXPECT_EQ(grid.TopRow(), 14);
}

TEST_F(SubtitleGrid, EnterF2AndTypingOpenTheBoxAsTheyShould) {
  Build(2);
  Text(1, 2, "abc");
  grid.SetCurrentCell(1, 2);
  EXPECT_TRUE(grid.OnChar(u'\r', false));
  ASSERT_EQ(sink.opened.size(), 1u);
  EXPECT_EQ(sink.opened[0].text, u"abc");
  EXPECT_EQ(sink.opened[0].caret, EditCaret::AtEnd);
  grid.EndEdit(EditEnd::Return, u"abc");  // Enter again closes without moving
  EXPECT_FALSE(grid.Editing());
  ExpectCurrent(1, 2);

  grid.OnChar(u'x', false);  // a character replaces the text
  EXPECT_EQ(sink.opened.back().text, u"x");
  grid.EndEdit(EditEnd::Cancel, u"x");
  EXPECT_EQ(Read(1, 2), "abc");  // Escape restores

  grid.OnChar(u'\b', false);
  EXPECT_EQ(sink.opened.back().text, u"ab");
  grid.EndEdit(EditEnd::Commit, u"ab");
  EXPECT_EQ(Read(1, 2), "ab");
  EXPECT_TRUE(grid.Modified());

  grid.OnChar(u' ', false);
  EXPECT_EQ(sink.opened.back().caret, EditCaret::SelectAll);
  EXPECT_EQ(sink.opened.back().text, u"ab");
  grid.EndEdit(EditEnd::Commit, u"ab\r\nsecond");  // Ctrl+Enter made a second line
  EXPECT_EQ(Read(1, 2), "ab\r\nsecond");

  size_t before = sink.opened.size();
  EXPECT_FALSE(grid.OnChar(u'y', true));  // Ctrl held
  EXPECT_FALSE(grid.OnChar(u'\x1b', false));
  EXPECT_FALSE(grid.OnChar(u'\t', false));
  Key(ui::kKeyF2);
  EXPECT_EQ(sink.opened.size(), before + 1);
  EXPECT_EQ(sink.opened.back().caret, EditCaret::AtEnd);
  grid.EndEdit(EditEnd::Commit, u"ab\r\nsecond");
}

TEST_F(SubtitleGrid, EnterSettingMovesInsteadOfEditing) {
  Build(2);
  grid.SetCurrentCell(1, 1);
  grid.SetSetting(ui::kSettingEnterAction, 1);
  grid.OnChar(u'\r', false);
  ExpectCurrent(1, 2);
  grid.SetSetting(ui::kSettingEnterAction, 2);
  grid.OnChar(u'\r', false);
  ExpectCurrent(2, 2);
  grid.SetSetting(ui::kSettingEnterAction, 3);
  EXPECT_FALSE(grid.OnChar(u'\r', false));
  EXPECT_TRUE(sink.opened.empty());
}

TEST_F(SubtitleGrid, TabEndsAnEditAndEditsTheNextCell) {
  Build(2);
  grid.SetCurrentCell(1, 1);
  grid.OnChar(u'a', false);
  grid.EndEdit(EditEnd::Tab, u"a1");
  EXPECT_EQ(Read(1, 1), "a1");
  ExpectCurrent(1, 2);
  ASSERT_TRUE(grid.Editing());
  EXPECT_EQ(sink.opened.back().caret, EditCaret::SelectAll);
  grid.SetCurrentCell(2, 2);
  grid.EndEdit(EditEnd::Cancel, WideText());
  grid.SetCurrentCell(2, 2);
  grid.OnChar(u'z', false);
  grid.EndEdit(EditEnd::Tab, u"z");  // the last cell: no further edit
  EXPECT_FALSE(grid.Editing());
  ExpectCurrent(2, 2);
}

TEST_F(SubtitleGrid, NoEditOnFixedReadOnlyOrWhenEditingIsOff) {
  Build(2);
  auto [x0, y0] = Centre(1, 0);
  grid.OnLeftDoubleClick(x0, y0);  // serial-number column
  auto [x1, y1] = Centre(0, 2);
  grid.OnLeftDoubleClick(x1, y1);  // title row
  EXPECT_TRUE(sink.opened.empty());
  EXPECT_FALSE(grid.BeginEdit(0, 1, EditCaret::AtEnd, nullptr));
  grid.Cell(2, 2)->SetBits(ui::kCellReadOnly, true);
  EXPECT_FALSE(grid.BeginEdit(2, 2, EditCaret::AtEnd, nullptr));
  grid.SetSetting(ui::kSettingEditable, 0);
  EXPECT_FALSE(grid.BeginEdit(1, 1, EditCaret::AtEnd, nullptr));
  EXPECT_TRUE(sink.opened.empty());
  // Delete clears the current cell only where editing is allowed.
  Text(1, 1, "keep");
  grid.SetCurrentCell(1, 1);
  Key(ui::kKeyDelete);
  EXPECT_EQ(Read(1, 1), "keep");
  grid.SetSetting(ui::kSettingEditable, 1);
  Key(ui::kKeyDelete);
  EXPECT_EQ(Read(1, 1), "");
}

TEST_F(SubtitleGrid, ClicksSelectThenEditTheCurrentCell) {
  Build(2);
  auto [x, y] = Centre(2, 1);
  grid.OnLeftDown(x, y, false, false);
  grid.OnLeftUp(x, y);
  ExpectCurrent(2, 1);
  EXPECT_TRUE(sink.opened.empty());
  grid.OnLeftDown(x, y, false, false);  // a click on the current cell edits on release
  EXPECT_FALSE(grid.Editing());
  grid.OnLeftUp(x, y);
  EXPECT_TRUE(grid.Editing());
  grid.EndEdit(EditEnd::Commit, WideText());
  auto [fx, fy] = Centre(1, 0);
  grid.OnLeftDown(fx, fy, false, false);  // fixed cells never become current
  grid.OnLeftUp(fx, fy);
  ExpectCurrent(2, 1);
  auto [dx, dy] = Centre(1, 2);
  grid.OnLeftDown(dx, dy, false, false);
  grid.OnLeftUp(dx, dy);
  grid.OnLeftDoubleClick(dx, dy);
  EXPECT_TRUE(grid.Editing());
  EXPECT_EQ(grid.EditColumn(), 2);
  // Typing while a button drag is in progress does not start an edit.
  grid.EndEdit(EditEnd::Cancel, WideText());
  grid.OnLeftDown(dx, dy, false, false);
  EXPECT_FALSE(grid.OnChar(u'q', false));
}

TEST_F(SubtitleGrid, BoundariesInTheHeaderBandResizeAndFit) {
  Build(2);
  // The boundary between column 1 and 2 lies at x = 250 in the title row.
  EXPECT_EQ(grid.OnMouseMove(252, 10, false), ui::GridCursor::SizeColumn);
  EXPECT_EQ(grid.OnMouseMove(252, 40, false), ui::GridCursor::Arrow);  // below the band
  EXPECT_EQ(grid.OnMouseMove(20, 48, false), ui::GridCursor::SizeRow);
  grid.OnLeftDown(249, 10, false, false);
  EXPECT_TRUE(grid.Sizing());
  grid.OnMouseMove(300, 10, true);
  EXPECT_EQ(grid.SizingLine(), 300);
  grid.OnLeftUp(300, 10);
  EXPECT_EQ(grid.ColumnWidth(1), 250);
  grid.OnLeftDown(300, 10, false, false);
  grid.OnLeftUp(51, 10);  // never below the minimum
  EXPECT_EQ(grid.ColumnWidth(1), 6);
  grid.SetSetting(ui::kSettingColumnResize, 0);
  EXPECT_EQ(grid.OnMouseMove(56, 10, false), ui::GridCursor::Arrow);
  grid.SetSetting(ui::kSettingColumnResize, 1);
  Text(1, 1, std::string(10, 'w'));
  grid.OnLeftDoubleClick(56, 10);
  EXPECT_EQ(grid.ColumnWidth(1), 10 * 8 + 8);  // fitted to the widest text
  EXPECT_FALSE(grid.Editing());
}

TEST(GridAxis, OneDirectionMovesScrollsAndFindsWhatIsUnderAPoint) {
  // One fixed of 20, then 30, a hidden one, 40 and 50, in a 100-pixel view.
  std::vector<int32_t> sizes = {20, 30, 0, 40, 50};
  ui::GridAxis axis{sizes, 1, 1, 100, false};
  EXPECT_EQ(axis.Next(1, 1), 3);       // the hidden one is skipped
  EXPECT_EQ(axis.Next(1, -1), -1);     // never onto the fixed one
  EXPECT_EQ(axis.MaxFirst(), 4);       // 40 and 50 do not fit together in 80
  EXPECT_EQ(axis.Page(), 3);           // 30, the hidden one, 40
  EXPECT_EQ(axis.FirstShowing(4), 4);  // 3 and 4 together take 90
  EXPECT_EQ(axis.At(10), 0);
  EXPECT_EQ(axis.At(55), 3);
  EXPECT_EQ(axis.BoundaryAt(52, 3), 1);
  EXPECT_EQ(axis.BoundaryAt(45, 3), -1);
  axis.first = 3;  // without filling, scrolled to the end leaves a gap after the last
  EXPECT_EQ(axis.Lead(), 0);
  EXPECT_EQ(axis.Start(4), 60);
  // Filling to the end in a 120-pixel view: from 2 on, 90 of 100 pixels are taken, and
  // the last 10 pixels of index 1 fill the rest, the others lying under the fixed one.
  ui::GridAxis filling{sizes, 1, 2, 120, true};
  EXPECT_EQ(filling.MaxFirst(), 2);
  EXPECT_EQ(filling.Lead(), 10);
  EXPECT_EQ(filling.Start(4) + 50, 120);
  EXPECT_EQ(filling.Start(1), 0);
  EXPECT_EQ(filling.At(10), 0);  // the fixed one covers it
  EXPECT_EQ(filling.At(25), 1);
  EXPECT_EQ(filling.Shown(),
            (std::vector<std::pair<int32_t, int>>{{0, 0}, {1, 0}, {3, 30}, {4, 70}}));
}

TEST_F(SubtitleGrid, ScrolledToTheRightEndTheLastColumnEndsAtTheEdge) {
  Build(2);  // 620 wide: 570 pixels right of the serial-number column
  grid.SetColumnWidth(2, 400);
  EXPECT_EQ(grid.MaxLeftColumn(), 2);
  grid.ScrollToColumn(9);
  EXPECT_EQ(grid.LeftColumn(), 2);
  // The text column ends at the edge; the time column fills the 170 pixels in front of it,
  // its left part hidden under the serial numbers, which still take the clicks there.
  EXPECT_EQ(grid.CellRectangle(1, 2).left, 220);
  EXPECT_EQ(grid.CellRectangle(1, 2).right, 620);
  auto shown = grid.ShownColumns();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[1], std::make_pair(1, 20));
  EXPECT_TRUE(grid.CellShown(1, 1));
  int32_t row = -1, column = -1;
  ASSERT_TRUE(grid.HitTest(30, 30, &row, &column));
  EXPECT_EQ(column, 0);
  ASSERT_TRUE(grid.HitTest(60, 30, &row, &column));
  EXPECT_EQ(column, 1);
  // Clicking the partly shown column brings it back whole; so does one step left.
  grid.OnLeftDown(60, 30, false, false);
  grid.OnLeftUp(60, 30);
  ExpectCurrent(1, 1);
  EXPECT_EQ(grid.LeftColumn(), 1);
  EXPECT_EQ(grid.CellRectangle(1, 1).left, 50);
  grid.ScrollToColumn(2);
  EXPECT_EQ(grid.ScrollToColumn(grid.LeftColumn() - 1), 1);
  EXPECT_EQ(grid.CellRectangle(1, 1).left, 50);
  // A last column wider than the view starts right of the fixed ones and hides the rest.
  grid.SetColumnWidth(2, 600);
  grid.ScrollToColumn(2);
  EXPECT_EQ(grid.LeftColumn(), 2);
  EXPECT_EQ(grid.CellRectangle(1, 2).left, 50);
  EXPECT_FALSE(grid.CellShown(1, 1));
  EXPECT_EQ(grid.ShownColumns().size(), 2u);
  // When everything fits there is nothing to scroll and nothing fills in front.
  grid.SetColumnWidth(2, 300);
  EXPECT_EQ(grid.MaxLeftColumn(), 1);
  EXPECT_EQ(grid.LeftColumn(), 1);
  EXPECT_EQ(grid.CellRectangle(1, 1).left, 50);
}

TEST_F(SubtitleGrid, DoubleClickOnARowBoundaryFitsTheTallestText) {
  EXPECT_EQ(ui::SplitLines(u"a\r\nb\rc\nd"), (std::vector<WideText>{u"a", u"b", u"c", u"d"}));
  EXPECT_EQ(ui::SplitLines(u""), std::vector<WideText>{u""});
  EXPECT_EQ(ui::SplitLines(u"a\r\n"), (std::vector<WideText>{u"a", u""}));
  Build(3);
  grid.SetLineHeight(16);
  Text(2, 1, "00:00:01,000");
  Text(2, 2, "one\r\ntwo\nthree");
  EXPECT_FALSE(grid.StacksLines(2, 2));  // 24 pixels: one line, with marks between
  grid.OnLeftDoubleClick(20, 3 * 24);    // the boundary below row 2, in the serial column
  EXPECT_EQ(grid.RowHeight(2), 3 * 16 + 8);
  EXPECT_TRUE(grid.StacksLines(2, 2));
  EXPECT_FALSE(grid.StacksLines(2, 1));
  EXPECT_FALSE(grid.Editing());
  // A row of single lines goes back to the default height, taller or shorter.
  grid.SetRowHeight(1, 70);
  grid.OnLeftDoubleClick(20, 1 * 24 + 70);
  EXPECT_EQ(grid.RowHeight(1), 24);
  grid.SetLineHeight(20);
  EXPECT_FALSE(grid.StacksLines(2, 2));  // a larger font no longer fits the three lines
  EXPECT_EQ(grid.FittedRowHeight(2), 3 * 20 + 8);
  // A column fitted while its cell stacks the lines takes the widest line.
  grid.SetLineHeight(16);
  grid.OnLeftDoubleClick(600, 10);  // the text column's right boundary
  EXPECT_EQ(grid.ColumnWidth(2), 5 * 8 + 8);
  grid.SetRowHeight(2, 24);
  grid.OnLeftDoubleClick(grid.CellRectangle(0, 2).right, 10);
  EXPECT_EQ(grid.ColumnWidth(2), 14 * 8 + 8);  // joined on one line, marks included
}

TEST_F(SubtitleGrid, TheEditBoxGetsLineBreaksAsCrLfAndAnUntouchedTextStays) {
  Build(2);
  Text(1, 2, "a\nb\rc");
  ASSERT_TRUE(grid.BeginEdit(1, 2, EditCaret::AtEnd, nullptr));
  EXPECT_EQ(sink.opened.back().text, u"a\r\nb\r\nc");
  grid.EndEdit(EditEnd::Commit, u"a\r\nb\r\nc");
  EXPECT_EQ(Read(1, 2), "a\nb\rc");
  EXPECT_FALSE(grid.Modified());
  ASSERT_TRUE(grid.BeginEdit(1, 2, EditCaret::AtEnd, nullptr));
  grid.EndEdit(EditEnd::Return, u"a\r\nb");
  EXPECT_EQ(Read(1, 2), "a\r\nb");
  EXPECT_TRUE(grid.Modified());
}

TEST_F(SubtitleGrid, CopyCutPasteAndSelectAll) {
  Build(2);
  Text(1, 1, "a");
  Text(1, 2, "b");
  grid.SetCurrentCell(1, 1);
  Key('C', true);
  EXPECT_EQ(sink.clipboard, u"a");
  sink.clipboard = u"x\ty\r\nz\tw\r\n";
  Key('V', true);
  EXPECT_EQ(Read(1, 1), "x");
  EXPECT_EQ(Read(1, 2), "y");
  EXPECT_EQ(Read(2, 1), "z");
  Key('X', true);
  EXPECT_EQ(Read(1, 1), "");
  EXPECT_EQ(sink.clipboard, u"x");
  Key('A', true);  // selection is off in this table
  EXPECT_FALSE(grid.Cell(2, 2)->Has(ui::kCellSelected));
  grid.SetSetting(ui::kSettingSelectable, 1);
  Key('A', true);
  EXPECT_TRUE(grid.Cell(2, 2)->Has(ui::kCellSelected));
  Key('C', true);
  EXPECT_EQ(sink.clipboard, u"\ty\r\nz\tw\r\n");
  grid.SetSetting(ui::kSettingSelectable, 0);
  EXPECT_FALSE(grid.Cell(2, 2)->Has(ui::kCellSelected));
}

TEST_F(SubtitleGrid, TheClipboardKeepsWhatCodePage936CannotHold) {
  Build(2);
  const ui::WideText caption = u"Xin chào bạn 😀";
  grid.Cell(1, 2)->SetWideText(caption);
  grid.Cell(2, 2)->SetWideText(u"old");
  grid.SetCurrentCell(1, 2);
  Key('C', true);
  EXPECT_EQ(sink.clipboard, caption);
  grid.SetCurrentCell(2, 2);
  Key('V', true);
  EXPECT_EQ(grid.Cell(2, 2)->ShownText(), caption);
  // A cell of code page 936 text stays one.
  grid.SetCurrentCell(2, 1);
  Key('V', true);
  EXPECT_FALSE(grid.Cell(2, 1)->HasWideText());
  EXPECT_EQ(Read(2, 1), "Xin ch\xA8\xA4o b?n ??");
}

// The caption column takes every change of the table's width, never falls below its
// minimum, and pays back what it could not give up before it grows again.
TEST_F(SubtitleGrid, TheStretchColumnTakesWhatTheTableGainsOrLoses) {
  Build(3);
  grid.SetStretchColumn(2, 100);
  grid.SetOuterWidth(624);  // the first width only sets where changes count from
  struct Step {
    int outer;
    int32_t caption;
  };
  const Step steps[] = {
      {624, 350}, {1086, 812}, {624, 350}, {300, 100},
      {200, 100}, {374, 100},  // what the column owes is paid back first: 350 - 250 = 100 still
      {474, 200}, {624, 350},
  };
  for (const Step& step : steps) {
    grid.SetOuterWidth(step.outer);
    EXPECT_EQ(grid.ColumnWidth(2), step.caption) << step.outer;
    EXPECT_EQ(grid.ColumnWidth(1), 200) << step.outer;
  }
  // A width the user drags is where stretching goes on from.
  grid.SetOuterWidth(200);
  grid.SetColumnWidth(2, 150);
  grid.SetOuterWidth(250);
  EXPECT_EQ(grid.ColumnWidth(2), 200);
}

TEST_F(SubtitleGrid, SizesScaleFromOneDpiToAnother) {
  Build(2);
  grid.SetRowHeight(2, 40);
  grid.SetStretchColumn(2, 100);
  grid.SetOuterWidth(624);
  grid.ScaleSizes(96, 144);
  EXPECT_EQ(grid.ColumnWidth(0), 75);
  EXPECT_EQ(grid.ColumnWidth(1), 300);
  EXPECT_EQ(grid.ColumnWidth(2), 525);
  EXPECT_EQ(grid.RowHeight(1), 36);
  EXPECT_EQ(grid.RowHeight(2), 60);
  EXPECT_EQ(grid.Setting(ui::kSettingRowHeight), 36);
  // A row added later takes the scaled height; the stretch continues in pixels at 144.
  EXPECT_EQ(grid.RowHeight(grid.InsertRow(-1, nullptr)), 36);
  grid.SetOuterWidth(936 + 60);
  EXPECT_EQ(grid.ColumnWidth(2), 585);
  grid.SetOuterWidth(400);
  EXPECT_EQ(grid.ColumnWidth(2), 150);  // the minimum, scaled
  // The room around a fitted row's lines grows with the DPI too.
  grid.SetLineHeight(27);
  Text(1, 2, "one\ntwo\nthree");
  EXPECT_EQ(grid.FittedRowHeight(1), 3 * 27 + 12);
  grid.ScaleSizes(144, 96);
  EXPECT_EQ(grid.ColumnWidth(1), 200);
  EXPECT_EQ(grid.RowHeight(2), 40);
}

TEST(TableSettings, MinimumSizeShowsEveryColumnTitle) {
  ui::SettingsMap settings = SubtitleTableSettings();
  EXPECT_EQ(ui::TableMinimumSize(settings).width, 50 + 200 + 350 + 24);
  settings["stretchColumn"] = "2";
  settings["stretchMinimum"] = "100";
  EXPECT_EQ(ui::TableMinimumSize(settings).width, 50 + 200 + 100 + 24);
  EXPECT_EQ(ui::TableMinimumSize(settings).height, 2 * 24 + 24);
  EXPECT_EQ(ui::ParseStretch(settings).column, 2);
  EXPECT_EQ(ui::ParseStretch(SubtitleTableSettings()).column, -1);
}

}  // namespace
