#!/usr/bin/env python3
"""Drives the table and the file dialogs of ui_gui_demo.exe under Wine the way a person
would, with xdotool, and checks what the program reads back.

Usage: gui_check.py DEMO_EXE WORK_DIR
Needs DISPLAY (an X server such as Xvfb) and a running wineserver; without DISPLAY it
skips (exit code 77). Leaves the screenshot WORK_DIR/ui_grid.png behind.
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
        _, x, y = lines[0].split()
        self.grid_x, self.grid_y = int(x), int(y)
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
        self.click(self.button(0))
        cells = {}
        for line in self.next_report():
            _, where, kind, *rest = line.split(" ", 3) + [""]
            cells[where] = rest[0] if kind == "text" else None
        return cells

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
        check(cells.get("3,0", "x") is None, "a cell below the last row reads as Bool false")
        shot = os.path.join(work, "ui_grid.png")
        subprocess.run(["import", "-window", "root", shot], check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        print("screenshot:", shot)

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
