#!/usr/bin/env python3
"""Times the window program on a large draft: a generated draft of 5,000 subtitles is
parsed into the real table under Wine, and the time from confirming the open dialog to
the "解析完成" box is printed. Run through bench/gui_parse.sh, which provides the display
and the Wine server. Not a test: it prints figures.
"""
import argparse
import os
import pathlib
import subprocess
import sys
import tempfile
import time

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "tests" / "gui"))
import gui_test  # noqa: E402  (the GUI tests' means of driving the program)


def visible(title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title],
                           capture_output=True)
    return found.returncode == 0 and found.stdout.strip() != b""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--count", type=int, default=5000)
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    args.fatal = args.drafts = ""
    args.artifacts = tempfile.mkdtemp(prefix="subvane-bench-")

    draft = pathlib.Path(args.artifacts) / "draft.json"
    subprocess.run([sys.executable, str(HERE / "generate_draft.py"), str(args.count), str(draft)],
                   check=True)
    size_mb = draft.stat().st_size / 1e6
    times = []
    for _ in range(args.runs):
        s = gui_test.Session(args)
        s.start()
        try:
            s.wait_window(gui_test.MAIN, 60)
            s.click(gui_test.MAIN, "解析")
            w = s.wait_window("打开JSON文件")
            s.point_at(w.rect)
            s.xdotool("key", "ctrl+a")
            s.xdotool("type", "--delay", "5", gui_test.windows_path(draft))
            started = time.monotonic()
            s.xdotool("key", "Return")
            deadline = started + 120
            while not visible(gui_test.INFO):
                if time.monotonic() > deadline:
                    raise SystemExit("no message after 120 s")
                time.sleep(0.01)
            times.append(time.monotonic() - started)
            gui_test.dismiss_message(s)
            gui_test.close_main(s)
        finally:
            s.stop()
    print("draft: %d subtitles, %.1f MB" % (args.count, size_mb))
    print("confirm to 解析完成: best %.2f s, median %.2f s (target under 2 s)"
          % (min(times), sorted(times)[len(times) // 2]))


if __name__ == "__main__":
    main()
