// The table's edit history on a large draft: a table of N subtitle rows, then Ctrl+A,
// Delete, Ctrl+Z and Ctrl+Y as the window's keys do them, each timed, with the heap that
// the table's texts and the history hold. Prints one figure per line.
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/grid_ctrl.h"
#include "ui/table_settings.h"

namespace {

// Small blocks and the large ones that the allocator maps by themselves.
size_t HeapInUse() {
  struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

template <class Work>
double Timed(Work work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return Seconds(std::chrono::steady_clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
  int rows = argc > 1 ? std::atoi(argv[1]) : 200000;
  size_t empty = HeapInUse();
  ui::CGridCtrl grid;
  ui::ConfigureTable(grid, {{"rows", "1"},
                            {"cols", "3"},
                            {"fixedRows", "1"},
                            {"fixedCols", "1"},
                            {"selectable", "1"},
                            {"numberedRows", "1"},
                            {"column0", "序号,50,2,0"},
                            {"column1", "时间戳,200,2,0"},
                            {"column2", "字幕文本,350,0,0"}});
  grid.SetClientSize(620, 340);
  // Captions of 12 to 40 characters, as speech recognition gives them.
  const std::u16string words = u"今天我们来聊一聊如何剪辑一段好看的视频并加上字幕 and subtitles";
  double fill = Timed([&] {
    for (int i = 0; i < rows; ++i) {
      int32_t row = grid.InsertRow(-1, nullptr);
      grid.Cell(row, 0)->SetNarrowText(std::to_string(row));
      grid.Cell(row, 1)->SetNarrowText("00:12:34,567 --> 00:12:36,789");
      grid.Cell(row, 2)->SetWideText(words.substr(static_cast<size_t>(i % 17), 12 + i % 29));
    }
  });
  grid.SetModified(false);
  size_t table = HeapInUse() - empty;
  grid.OnLeftDown(grid.CellRectangle(1, 1).left + 2, grid.CellRectangle(1, 1).top + 2, false,
                  false);
  double selectAll = Timed([&] { grid.OnKeyDown('A', true, false); });
  double clear = Timed([&] { grid.OnKeyDown(ui::kKeyDelete, false, false); });
  size_t withHistory = HeapInUse() - empty;
  double undo = Timed([&] { grid.OnKeyDown('Z', true, false); });
  bool restored = !grid.Modified() && !grid.Cell(rows, 2)->ShownText().empty();
  double redo = Timed([&] { grid.OnKeyDown('Y', true, false); });
  grid.OnKeyDown('Z', true, false);
  double deleteRows = Timed([&] { grid.OnKeyDown(ui::kKeyDelete, true, false); });
  double undoRows = Timed([&] { grid.OnKeyDown('Z', true, false); });

  std::printf("table edit history on %d rows of 3 cells (seconds; heap in MB)\n", rows);
  std::printf("  fill the table                 %8.3f\n", fill);
  std::printf("  Ctrl+A                         %8.3f\n", selectAll);
  std::printf("  Delete (one step)              %8.3f\n", clear);
  std::printf("  Ctrl+Z                         %8.3f  %s\n", undo,
              restored ? "every caption back, nothing unsaved" : "NOT RESTORED");
  std::printf("  Ctrl+Y                         %8.3f\n", redo);
  std::printf("  Ctrl+Delete, every row         %8.3f\n", deleteRows);
  std::printf("  Ctrl+Z of that                 %8.3f  rows back: %d\n", undoRows,
              grid.RowCount() - 1);
  std::printf("  heap: table %.1f MB, table and history after Delete %.1f MB (%.2f x)\n",
              table / 1e6, withHistory / 1e6, static_cast<double>(withHistory) / table);
  return restored ? 0 : 1;
}
