#!/usr/bin/env python3
"""Drives the table and the file dialogs of ui_gui_demo.exe under Wine the way a person
would, with xdotool, and checks what the program reads back.

Usage: gui_check.py DEMO_EXE WORK_DIR
Needs DISPLAY (an X server such as Xvfb) and a running wineserver; without DISPLAY it
skips (exit code 77). Leaves its screenshots in WORK_DIR/artifacts: the table as it
starts (a two-line caption among them), the row fitted to that caption, the current row
after scrolling right and back, and an edit box opened on the time and on the text column.
"""
import os
import shutil
import subprocess
import sys
import time

SKIP = 77
POLL = 0.05


class CheckFailed(Exception):
    pass


def wait_for(what, condition, timeout=20.0):
    """Polls `condition` every 50 ms until it gives a true value or the deadline passes."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise CheckFailed("timed out waiting for " + what)
        time.sleep(POLL)


def xdo(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.strip()


def find_window(title):
    ids = xdo("search", "--onlyvisible", "--name", "^" + title + "$").split()
    return ids[0] if ids else None


def window_gone(title):
    return find_window(title) is None


def unix_to_wine(path):
    return "Z:" + path.replace("/", "\\")


class Demo:
    def __init__(self, exe, work):
        self.work = work
        self.report = os.path.join(work, "gui_report.txt")
        if os.path.exists(self.report):
            os.remove(self.report)
        self.seq = 0
        self.proc = subprocess.Popen(["wine", exe, unix_to_wine(self.report)],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        lines = self.next_report()
        _, x, y, _, _ = lines[0].split()
        self.grid_x, self.grid_y = int(x), int(y)
        self.artifacts = os.path.join(work, "artifacts")
        os.makedirs(self.artifacts, exist_ok=True)
        self.state = {}
        self.window = wait_for("the demo window", lambda: find_window("表格测试"))

    def next_report(self):
        """Waits for a report newer than the last one and returns its lines."""
        def read():
            try:
                with open(self.report, encoding="utf-8") as f:
                    lines = f.read().splitlines()
            except OSError:
                return None
            if not lines or not lines[0].startswith("seq "):
                return None
            seq = int(lines[0].split()[1])
            return lines[1:] if seq > self.seq else None
        lines = wait_for("a report from the demo", read)
        self.seq += 1
        return lines

    # Cell centres in screen coordinates: columns 50/200/350 wide, rows 24 high.
    def cell(self, row, column):
        lefts = [0, 50, 250, 600]
        return (self.grid_x + (lefts[column] + lefts[column + 1]) // 2,
                self.grid_y + row * 24 + 12)

    def button(self, index):
        # Buttons sit left of the grid (grid at client 96,8; buttons at 8, 24 + 56 * index).
        return (self.grid_x - 96 + 8 + 40 - 2, self.grid_y - 8 + 24 + 56 * index + 20 - 2)

    def click(self, point, double=False):
        x, y = point
        xdo("mousemove", "--sync", str(x), str(y))
        if double:
            xdo("click", "--repeat", "2", "--delay", "80", "1")
        else:
            xdo("click", "1")

    def read_cells(self):
        """Reads every cell; keeps the table's other facts in self.state."""
        self.click(self.button(0))
        cells = {}
        self.state = {"height": {}, "columns": {}}
        for line in self.next_report():
            what, rest = line.split(" ", 1)
            if what == "cell":
                where, kind, *value = rest.split(" ", 2) + [""]
                cells[where] = value[0] if kind == "text" else None
            elif what == "height":
                row, height = rest.split()
                self.state["height"][int(row)] = int(height)
            elif what == "column":
                column, left, right = rest.split()
                self.state["columns"][int(column)] = (int(left), int(right))
            else:
                self.state[what] = tuple(int(v) for v in rest.split())
        return cells

    def screenshot(self, name):
        path = os.path.join(self.artifacts, name + ".png")
        subprocess.run(["import", "-window", "root", path], check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        print("screenshot:", path)
        return path

    def cell_rect(self, row, column):
        """Screen rectangle of a cell while the first rows are 24 high and nothing scrolled."""
        lefts = [0, 50, 250, 600]
        return (self.grid_x + lefts[column], self.grid_y + row * 24,
                self.grid_x + lefts[column + 1], self.grid_y + row * 24 + 24)

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()


def check(condition, message):
    if not condition:
        raise CheckFailed(message)
    print("ok:", message)


def edit_cell(demo, row, column, keys):
    """Double-clicks a cell to open its edit box, then sends keys to the box."""
    demo.click(demo.cell(row, column), double=True)
    for kind, value in keys:
        if kind == "type":
            xdo("type", "--delay", "30", value)
        else:
            xdo("key", value)


def grab(x, y, width, height):
    """The screen's pixels in a rectangle, as rows of (r, g, b)."""
    out = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y),
                          "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    return [[tuple(out[(r * width + c) * 3:(r * width + c) * 3 + 3]) for c in range(width)]
            for r in range(height)]


def ink(pixels):
    """The box (left, top, right, bottom) around the dark pixels, or None."""
    dark = [(c, r) for r, row in enumerate(pixels) for c, p in enumerate(row) if sum(p) < 300]
    if not dark:
        return None
    xs, ys = [c for c, _ in dark], [r for _, r in dark]
    return min(xs), min(ys), max(xs) + 1, max(ys) + 1


def best_shift(before, after, box):
    """The (dx, dy) that lays the text in `after` over the text in `before` best."""
    left, top, right, bottom = box
    right -= 3  # the caret stands right after the text
    best = None
    for dy in range(-5, 6):
        for dx in range(-8, 9):
            misses = 0
            for r in range(top, bottom):
                for c in range(left, right):
                    rr, cc = r + dy, c + dx
                    if not (0 <= rr < len(after) and 0 <= cc < len(after[0])):
                        misses += 1
                    elif (sum(before[r][c]) < 300) != (sum(after[rr][cc]) < 300):
                        misses += 1
            if best is None or misses < best[0]:
                best = (misses, dx, dy)
    return best


def check_edit_box_over_text(demo):
    """An edit box opens with its text exactly where the cell drew it: centred in the time
    column, on the left in the text column, and a two-line caption's first line where the
    cell drew it before the mark (the second line goes below)."""
    for row, column, name, first_pixels in ((1, 1, "ui_edit_time_column", None),
                                            (1, 2, "ui_edit_text_column", None),
                                            (3, 2, "ui_edit_two_line_caption", 80)):
        left, top, right, bottom = demo.cell_rect(row, column)
        # Inside the box's border and the cell's grid lines.
        area = (left + 2, top + 2, right - left - 4, bottom - top - 4)
        before = grab(*area)
        box = ink(before)
        check(box is not None, "the cell at %d,%d shows text" % (row, column))
        if first_pixels:
            box = (box[0], box[1], box[0] + first_pixels, box[3])
        demo.click(((left + right) // 2, (top + bottom) // 2), double=True)

        # The box is open once the cell's top-left corner shows its grey border.
        def corner_is_border():
            r, g, b = grab(left, top, 1, 1)[0][0]
            return r == g == b and r < 200
        wait_for("the edit box", corner_is_border)
        after = grab(*area)
        demo.screenshot(name)
        misses, dx, dy = best_shift(before, after, box)
        check((dx, dy) == (0, 0) and misses == 0,
              "the edit box on %d,%d shows the text where the cell drew it (moved %d,%d; %d "
              "pixels differ)" % (row, column, dx, dy, misses))
        xdo("key", "Escape")
        wait_for("the edit box to close", lambda: not corner_is_border())


def check_row_fit_and_scrolling(demo):
    """A row boundary fits the row; scrolling right fills the view and one step comes back."""
    # The boundary below row 3, in the serial-number column.
    demo.click((demo.grid_x + 25, demo.grid_y + 4 * 24), double=True)
    demo.read_cells()
    height = demo.state["height"][3]
    check(height > 2 * 12, "double-clicking the row boundary fits both lines (%d px)" % height)
    demo.screenshot("ui_row_fitted")

    demo.click(demo.cell(1, 2))  # the current row
    # Widen the text column by dragging its boundary in the title row.
    x, y = demo.grid_x + 600, demo.grid_y + 12
    xdo("mousemove", "--sync", str(x), str(y))
    xdo("mousedown", "1")
    xdo("mousemove", "--sync", str(x + 60), str(y))
    xdo("mousemove", "--sync", str(x + 120), str(y))
    xdo("mouseup", "1")
    demo.read_cells()
    client_width, client_height = demo.state["client"]
    left, right = demo.state["columns"][2]
    check(right > client_width, "the text column is wider than the view")

    def grid_line_at(x):
        return lambda: grab(demo.grid_x + x, demo.grid_y + 36, 1, 1)[0][0] == (192, 192, 192)

    # Reading took the focus to the button: a click gives it back to the table.
    demo.click(demo.cell(1, 1))
    demo.click(demo.cell(1, 2))
    # The horizontal scroll bar lies below the client area; its arrows are square.
    arrow = demo.grid_y + client_height + 8
    demo.click((demo.grid_x + client_width - 8, arrow))
    wait_for("the time column's edge to move", grid_line_at(client_width - (right - left) - 1))
    demo.screenshot("ui_current_row_scrolled")
    demo.read_cells()
    columns = demo.state["columns"]
    check(demo.state["left"] == (2,) and columns[2][1] == client_width,
          "scrolled to the end the text column ends at the right edge (%r)" % (columns,))
    check(1 in columns and columns[1][1] == columns[2][0],
          "the time column fills the space in front of it")
    check(demo.state["current"] == (1, 2), "the current cell stays")

    demo.click((demo.grid_x + 8, arrow))
    wait_for("the time column to come back", grid_line_at(249))
    demo.screenshot("ui_scrolled_back")
    demo.read_cells()
    check(demo.state["left"] == (1,) and demo.state["columns"][1][0] == 50,
          "one click on the left arrow brings the time column back whole")


def run(exe, work):
    draft_dir = os.path.join(work, "gui_files")
    shutil.rmtree(draft_dir, ignore_errors=True)
    os.makedirs(draft_dir)
    draft = os.path.join(draft_dir, "draft.json")
    with open(draft, "w") as f:
        f.write("{}")
    demo = Demo(exe, work)
    try:
        cells = demo.read_cells()
        check(cells.get("0,0") == "序号" and cells.get("0,1") == "时间戳"
              and cells.get("0,2") == "字幕文本", "the title row reads 序号 / 时间戳 / 字幕文本")
        check(cells.get("4,0", "x") is None, "a cell below the last row reads as Bool false")
        check(cells.get("3,2") == "两行字幕的上一行\\r\\n下一行 second line",
              "a two-line caption keeps its line break")
        demo.screenshot("ui_two_line_caption")
        check_edit_box_over_text(demo)

        edit_cell(demo, 1, 2, [("type", "hello"), ("key", "Return")])
        check(demo.read_cells().get("1,2") == "第一行字幕hello",
              "text typed after the caret comes back from GetCellText")

        edit_cell(demo, 1, 2, [("type", "zzz"), ("key", "Escape")])
        check(demo.read_cells().get("1,2") == "第一行字幕hello", "Escape leaves the old text")

        edit_cell(demo, 2, 2, [("type", "a"), ("key", "ctrl+Return"), ("type", "b"),
                               ("key", "Return")])
        value = demo.read_cells().get("2,2")
        check(value == "a\\r\\nb", "Ctrl+Enter makes a two-line cell (got %r)" % value)

        demo.click(demo.cell(2, 0), double=True)  # the serial-number column never edits
        xdo("type", "q")
        demo.click(demo.cell(0, 1), double=True)  # nor does the title row
        xdo("type", "q")
        cells = demo.read_cells()
        check(cells.get("2,0") == "2" and cells.get("0,1") == "时间戳",
              "double-clicks on fixed cells open no edit box")

        demo.click(demo.button(1))
        dialog = wait_for("the open dialog", lambda: find_window("打开JSON文件"))
        xdo("mousemove", "--window", dialog, "100", "100")
        xdo("type", "--delay", "20", unix_to_wine(draft))
        xdo("key", "Return")
        report = demo.next_report()[0].split(" ", 2)
        check(report[1] == "1" and report[2].lower() == unix_to_wine(draft).lower(),
              "the open dialog titled 打开JSON文件 gives the typed path back in FileName")
        wait_for("the open dialog to close", lambda: window_gone("打开JSON文件"))

        demo.click(demo.button(1))
        dialog = wait_for("the open dialog again", lambda: find_window("打开JSON文件"))
        xdo("mousemove", "--window", dialog, "100", "100")
        xdo("key", "Escape")
        report = demo.next_report()[0].split(" ", 2)
        check(report[1] == "0" and report[2].lower() == unix_to_wine(draft).lower(),
              "cancelling leaves FileName unchanged")
        wait_for("the open dialog to close", lambda: window_gone("打开JSON文件"))

        demo.click(demo.button(2))
        dialog = wait_for("the save dialog", lambda: find_window("保存srt文件"))
        xdo("mousemove", "--window", dialog, "100", "100")
        target = os.path.join(draft_dir, "subtitles")
        xdo("type", "--delay", "20", unix_to_wine(target))
        xdo("key", "Return")
        report = demo.next_report()[0].split(" ", 2)
        check(report[1] == "1" and report[2].lower() == (unix_to_wine(target) + ".srt").lower(),
              "a name typed without extension comes back with .srt")
        wait_for("the save dialog to close", lambda: window_gone("保存srt文件"))

        check_row_fit_and_scrolling(demo)
    finally:
        demo.stop()


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    if not os.environ.get("DISPLAY"):
        print("skipped: DISPLAY is not set (start Xvfb and a wineserver first)")
        return SKIP
    for tool in ("wine", "xdotool", "import"):
        if not shutil.which(tool):
            print("skipped: " + tool + " is not installed")
            return SKIP
    try:
        run(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]))
    except CheckFailed as e:
        print("FAILED:", e)
        return 1
    print("all GUI checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
