#!/usr/bin/env python3
"""Times the window program on large drafts: generated drafts of 5,000 and 20,000
subtitles are parsed into the real table under Wine, and the time from Return in the
open dialog to the "解析完成" box is printed for each. Run through bench/gui_parse.sh,
which provides the display and the Wine server. Not a test: it prints figures.
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
    parser.add_argument("--counts", default="5000,20000")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--draft", action="append", default=[],
                        help="time this draft file instead of generated ones (repeatable)")
    parser.add_argument("--deadline", type=float, default=120, help="seconds to wait for the message")
    args = parser.parse_args()
    args.fatal = args.drafts = ""
    args.artifacts = tempfile.mkdtemp(prefix="subvane-bench-")

    print("the window under Wine: Return in the open dialog to 解析完成 (best of %d runs)" % args.runs)
    for draft in args.draft:
        times = time_parses(args, pathlib.Path(draft))
        print("%s, %.1f MB: best %.3f s, said %s" % (draft, pathlib.Path(draft).stat().st_size / 1e6,
                                                    min(times), " / ".join(args.said)))
    if args.draft:
        return
    best = {}
    for count in [int(c) for c in args.counts.split(",")]:
        draft = pathlib.Path(args.artifacts) / ("draft-%d.json" % count)
        subprocess.run([sys.executable, str(HERE / "generate_draft.py"), str(count), str(draft)],
                       check=True)
        os.sync()
        times = time_parses(args, draft)
        best[count] = min(times)
        print("%9d subtitles %6.1f MB: best %.3f s, median %.3f s" % (
            count, draft.stat().st_size / 1e6, min(times), sorted(times)[len(times) // 2]))
    counts = sorted(best)
    print("goals:")
    print("  %d subtitles            %6.3f s (under 0.5 s)" % (counts[0], best[counts[0]]))
    if len(counts) > 1:
        print("  time %d / time %d   %6.2f   (at most 4.5)" % (
            counts[-1], counts[0], best[counts[-1]] / best[counts[0]]))


def time_parses(args, draft):
    """The seconds from Return in the open dialog to the message, once per run."""
    times = []
    args.said = []
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
            deadline = started + args.deadline
            while not visible(gui_test.INFO):
                if time.monotonic() > deadline:
                    raise SystemExit("no message after %.0f s" % args.deadline)
                time.sleep(0.01)
            times.append(time.monotonic() - started)
            args.said.append(gui_test.message_text(s))
            gui_test.dismiss_message(s)
            gui_test.close_main(s)
        finally:
            s.stop()
    return times


if __name__ == "__main__":
    main()
