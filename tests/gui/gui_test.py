#!/usr/bin/env python3
"""Drives the real Subvane.exe under Wine the way a person would: clicks its buttons
with the mouse, types paths into its dialogs, reads its message boxes, and compares
the files it writes. Every wait polls a condition against a deadline.

Needs DISPLAY (an X server such as Xvfb) and a running Wine server; scripts/test.sh
provides both. Prints one line per check and a closing 'N passed, M failed'.
"""

import argparse
import contextlib
import ctypes
import ctypes.util
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
import urllib.parse

POLL = 0.05


class Window:
    def __init__(self, hwnd, cls, title, enabled, rect):
        self.hwnd, self.cls, self.title, self.enabled, self.rect = hwnd, cls, title, enabled, rect
        self.controls = []

    def control(self, text, cls=None):
        for c in self.controls:
            if c["text"] == text and (cls is None or c["class"].lower() == cls.lower()):
                return c
        return None

    def texts(self):
        return [c["text"] for c in self.controls if c["visible"]]


def rect_of(field):
    return tuple(int(v) for v in field.split(","))


class Session:
    """One running program and the means to look at it and act on it."""

    def __init__(self, args):
        self.args = args
        self.process = None

    # ---- looking -------------------------------------------------------------------

    def windows(self):
        try:
            out = subprocess.run(["wine", self.args.probe], capture_output=True, timeout=5).stdout
        except subprocess.TimeoutExpired:
            # A probe started while the program itself starts up can stall in Wine;
            # the next poll asks again.
            return []
        result, by_id = [], {}
        for line in out.decode("utf-8", "replace").splitlines():
            f = line.split("\t")
            if f[0] == "W" and len(f) >= 7:
                w = Window(f[1], f[2], f[3], f[4] == "1", rect_of(f[6]))
                result.append(w)
                by_id[f[1]] = w
            elif f[0] == "C" and len(f) >= 8 and f[1] in by_id:
                by_id[f[1]].controls.append({"class": f[3], "text": f[4], "enabled": f[5] == "1",
                                             "visible": f[6] == "1", "rect": rect_of(f[7]),
                                             "holds": f[8] if len(f) >= 9 else None})
        return result

    def find(self, title):
        for w in self.windows():
            # After a parse the main window is named after the project: "<name> - Subvane".
            if w.title == title or (title == MAIN and w.title.endswith(" - " + MAIN)):
                return w
        return None

    def wait(self, what, condition, timeout=20):
        deadline = time.monotonic() + timeout
        while True:
            value = condition()
            if value:
                return value
            if time.monotonic() > deadline:
                raise AssertionError("timed out waiting for " + what)
            time.sleep(POLL)

    def wait_window(self, title, timeout=20):
        return self.wait("window '%s'" % title, lambda: self.find(title), timeout)

    def wait_gone(self, title, timeout=20):
        self.wait("'%s' to close" % title, lambda: self.find(title) is None, timeout)

    def screenshot(self, name):
        os.makedirs(self.args.artifacts, exist_ok=True)
        path = os.path.join(self.args.artifacts, name + ".png")
        subprocess.run(["import", "-window", "root", path], check=False, timeout=30)
        return path

    # ---- acting --------------------------------------------------------------------

    def xdotool(self, *words):
        subprocess.run(["xdotool"] + list(words), check=True, timeout=30)

    def point_at(self, rect):
        left, top, right, bottom = rect
        self.xdotool("mousemove", str((left + right) // 2), str((top + bottom) // 2))

    def click(self, window_title, control_text):
        w = self.wait_window(window_title)
        control = w.control(control_text)
        assert control, "no control '%s' in '%s'" % (control_text, window_title)
        self.point_at(control["rect"])
        self.xdotool("click", "1")

    def keys(self, window_title, *keys):
        # Without a window manager the keyboard goes to the window under the pointer.
        w = self.wait_window(window_title)
        self.point_at(w.rect)
        self.xdotool("key", *keys)

    def type_into_dialog(self, title, text):
        w = self.wait_window(title)
        self.point_at(w.rect)
        self.xdotool("key", "ctrl+a")
        self.xdotool("type", "--delay", "5", text)
        self.xdotool("key", "Return")

    def start(self, exe=None, file_size_limit_kb=None, arguments=(), lang=None):
        command = ["wine", exe or self.args.exe] + list(arguments)
        if file_size_limit_kb:
            # A full disk, as the program sees it: writes past the limit fail (the signal
            # that would end the process instead is ignored).
            command = ["bash", "-c", "trap '' XFSZ; ulimit -f %d; exec \"$@\"" % file_size_limit_kb,
                       "bash"] + command
        # Wine takes the user's language from the locale the program starts under.
        env = dict(os.environ, LANG=lang) if lang else None
        self.process = subprocess.Popen(command, stdin=subprocess.DEVNULL, env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self.process

    def exit_code(self, timeout=20):
        return self.process.wait(timeout=timeout)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=10)


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


# Characters that Windows writes in code page 936 as a similar one (best fit) instead
# of the default character, among those the checks meet.
BEST_FIT = {"â": b"a"}


def expected_gbk(path):
    # Code page 936 has no form for a character beyond the Basic Multilingual Plane:
    # Windows writes the default character for each of its two UTF-16 units.
    text = pathlib.Path(path).read_bytes().decode("utf-8")
    return b"".join(b"??" if ord(ch) > 0xFFFF
                    else BEST_FIT.get(ch) or ch.encode("gbk", errors="replace")
                    for ch in text)


def lost_in_gbk(path):
    """How many characters of a UTF-8 file code page 936 cannot hold (written as "?" or,
    by best fit, as a similar character)."""
    def lost(ch):
        if ord(ch) > 0xFFFF:
            return True
        try:
            ch.encode("gbk")
            return False
        except UnicodeEncodeError:
            return True
    return sum(1 for ch in pathlib.Path(path).read_bytes().decode("utf-8") if lost(ch))


def export_message(lost):
    if lost == 0:
        return "导出完成"
    return ("导出完成，但有 %d 个字符无法用 GBK 表示，已写作“?”。"
            "要保留全部字符，请在保存类型中选择“字幕文件 UTF-8”。" % lost)


MAIN = "Subvane"
INFO = "信息："


def message_text(s):
    box = s.wait_window(INFO)
    return " ".join(c["text"] for c in box.controls if c["class"].lower() == "static" and c["text"])


def dismiss_message(s):
    s.keys(INFO, "Return")
    s.wait_gone(INFO)


def close_main(s):
    # Click an empty spot of the window to make it active, then close it from the keyboard.
    w = s.wait_window(MAIN)
    left, top, right, bottom = w.rect
    s.xdotool("mousemove", str(left + 40), str(bottom - 30))
    s.xdotool("click", "1")
    s.xdotool("key", "alt+F4")
    assert s.exit_code() == 0, "the program should end with 0"


def open_draft(s, path):
    s.click(MAIN, "解析")
    s.type_into_dialog("打开JSON文件", windows_path(path))
    s.wait_gone("打开JSON文件")


def choose_file_type(s, title, label, steps):
    """Moves the dialog's file type (the combo box beside `label`) `steps` entries down
    with the keyboard, then puts the focus back into the file name box."""
    w = s.wait_window(title)
    caption = w.control(label, "Static")
    assert caption, "no '%s' in '%s'" % (label, title)
    row = (caption["rect"][1] + caption["rect"][3]) // 2
    combo = [c for c in w.controls if c["class"].lower() == "combobox" and c["visible"]
             and c["rect"][1] <= row <= c["rect"][3]]
    assert combo, "no file type box beside '%s'" % label
    s.point_at(combo[0]["rect"])
    s.xdotool("click", "1")  # opens the list
    s.xdotool("key", *(["Down"] * steps + ["Return"]))
    name_box = [c for c in w.controls if c["class"].lower() == "edit" and c["visible"]]
    assert name_box, "no file name box in '%s'" % title
    s.point_at(name_box[0]["rect"])
    s.xdotool("click", "1")


def export_to(s, path, overwrite=False, utf8=False):
    s.click(MAIN, "导出")
    if utf8:
        choose_file_type(s, "保存srt文件", "文件类型(&T):", 1)
    s.type_into_dialog("保存srt文件", windows_path(path))
    if overwrite:
        # The dialog asks before it replaces an existing file: the user clicks Yes.
        def yes_button():
            for w in s.windows():
                for c in w.controls:
                    if c["class"].lower() == "button" and c["text"] in ("&Yes", "是(&Y)", "Yes"):
                        return c
            return None
        s.point_at(s.wait("the overwrite question", yes_button, 10)["rect"])
        s.xdotool("click", "1")
    s.wait("the save dialog to close",
           lambda: not any(w.title == "保存srt文件" for w in s.windows()))


class XClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessage), ("pad", ctypes.c_long * 24)]


def drop_on(s, title, paths):
    """Drops files or folders on a window the way an X file manager does: the paths as a
    URI list in the root window's DndSelection property, then a DndProtocol message
    (DndURL) to the window under the pointer, which Wine turns into WM_DROPFILES. The
    pointer goes to an empty spot near the bottom left, where no message box covers it."""
    w = s.wait_window(title)
    left, top, right, bottom = w.rect
    s.xdotool("mousemove", str(left + 40), str(bottom - 30))
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(w.title)],
                           capture_output=True, text=True, timeout=30).stdout.split()
    assert found, "no X window for '%s'" % title
    x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                    ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                    ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    assert display, "cannot open the display"
    try:
        uris = "".join("file://%s\r\n" % urllib.parse.quote(str(p)) for p in paths).encode()
        string_type = 31  # XA_STRING
        x11.XChangeProperty(display, x11.XDefaultRootWindow(display),
                            x11.XInternAtom(display, b"DndSelection", 0), string_type, 8, 0,
                            uris, len(uris))
        event = XEvent()
        event.xclient.type = 33  # ClientMessage
        event.xclient.display = display
        event.xclient.window = int(found[0])
        event.xclient.message_type = x11.XInternAtom(display, b"DndProtocol", 0)
        event.xclient.format = 32
        event.xclient.data[0] = 128  # DndURL: a list of URIs
        x11.XSendEvent(display, int(found[0]), 0, 0, ctypes.byref(event))
        x11.XFlush(display)
    finally:
        x11.XCloseDisplay(display)


# ---- checks ---------------------------------------------------------------------------


def check_window_starts_with_export_disabled(s):
    s.start()
    w = s.wait_window(MAIN)
    s.wait("the table to paint", lambda: s.find(MAIN).control("解析"))
    s.screenshot("main-window")
    w = s.find(MAIN)
    assert w.control("解析")["enabled"], "Parse should be enabled"
    assert not w.control("导出")["enabled"], "Export should start disabled"
    width = w.rect[2] - w.rect[0]
    assert width == 738, "outer width %d" % width
    s.click(MAIN, "导出")  # a disabled button takes no click: no dialog opens
    close_main(s)


def check_parse_and_export_every_draft(s):
    drafts = sorted(pathlib.Path(s.args.drafts).glob("*.expected.srt"))
    if not drafts:
        # A CI run must have the drafts: without them it would pass having checked nothing.
        assert os.environ.get("CI") != "true", "no real drafts in %s (CI=true)" % s.args.drafts
        print("  (no real drafts: skipped)")
        return
    s.start()
    s.wait_window(MAIN)
    out_dir = pathlib.Path(tempfile.mkdtemp(prefix="subvane-gui-"))
    try:
        for expected in drafts:
            draft = expected.with_name(expected.name.replace(".expected.srt", ".json"))
            open_draft(s, draft)
            said = message_text(s)
            done = "解析完成" if expected.stat().st_size else "解析完成，但时间线上没有字幕。"
            assert said == done, "parse of %s: %r" % (draft.name, said)
            s.screenshot("parsed-" + draft.stem)
            dismiss_message(s)
            assert s.find(MAIN).control("导出")["enabled"]
            target = out_dir / (draft.stem + ".srt")
            export_to(s, target)
            said = message_text(s)
            assert said == export_message(lost_in_gbk(expected)), "%s: %r" % (draft.name, said)
            dismiss_message(s)
            written = target.read_bytes()
            if written != expected_gbk(expected):
                shutil.copy(target, os.path.join(s.args.artifacts, target.name))
                raise AssertionError("%s differs from its expected SRT" % draft.name)
            # The second file type writes the expected UTF-8 text itself.
            target = out_dir / (draft.stem + ".utf8.srt")
            export_to(s, target, utf8=True)
            assert message_text(s) == "导出完成"
            dismiss_message(s)
            if target.read_bytes() != expected.read_bytes():
                shutil.copy(target, os.path.join(s.args.artifacts, target.name))
                raise AssertionError("%s differs from its expected UTF-8 SRT" % draft.name)
        # Exporting again to the same name replaces the file completely.
        target = out_dir / (drafts[-1].name.replace(".expected.srt", "") + ".srt")
        open_draft(s, pathlib.Path(s.args.drafts) / "json-small-7.json")
        dismiss_message(s)
        export_to(s, target, overwrite=True)
        dismiss_message(s)
        small = pathlib.Path(s.args.drafts) / "json-small-7.expected.srt"
        assert target.read_bytes() == expected_gbk(small), "second export did not replace the file"
    finally:
        shutil.rmtree(out_dir, ignore_errors=True)
    close_main(s)


def write_caption_draft(path, captions):
    """Writes a draft of one text track whose captions are `captions`, the i-th from
    2i s to 2i + 1.5 s; returns `path`."""
    texts = [{"id": "t%d" % i, "content": text} for i, text in enumerate(captions)]
    segments = [{"material_id": "t%d" % i,
                 "target_timerange": {"start": i * 2000000, "duration": 1500000}}
                for i in range(len(captions))]
    path.write_text(json.dumps({"materials": {"texts": texts},
                                "tracks": [{"type": "text", "segments": segments}]},
                               ensure_ascii=False), encoding="utf-8")
    return path


def check_every_character_kept(s):
    # Vietnamese and an emoji, which code page 936 cannot hold, beside Chinese it can.
    work = pathlib.Path(tempfile.mkdtemp(prefix="subvane-gui-"))
    captions = ["Xin chào các bạn 😀", "Tiếng Việt có dấu: ă â đ ơ ư", "你好，世界"]
    draft = write_caption_draft(work / "vietnamese.json", captions)
    expected = work / "vietnamese.expected.srt"
    expected.write_bytes("".join(
        "%d\r\n00:00:0%d,000 --> 00:00:0%d,500\r\n%s\r\n\r\n" % (i + 1, 2 * i, 2 * i + 1, text)
        for i, text in enumerate(captions)).encode("utf-8"))
    s.start()
    s.wait_window(MAIN)
    try:
        open_draft(s, draft)
        assert message_text(s) == "解析完成"
        dismiss_message(s)
        # The table shows the Vietnamese letters (kept as a screenshot to look at).
        s.screenshot("table-beyond-code-page-936")

        utf8 = work / "utf8.srt"
        export_to(s, utf8, utf8=True)
        said = message_text(s)
        assert said == "导出完成", said
        dismiss_message(s)
        assert utf8.read_bytes() == expected.read_bytes(), utf8.read_bytes()

        gbk = work / "gbk.srt"
        export_to(s, gbk)
        said = message_text(s)
        lost = lost_in_gbk(expected)
        assert lost == 10, lost  # ạ 😀 ế ệ ấ ă â đ ơ ư
        assert said == export_message(lost), said
        s.screenshot("export-lost-characters")
        dismiss_message(s)
        assert gbk.read_bytes() == expected_gbk(expected), gbk.read_bytes()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    close_main(s)


def check_drop_draft_and_project_folder(s):
    work = pathlib.Path(tempfile.mkdtemp(prefix="subvane-gui-"))

    def write_draft(path, captions):
        texts = [{"id": "t%d" % i, "content": text} for i, text in enumerate(captions)]
        segments = [{"material_id": "t%d" % i,
                     "target_timerange": {"start": i * 1000000, "duration": 1000000}}
                    for i in range(len(captions))]
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(json.dumps({"materials": {"texts": texts},
                                    "tracks": [{"type": "text", "segments": segments}]},
                                   ensure_ascii=False), encoding="utf-8")
        blocks = ["%d\r\n00:00:0%d,000 --> 00:00:0%d,000\r\n%s\r\n\r\n" % (i + 1, i, i + 1, text)
                  for i, text in enumerate(captions)]
        return "".join(blocks).encode("utf-8")

    # A project as the editor keeps it: the timeline in use lives in Timelines/<id>/.
    project = work / "草稿 项目"
    write_draft(project / "draft_content.json", ["旧的时间线"])
    (project / "Timelines").mkdir()
    (project / "Timelines" / "project.json").write_text(
        json.dumps({"main_timeline_id": "5E1A-77"}), encoding="utf-8")
    main_srt = write_draft(project / "Timelines" / "5E1A-77" / "draft_content.json",
                           ["主时间线", "Tiếng Việt"])
    single = work / "single.json"
    single_srt = write_draft(single, ["一个文件"])
    s.start()
    s.wait_window(MAIN)
    try:
        drop_on(s, MAIN, [project, single])  # of several items the first counts
        said = message_text(s)
        assert said == "解析完成", said
        s.screenshot("dropped-project-folder")
        # A drop while the parse still shows its box is ignored: the table keeps the
        # main timeline (checked by the export below).
        drop_on(s, MAIN, [single])
        dismiss_message(s)
        assert s.find(MAIN).control("导出")["enabled"], "a dropped draft enables Export"
        out = work / "project.srt"
        export_to(s, out, utf8=True)
        dismiss_message(s)
        assert out.read_bytes() == main_srt, out.read_bytes()

        drop_on(s, MAIN, [single])
        assert message_text(s) == "解析完成"
        dismiss_message(s)
        export_to(s, out, overwrite=True, utf8=True)
        dismiss_message(s)
        assert out.read_bytes() == single_srt, out.read_bytes()

        # A folder name that code page 936 cannot carry opens as any other.
        vietnamese = work / "Tiếng Việt"
        vietnamese_srt = write_draft(vietnamese / "draft_content.json", ["không"])
        drop_on(s, MAIN, [vietnamese])
        assert message_text(s) == "解析完成"
        dismiss_message(s)
        export_to(s, out, overwrite=True, utf8=True)
        dismiss_message(s)
        assert out.read_bytes() == vietnamese_srt, out.read_bytes()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    close_main(s)


def check_bad_drafts_and_cancel(s):
    s.start()
    s.wait_window(MAIN)
    work = pathlib.Path(tempfile.mkdtemp(prefix="subvane-gui-"))
    try:
        # A cancelled dialog changes nothing and says nothing.
        s.click(MAIN, "解析")
        s.keys("打开JSON文件", "Escape")
        s.wait_gone("打开JSON文件")
        assert s.find(INFO) is None and not s.find(MAIN).control("导出")["enabled"]

        encrypted = pathlib.Path(s.args.drafts) / "encrypted.json"
        if encrypted.exists():
            open_draft(s, encrypted)
            assert message_text(s) == ("无法解析所选文件：该草稿已被剪映加密（6.0 及以上版本），"
                                       "无法读取字幕。请在剪映中使用自带的字幕导出功能。")
            dismiss_message(s)

        not_json = work / "notes.json"
        not_json.write_text("this is not a draft")
        open_draft(s, not_json)
        assert message_text(s) == "无法解析所选文件：它不是有效的剪映草稿（JSON）。"
        dismiss_message(s)
        assert not s.find(MAIN).control("导出")["enabled"], "a bad draft must not enable Export"

        # A file that cannot be written: the user is told, not congratulated.
        draft = work / "draft.json"
        draft.write_text('{"materials":{"texts":[{"content":"hi"}]},"tracks":[]}')
        open_draft(s, draft)
        dismiss_message(s)
        # A folder that takes no new files, whoever asks (root ignores permission bits,
        # not the immutable attribute).
        locked = work / "locked"
        locked.mkdir()
        if subprocess.run(["chattr", "+i", str(locked)], capture_output=True).returncode != 0:
            print("  (chattr +i unavailable: the unwritable-folder case is skipped)")
            return
        try:
            export_to(s, locked / "out.srt")
            said = message_text(s)
            assert said == "导出失败：无法写入所选文件。", said
            dismiss_message(s)
            assert not (locked / "out.srt").exists()
        finally:
            subprocess.run(["chattr", "-i", str(locked)], check=False)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    close_main(s)


def write_large_draft(path, count):
    texts = ",".join('{"id":"t%d","content":"第%d条字幕 subtitle %d"}' % (i, i, i) for i in range(count))
    segments = ",".join('{"material_id":"t%d","target_timerange":{"start":%d,"duration":900000}}'
                        % (i, i * 1000000, ) for i in range(count))
    path.write_text('{"materials":{"texts":[%s]},"tracks":[{"type":"text","segments":[%s]}]}'
                    % (texts, segments), encoding="utf-8")


def check_closing_while_the_table_fills(s):
    work = pathlib.Path(tempfile.mkdtemp(prefix="subvane-gui-"))
    try:
        draft = work / "large.json"
        # The table takes 20,000 rows in a tenth of a second: a draft ten times as long
        # leaves time to see the fill under way and close the window in the middle of it.
        write_large_draft(draft, 200000)
        s.start()
        s.wait_window(MAIN)
        open_draft(s, draft)

        # The Parse button is held while the rows go in: the fill is under way.
        def filling():
            w = s.find(MAIN)
            return w is not None and not w.control("解析")["enabled"] and s.find(INFO) is None
        s.wait("the fill to start", filling, 10)
        w = s.find(MAIN)
        left, top, right, bottom = w.rect
        s.xdotool("mousemove", str(left + 40), str(bottom - 30))
        s.xdotool("key", "alt+F4")
        assert s.exit_code(60) == 0, "closing during the fill should end the program with 0"
        assert s.find("错误") is None and s.find(INFO) is None
    finally:
        shutil.rmtree(work, ignore_errors=True)


def check_export_onto_a_full_disk_keeps_the_old_file(s):
    work = pathlib.Path(tempfile.mkdtemp(prefix="subvane-gui-"))
    try:
        draft = work / "draft.json"
        write_large_draft(draft, 400)  # about 25 KB of SRT
        target = work / "out.srt"
        old = "1\r\n00:00:00,000 --> 00:00:01,000\r\n旧字幕\r\n\r\n".encode("gbk")
        target.write_bytes(old)
        s.start(file_size_limit_kb=8)
        s.wait_window(MAIN)
        open_draft(s, draft)
        assert message_text(s) == "解析完成"
        dismiss_message(s)
        export_to(s, target, overwrite=True)
        said = message_text(s)
        assert said == "导出失败：无法写入所选文件。", said
        dismiss_message(s)
        assert target.read_bytes() == old, "the old file must stay as it was"
        assert sorted(p.name for p in work.iterdir()) == ["draft.json", "out.srt"], \
            "no part-written file may be left beside it"
        close_main(s)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def check_keys_act_only_on_the_focused_control(s):
    s.start()
    s.wait_window(MAIN)
    s.wait("the table to paint", lambda: s.find(MAIN).control("解析"))
    w = s.find(MAIN)
    left, top, right, bottom = w.rect
    # An empty spot of the window: it is active and no control has the keyboard.
    s.xdotool("mousemove", str(left + 40), str(bottom - 30))
    s.xdotool("click", "1")
    for key, dialog in (("Return", "打开JSON文件"), ("Escape", "保存srt文件")):
        s.xdotool("key", key)
        appeared = False
        deadline = time.monotonic() + 2
        while time.monotonic() < deadline and not appeared:
            appeared = s.find(dialog) is not None
        assert not appeared, "%s on the bare window opened '%s'" % (key, dialog)
    # A focused button is pressed by its keys, as buttons are.
    s.point_at(w.control("解析")["rect"])
    s.xdotool("click", "1")
    s.keys("打开JSON文件", "Escape")
    s.wait_gone("打开JSON文件")
    s.point_at(w.control("解析")["rect"])
    s.xdotool("key", "Return")
    s.keys("打开JSON文件", "Escape")
    s.wait_gone("打开JSON文件")
    close_main(s)


def grab(x, y, width, height):
    """The screen's pixels in a rectangle, as rows of (r, g, b)."""
    out = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y),
                          "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    return [[tuple(out[(r * width + c) * 3:(r * width + c) * 3 + 3]) for c in range(width)]
            for r in range(height)]


def highlighted_band(x, top, height):
    """The (first, last) screen rows in a strip down from (x, top) painted in a strong
    blue, as the highlight colours paint; None when none is."""
    column = [row[0] for row in grab(x, top, 1, height)]
    blue = [i for i, (r, g, b) in enumerate(column) if b > r + 60 and b > g + 30]
    return (top + blue[0], top + blue[-1]) if blue else None


def check_table_reading(s):
    # A long draft with captions of several lines: the current row is found at a glance
    # after scrolling, and double-clicking its boundary fits the row to its caption.
    draft = pathlib.Path(s.args.drafts) / "json-multitrack-112.json"
    if not draft.exists():
        assert os.environ.get("CI") != "true", "no real drafts in %s (CI=true)" % s.args.drafts
        print("  (no real drafts: skipped)")
        return
    s.start()
    s.wait_window(MAIN)
    open_draft(s, draft)
    dismiss_message(s)
    grid = s.wait("the table", lambda: next(
        (c for c in s.find(MAIN).controls if c["class"] == "MYGridCtrl"), None))
    left, top, right, bottom = grid["rect"]
    x0, y0 = left + 2, top + 2  # inside the sunken edge
    s.xdotool("mousemove", str(x0 + 300), str(y0 + 36))
    s.xdotool("click", "1")  # row 1, the text column
    s.xdotool("key", "--delay", "20", *(["Down"] * 21))  # row 22, a caption of seven lines
    serial_x = x0 + 5
    band = s.wait("the current row's serial cell to be highlighted",
                  lambda: highlighted_band(serial_x, y0 + 24, bottom - top - 30))
    assert band[1] - band[0] < 30, "one row is highlighted, not %r" % (band,)
    s.screenshot("table-current-row-after-scrolling")

    # The wheel lifts the row off the bottom edge, so that it has room to grow.
    s.xdotool("click", "--repeat", "2", "--delay", "50", "5")
    band = s.wait("the row to scroll up", lambda: (
        lambda b: b if b and b[0] < band[0] - 24 else None)(
            highlighted_band(serial_x, y0 + 24, bottom - top - 30)))
    s.xdotool("mousemove", str(x0 + 25), str(band[1] + 1))
    s.xdotool("click", "--repeat", "2", "--delay", "80", "1")
    fitted = s.wait("the row to fit its caption", lambda: (
        lambda b: b if b and b[1] - b[0] > 5 * 12 else None)(
            highlighted_band(serial_x, y0 + 24, bottom - top - 30)))
    s.screenshot("table-row-fitted-to-caption")
    assert fitted[0] >= y0 + 24
    close_main(s)


def run_cli(s, *args):
    """subvane-cli.exe's own output for the same draft, read from the file it writes."""
    result = subprocess.run(["wine", s.args.cli] + list(args), capture_output=True, timeout=60)
    assert result.returncode == 0, result.stderr.decode("utf-8", "replace")


def track_list(s):
    w = s.find(MAIN)
    lists = [c for c in w.controls if c["class"].lower() == "combobox" and c["visible"]]
    assert len(lists) == 1, "one track list in the window, not %d" % len(lists)
    return lists[0]


def click_at(s, rect, dx=None):
    left, top, right, bottom = rect
    x = left + dx if dx is not None else (left + right) // 2
    s.xdotool("mousemove", str(x), str((top + bottom) // 2))
    s.xdotool("click", "1")


def answer_question(s, answer):
    """Answers the question about edits not yet exported with the button `answer`
    ("Yes" or "No") and returns its text."""
    said = message_text(s)
    labels = {"Yes": ("&Yes", "是(&Y)", "Yes"), "No": ("&No", "否(&N)", "No")}[answer]
    button = next(c for c in s.wait_window(INFO).controls
                  if c["class"].lower() == "button" and c["text"] in labels)
    s.point_at(button["rect"])
    s.xdotool("click", "1")
    s.wait_gone(INFO)
    return said


# The save dialog's title for each file type, in the order it offers them: it names the
# type chosen.
SAVE_TITLES = ["保存srt文件", "保存srt文件", "保存vtt文件", "保存txt文件", "保存ass文件"]


def export_as(s, path, steps):
    """Exports with the save dialog's file type `steps` entries below the first."""
    s.click(MAIN, "导出")
    choose_file_type(s, "保存srt文件", "文件类型(&T):", steps)
    s.type_into_dialog(SAVE_TITLES[steps], windows_path(path))
    s.wait("the save dialog to close",
           lambda: not any(w.title in SAVE_TITLES for w in s.windows()))
    said = message_text(s)
    dismiss_message(s)
    return said


def check_every_format_and_one_track(s):
    # A draft with captions in three languages on five tracks: its list offers each
    # track; WebVTT and text exports of all of them and of one are what subvane-cli
    # writes for the same captions.
    draft = pathlib.Path(s.args.drafts) / "hidden-track-trilingual-301.json"
    if not draft.exists():
        assert os.environ.get("CI") != "true", "no real drafts in %s (CI=true)" % s.args.drafts
        print("  (no real drafts: skipped)")
        return
    work = pathlib.Path(tempfile.mkdtemp(prefix="subvane-gui-"))
    project = work / "Trilingual Project"
    project.mkdir()
    shutil.copy(draft, project / "draft_content.json")
    draft = project / "draft_content.json"
    try:
        s.start()
        s.wait_window(MAIN)
        open_draft(s, draft)
        dismiss_message(s)
        # The offered name follows the chosen type: "Trilingual Project.vtt", where the
        # dialog opens (the project's folder).
        s.click(MAIN, "导出")
        choose_file_type(s, "保存srt文件", "文件类型(&T):", 2)
        s.wait_window("保存vtt文件")  # the title names the type chosen
        s.screenshot("save-dialog-offers-the-project-name-as-webvtt")
        s.keys("保存vtt文件", "Return")
        s.wait("the save dialog to close",
               lambda: not any(w.title in SAVE_TITLES for w in s.windows()))
        assert message_text(s) == "导出完成"
        dismiss_message(s)
        written = project / "Trilingual Project.vtt"
        assert written.exists(), sorted(p.name for p in project.iterdir())
        shutil.move(written, work / "all.vtt")
        run_cli(s, "--format", "vtt", "-o", windows_path(work / "cli-all.vtt"), windows_path(draft))
        assert (work / "all.vtt").read_bytes() == (work / "cli-all.vtt").read_bytes(), "WebVTT"
        # A bare name takes the chosen type's extension.
        assert export_as(s, work / "all", 3) == "导出完成"
        run_cli(s, "--format", "txt", "-o", windows_path(work / "cli-all.txt"), windows_path(draft))
        assert (work / "all.txt").read_bytes() == (work / "cli-all.txt").read_bytes(), "text"
        assert export_as(s, work / "all", 4) == "导出完成"
        run_cli(s, "--format", "ass", "-o", windows_path(work / "cli-all.ass"), windows_path(draft))
        assert (work / "all.ass").read_bytes() == (work / "cli-all.ass").read_bytes(), "ASS"

        # The list drops down over the table; the second track is chosen from it, below
        # all tracks and all tracks merged.
        combo = track_list(s)
        assert combo["enabled"], "five caption tracks: the list takes a choice"
        click_at(s, combo["rect"])
        s.wait("the list to drop down", lambda: any(
            w.cls == "ComboLBox" for w in s.windows()))
        s.screenshot("trilingual-draft-track-list-open")
        s.xdotool("key", "Down", "Down", "Down", "Return")
        s.wait("the list to close", lambda: not any(w.cls == "ComboLBox" for w in s.windows()))
        s.screenshot("trilingual-draft-second-track-chosen")
        assert export_as(s, work / "track2.vtt", 2) == "导出完成"
        run_cli(s, "--track", "2", "--format", "vtt", "-o", windows_path(work / "cli-track2.vtt"),
                windows_path(draft))
        assert (work / "track2.vtt").read_bytes() == (work / "cli-track2.vtt").read_bytes(), \
            "the second track's WebVTT"
        assert export_as(s, work / "track2.txt", 3) == "导出完成"
        run_cli(s, "--track", "2", "--format", "txt", "-o", windows_path(work / "cli-track2.txt"),
                windows_path(draft))
        assert (work / "track2.txt").read_bytes() == (work / "cli-track2.txt").read_bytes(), \
            "the second track's text"
    finally:
        for name in ("all.vtt", "all.txt", "all.ass", "track2.vtt", "track2.txt"):
            if (work / name).exists():
                shutil.copy(work / name, os.path.join(s.args.artifacts, "trilingual-" + name))
        shutil.rmtree(work, ignore_errors=True)
    close_main(s)


def write_timed_draft(path, count):
    """A draft of `count` captions, the first from 00:00:00,033 to 00:00:01,800, the
    widest time range the time column must show whole."""
    texts = [{"id": "t%d" % i, "content": "第 %d 句字幕，窗口变宽时这一列随之变宽。" % (i + 1)}
             for i in range(count)]
    segments = [{"material_id": "t%d" % i,
                 "target_timerange": {"start": 33000 + i * 2000000, "duration": 1767000}}
                for i in range(count)]
    path.write_text(json.dumps({"materials": {"texts": texts},
                                "tracks": [{"type": "text", "segments": segments}]},
                               ensure_ascii=False), encoding="utf-8")


def table_of(w):
    return next(c for c in w.controls if c["class"] == "MYGridCtrl")


def scaled(value, dpi):
    return (value * dpi + 48) // 96


def rightmost_white(x_from, x_to, y):
    """The last screen column in [x_from, x_to) on row y painted white (a cell), or None."""
    row = grab(x_from, y, x_to - x_from, 1)[0]
    white = [i for i, p in enumerate(row) if p == (255, 255, 255)]
    return x_from + white[-1] if white else None


def ink_span(x_from, x_to, top, height):
    """The (first, last) screen columns in a band holding dark pixels (text), or None."""
    rows = grab(x_from, top, x_to - x_from, height)
    dark = [i for r in rows for i, (red, green, blue) in enumerate(r) if red + green + blue < 300]
    return (x_from + min(dark), x_from + max(dark)) if dark else None


def size_hints(s):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % MAIN],
                           capture_output=True, text=True, timeout=30).stdout.split()
    assert found, "no X window for the main window"
    return subprocess.run(["xprop", "-id", found[0], "WM_NORMAL_HINTS"], capture_output=True,
                          text=True, timeout=30).stdout


def drag(s, start, end):
    """Presses the left button at `start`, moves as a hand would, lets go at `end`."""
    s.xdotool("mousemove", str(start[0]), str(start[1]))
    s.xdotool("mousedown", "1")
    middle = ((start[0] + end[0]) // 2, (start[1] + end[1]) // 2)
    for x, y in (middle, end):
        s.xdotool("mousemove", "--sync", str(x), str(y))
    s.xdotool("mouseup", "1")


def settled_main(s, what, condition):
    """The main window once `condition` holds for it and two looks in a row find it and
    its table where they were: a sizing loop has finished."""
    last = [None]

    def check():
        m = s.find(MAIN)
        if not m or not condition(m):
            last[0] = None
            return None
        seen = (m.rect, table_of(m)["rect"])
        if seen == last[0]:
            return m
        last[0] = seen
        return None
    return s.wait(what, check)


def check_window_resizes_with_the_caption_column(s):
    work = pathlib.Path(tempfile.mkdtemp(prefix="subvane-gui-"))
    try:
        draft = work / "timed.json"
        write_timed_draft(draft, 40)
        s.start()
        s.wait_window(MAIN)
        hints = size_hints(s)
        # A fixed window's hints pin its size: minimum and maximum alike.
        assert not ("minimum size" in hints and "maximum size" in hints and
                    hints.split("minimum size:")[1].split("\n")[0] ==
                    hints.split("maximum size:")[1].split("\n")[0]), hints
        # A double-click on the caption maximises the window, and the table with it; a
        # second one gives both their old sizes back.
        w = s.find(MAIN)
        grid = table_of(w)["rect"]
        caption = ((w.rect[0] + w.rect[2]) // 2, w.rect[1] + 10)
        s.xdotool("mousemove", str(caption[0]), str(caption[1]))
        s.xdotool("click", "--repeat", "2", "--delay", "80", "1")
        screen_width = int(subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True,
                                          text=True, timeout=30).stdout.split()[0])
        big = s.wait("the window to be maximised", lambda: (
            lambda m: m if m and m.rect[2] - m.rect[0] >= screen_width else None)(s.find(MAIN)))
        s.wait("the table to fill the maximised window", lambda: (
            lambda t: t[2] >= big.rect[2] - 40)(table_of(s.find(MAIN))["rect"]))
        s.xdotool("mousemove", str(caption[0]), "8")
        s.xdotool("click", "--repeat", "2", "--delay", "80", "1")
        s.wait("the window and its table to be restored", lambda: (
            lambda m: m and m.rect == w.rect and table_of(m)["rect"] == grid)(s.find(MAIN)))

        open_draft(s, draft)
        dismiss_message(s)
        w = s.find(MAIN)
        grid = table_of(w)["rect"]
        row_y = grid[1] + 2 + 24 + 12  # the middle of the first row
        before = rightmost_white(grid[0], grid[2], row_y)
        # Moved to the screen's corner first, so that the larger window fits any screen.
        left, top = w.rect[0], w.rect[1]
        drag(s, (left + 200, top + 10), (200, 10))
        w = s.wait("the window to move", lambda: (
            lambda m: m if m and m.rect[0] == 0 else None)(s.find(MAIN)))
        left, top, right, bottom = w.rect
        drag(s, (right - 2, bottom - 2), (left + 1200 - 2, top + 760 - 2))
        w = s.wait("the window to take 1200 x 760", lambda: (
            lambda m: m if m and (m.rect[2] - m.rect[0], m.rect[3] - m.rect[1]) == (1200, 760)
            else None)(s.find(MAIN)))
        # The table keeps its margins: it grows by what the window grew.
        want = (grid[2] - grid[0] + 1200 - 738, grid[3] - grid[1] + 760 - 387)
        grown = s.wait("the table to grow with the window", lambda: (
            lambda t: t if (t[2] - t[0], t[3] - t[1]) == want else None)(
                table_of(s.find(MAIN))["rect"]))
        row_y = grown[1] + 2 + 24 + 12
        after = s.wait("the rows to repaint", lambda: (
            lambda x: x if x and x > grown[2] - 40 else None)(
                rightmost_white(grown[0], grown[2], row_y)))
        s.screenshot("window-resized-to-1200x760")
        # The caption column took all the width the window gained.
        assert after - grown[0] == before - grid[0] + 1200 - 738, (before, after)

        # Narrowed as far as it goes, the window still shows both buttons and all three
        # column titles.
        drag(s, (left + 1200 - 2, top + 760 - 2), (left + 100, top + 100))
        w = settled_main(s, "the window to stop at its minimum", lambda m: (
            m.rect[2] - m.rect[0] < 738 and table_of(m)["rect"][2] <= m.rect[2]))
        for name in ("解析", "导出"):
            button = w.control(name)["rect"]
            assert button[2] <= w.rect[2] and button[3] <= w.rect[3], (name, button, w.rect)
        small = table_of(w)["rect"]
        title = s.wait("the caption column's title", lambda: (
            lambda t: t if t and t[1] - t[0] > 30 else None)(
                ink_span(small[0] + 2 + 250 + 2, small[2] - 2, small[1] + 6, 16)))
        s.screenshot("window-at-its-minimum-size")
        # Room again below the buttons, where closing clicks the bare window.
        drag(s, (w.rect[2] - 2, w.rect[3] - 2), (w.rect[2] + 200, w.rect[3] + 200))
        s.wait("the window to grow", lambda: (
            lambda m: m if m and m.rect[3] - m.rect[1] > 300 else None)(s.find(MAIN)))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    close_main(s)


def check_edits_are_not_lost(s):
    # An edit, then Parse and a close each answered No: the edit stays and is exported;
    # after the export the window closes without a question.
    work = pathlib.Path(tempfile.mkdtemp(prefix="subvane-gui-"))
    question = "表格中的修改还没有导出，继续将丢失这些修改。要继续吗？"
    try:
        draft = work / "draft.json"
        draft.write_text(json.dumps({"materials": {"texts": [{"id": "a", "content": "原来的字幕"}]},
                                     "tracks": [{"type": "text", "segments": [
                                         {"material_id": "a",
                                          "target_timerange": {"start": 0, "duration": 1000000}}]}]},
                                    ensure_ascii=False), encoding="utf-8")
        s.start()
        s.wait_window(MAIN)
        open_draft(s, draft)
        dismiss_message(s)
        grid = next(c for c in s.find(MAIN).controls if c["class"] == "MYGridCtrl")
        left, top = grid["rect"][0] + 2, grid["rect"][1] + 2
        # The caption of row 1: typing starts an edit, Return commits it.
        s.xdotool("mousemove", str(left + 300), str(top + 36))
        s.xdotool("click", "1")
        s.xdotool("type", "--delay", "40", "NEW")
        s.xdotool("key", "Return")

        s.click(MAIN, "解析")
        s.wait_window(INFO)
        s.screenshot("unexported-edits-question")
        assert answer_question(s, "No") == question
        assert s.find("打开JSON文件") is None, "No opens no dialog"

        # An edit still in its box counts too: F2 on the current cell, more letters, and
        # the window closed from the keyboard without leaving the box.
        s.xdotool("mousemove", str(left + 300), str(grid["rect"][3] - 20))
        s.xdotool("click", "1")  # below the rows: the table takes the keyboard
        s.xdotool("key", "F2")
        s.xdotool("type", "--delay", "40", "ER")
        s.xdotool("key", "alt+F4")
        assert answer_question(s, "No") == question
        assert s.process.poll() is None and s.find(MAIN), "No keeps the window open"
        s.screenshot("edit-kept-after-close-answered-no")

        out = work / "edited.srt"
        export_to(s, out, utf8=True)
        assert message_text(s) == "导出完成"
        dismiss_message(s)
        assert out.read_bytes() == "1\r\n00:00:00,000 --> 00:00:01,000\r\nNEWER\r\n\r\n".encode(), \
            out.read_bytes()
        close_main(s)  # no question after the export
    finally:
        shutil.rmtree(work, ignore_errors=True)


def srt_blocks(data):
    """An SRT file's blocks, each [serial, times, text], from its UTF-8 bytes."""
    return [b.split("\r\n", 2) for b in data.decode("utf-8").split("\r\n\r\n") if b]


def srt_bytes(blocks):
    """SRT bytes of `blocks`, numbered again from 1."""
    return "".join("%d\r\n%s\r\n%s\r\n\r\n" % (i + 1, b[1], b[2])
                   for i, b in enumerate(blocks)).encode("utf-8")


def wait_box(s, title, words):
    """The box titled `title` whose text holds `words`, and its text."""
    def box():
        for w in s.windows():
            said = " ".join(c["text"] for c in w.controls
                            if c["class"].lower() == "static" and c["text"])
            if w.title == title and words in said:
                return w, said
        return None
    return s.wait("a box '%s' saying '%s'" % (title, words), box)


def check_undo_find_replace_shift_and_delete_rows(s):
    # On a real draft of 301 captions, as a person would: Ctrl+A, Delete, Ctrl+Z gives back
    # every caption byte for byte; a replace-all is one step, undone and redone; a time
    # shift of every row and of the selected ones equals subvane-cli --offset; a negative
    # shift past zero is refused; deleted rows are renumbered and exported so; undoing
    # back to the exported state closes without a question.
    draft = pathlib.Path(s.args.drafts) / "json-cantonese-301.json"
    if not draft.exists():
        print("SKIP check_undo_find_replace_shift_and_delete_rows: no real drafts")
        return
    work = pathlib.Path(tempfile.mkdtemp(prefix="subvane-gui-"))
    question = "表格中的修改还没有导出，继续将丢失这些修改。要继续吗？"
    try:
        run_cli(s, "-o", windows_path(work / "cli.srt"), windows_path(draft))
        run_cli(s, "--offset", "2.5", "-o", windows_path(work / "cli-2.5.srt"), windows_path(draft))
        run_cli(s, "--offset", "1", "-o", windows_path(work / "cli-1.srt"), windows_path(draft))
        original = (work / "cli.srt").read_bytes()
        blocks = srt_blocks(original)
        assert len(blocks) == 301

        s.start()
        s.wait_window(MAIN)
        open_draft(s, draft)
        dismiss_message(s)
        grid = table_of(s.find(MAIN))
        left, top = grid["rect"][0] + 2, grid["rect"][1] + 2
        exports = iter(range(100))

        def caption(row, *keys):  # a click on a row's caption, with keys held
            s.xdotool("mousemove", str(left + 300), str(top + 24 * row + 12))
            for key in keys:
                s.xdotool("keydown", key)
            s.xdotool("click", "1")
            for key in keys:
                s.xdotool("keyup", key)

        def table_keys(*keys):  # a click on a serial number gives the table the keyboard
            s.xdotool("mousemove", str(left + 25), str(top + 24 * 8 + 12))
            s.xdotool("click", "1")
            s.xdotool("key", *keys)

        def exported():
            out = work / ("window-%d.srt" % next(exports))
            export_to(s, out, utf8=True)
            assert message_text(s) == "导出完成"
            dismiss_message(s)
            return out.read_bytes()

        # Ctrl+A, Delete: every caption empty; Ctrl+Z: every one back.
        caption(1)
        table_keys("ctrl+a", "Delete")
        emptied = exported()
        # Ctrl+A takes the time cells too: only the serial numbers are left.
        assert emptied == b"".join(b"%d\r\n\r\n\r\n\r\n" % (i + 1) for i in range(301)), \
            emptied[:200]
        table_keys("ctrl+z")
        assert exported() == original, "Ctrl+Z did not restore every caption"

        # Replace all of a word in the 301 captions: one step, undone and redone.
        word, other = "今天", "明天"
        count = sum(b[2].count(word) for b in blocks)
        replaced = srt_bytes([[b[0], b[1], b[2].replace(word, other)] for b in blocks])
        table_keys("ctrl+h")
        dialog = s.wait("the replace dialog", lambda: next(
            (w for w in s.windows() if w.cls == "#32770" and w.title != MAIN), None))
        s.point_at(dialog.rect)
        with own_keys(word + other):  # until the words have done their work
            s.xdotool("type", "--delay", "40", word)
            s.xdotool("key", "Tab")
            s.xdotool("type", "--delay", "40", other)
            s.xdotool("key", "alt+a")
            box, said = wait_box(s, "替换", "已替换")
        assert said == "已替换 %d 处。" % count, said
        s.point_at(box.rect)
        s.xdotool("key", "Return")
        s.point_at(s.wait("the dialog again", lambda: s.find(dialog.title)).rect)
        s.xdotool("key", "Escape")
        s.wait_gone(dialog.title)
        # The context menu after an edit: Undo can act, Redo cannot.
        s.xdotool("mousemove", str(left + 300), str(top + 24 * 3 + 12))
        s.xdotool("click", "3")
        menu = s.wait("the context menu", lambda: next(
            (w for w in s.windows() if w.cls == "#32768"), None))
        time.sleep(0.3)
        s.screenshot("table-context-menu")
        s.xdotool("key", "Escape")
        s.wait("the menu to close", lambda: not any(w.cls == "#32768" for w in s.windows()))
        table_keys("Menu")  # the menu key shows it too
        s.wait("the context menu from the keyboard", lambda: next(
            (w for w in s.windows() if w.cls == "#32768"), None))
        s.xdotool("key", "Escape")
        s.wait("the menu to close", lambda: not any(w.cls == "#32768" for w in s.windows()))
        assert exported() == replaced, "Replace All did not replace every match"
        table_keys("ctrl+z")
        assert exported() == original, "Ctrl+Z did not undo Replace All"
        table_keys("ctrl+y")
        assert exported() == replaced, "Ctrl+Y did not redo Replace All"
        table_keys("ctrl+z")

        # Find from row 1: Return in the dialog finds the first and second match, F3 in
        # the table the third, Shift+F3 the second again, selected in the cell's box, so
        # that typing replaces just that match.
        matches = [(i, at) for i, b in enumerate(blocks)
                   for at in range(len(b[2])) if b[2].startswith(word, at)]
        caption(1)
        table_keys("ctrl+f")
        dialog = s.wait("the find dialog", lambda: next(
            (w for w in s.windows() if w.cls == "#32770" and w.title != MAIN), None))
        s.point_at(dialog.rect)
        with own_keys(word):
            s.xdotool("type", "--delay", "40", word)
            s.xdotool("key", "Return")
            time.sleep(0.3)
            s.xdotool("key", "Return")
            time.sleep(0.3)
        s.screenshot("find-shows-the-match")
        s.xdotool("key", "Escape")
        s.wait_gone(dialog.title)
        s.xdotool("mousemove", str(left + 300), str(top + 24 * 8 + 12))
        s.xdotool("key", "F3")
        time.sleep(0.3)
        s.xdotool("key", "shift+F3")
        time.sleep(0.3)
        s.xdotool("type", "--delay", "40", "X")
        s.xdotool("key", "Return")
        row, at = matches[1]
        typed = [list(b) for b in blocks]
        typed[row][2] = typed[row][2][:at] + "X" + typed[row][2][at + len(word):]
        assert exported() == srt_bytes(typed), "typing did not replace the second match"
        table_keys("ctrl+z")

        def shift(seconds):
            table_keys("ctrl+t")
            s.point_at(s.wait_window("调整时间").rect)
            s.xdotool("type", "--delay", "40", "--", seconds)
            s.screenshot("shift-dialog-%s" % seconds)
            s.xdotool("key", "Return")

        # +2.5 s on every row, as subvane-cli --offset 2.5.
        shift("2.5")
        s.wait_gone("调整时间")
        assert exported() == (work / "cli-2.5.srt").read_bytes(), "+2.5 s differs from the cli"
        table_keys("ctrl+z")
        # +1 s on rows 3 to 5, picked with a click and a Shift+click.
        caption(3)
        caption(5, "shift")
        shift("1")
        s.wait_gone("调整时间")
        later = srt_blocks((work / "cli-1.srt").read_bytes())
        expected = [later[i] if 2 <= i <= 4 else b for i, b in enumerate(blocks)]
        assert exported() == srt_bytes(expected), "the selected rows' shift differs"
        table_keys("ctrl+z")
        # -5 s would put the first caption (at 0.1 s) before zero: refused, nothing moves.
        caption(1)
        shift("-5")
        box, said = wait_box(s, "调整时间", "无法调整时间")
        assert "第 1 行" in said, said
        s.screenshot("negative-shift-refused")
        s.point_at(box.rect)
        s.xdotool("key", "Return")
        s.point_at(s.wait_window("调整时间").rect)
        s.xdotool("key", "Escape")
        s.wait_gone("调整时间")

        # Rows 2 and 4 deleted with Ctrl+click and Ctrl+Delete: the rest renumbered.
        caption(2)
        caption(4, "ctrl")
        table_keys("ctrl+Delete")
        after_delete = srt_bytes([b for i, b in enumerate(blocks) if i not in (1, 3)])
        assert exported() == after_delete, "the deleted rows were exported"
        s.screenshot("rows-deleted")

        # An edit undone is back at the export: no question. One step further back, the
        # deleted rows return, which the export does not hold: the question comes.
        caption(6)
        s.xdotool("type", "--delay", "40", "X")
        s.xdotool("key", "Return")
        table_keys("ctrl+z", "ctrl+z")
        s.xdotool("key", "alt+F4")
        assert answer_question(s, "No") == question
        table_keys("ctrl+y")
        close_main(s)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def local_app_data():
    """The Wine prefix's %LOCALAPPDATA%, where the editors keep their settings."""
    import getpass
    prefix = pathlib.Path(os.environ.get("WINEPREFIX", pathlib.Path.home() / ".wine"))
    return prefix / "drive_c" / "users" / getpass.getuser() / "AppData" / "Local"


def qt_ini_text(text):
    """`text` as Qt writes it into an INI value: characters beyond ASCII as \\xHHHH."""
    return "".join(ch if ord(ch) < 0x80 else "\\x%04x" % ord(ch) for ch in text)


def check_open_dialog_starts_in_the_custom_draft_folder(s):
    # JianyingPro's settings name a draft folder of the user's own (in Qt's form: forward
    # slashes, \xHHHH escapes): the open dialog starts there, so the project's relative
    # path is enough; the title then names the project.
    work = pathlib.Path(tempfile.mkdtemp(prefix="subvane-gui-"))
    config = local_app_data() / "JianyingPro" / "User Data" / "Config"
    try:
        drafts = work / "我的 草稿"
        project = drafts / "Holiday"
        project.mkdir(parents=True)
        shutil.copyfile(os.path.join(s.args.drafts, "json-small-7.json"),
                        project / "draft_content.json")
        (project / "draft_meta_info.json").write_text(
            json.dumps({"draft_name": "假期 Vlog"}, ensure_ascii=False), encoding="utf-8")
        config.mkdir(parents=True, exist_ok=True)
        folder = "Z:" + str(drafts)
        (config / "globalSetting").write_text(
            "[General]\ncurrentCustomDraftPath=%s\n" % qt_ini_text(folder), encoding="utf-8")
        s.start()
        s.wait_window(MAIN)
        s.click(MAIN, "解析")
        s.type_into_dialog("打开JSON文件", "Holiday\\draft_content.json")
        s.wait_gone("打开JSON文件")
        assert message_text(s) == "解析完成"
        dismiss_message(s)
        assert s.wait_window("假期 Vlog - Subvane"), "the title names the project"
        close_main(s)
    finally:
        shutil.rmtree(config.parent.parent, ignore_errors=True)
        shutil.rmtree(work, ignore_errors=True)


def restart_wine_at_dpi(dpi):
    """Sets the display's DPI as the user's settings give it; the Wine server restarts to
    read it."""
    subprocess.run(["wine", "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels",
                    "/t", "REG_DWORD", "/d", str(dpi), "/f"], stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True, timeout=60)
    subprocess.run(["wineserver", "-k"], check=False, timeout=60)
    subprocess.run(["wineserver", "-w"], check=False, timeout=60)
    subprocess.run(["wineserver", "-p"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=False, timeout=60)
    # The first program on the new server starts Wine's background services, which keep
    # its output open: a program whose output is read (subvane-cli in the next check or
    # the next test) would never seem to end. A program without output starts them.
    subprocess.run(["wine", "reg", "query", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels"],
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=False, timeout=60)


def check_layout_follows_the_dpi(s):
    work = pathlib.Path(tempfile.mkdtemp(prefix="subvane-gui-"))
    widths = {}
    try:
        draft = work / "timed.json"
        write_timed_draft(draft, 3)
        for dpi in (96, 120, 144, 192):
            restart_wine_at_dpi(dpi)
            s.start()
            s.wait_window(MAIN)
            open_draft(s, draft)
            dismiss_message(s)
            w = s.find(MAIN)
            widths[dpi] = (w.rect[2] - w.rect[0], w.rect[3] - w.rect[1])
            grid = table_of(w)["rect"]
            s.wait("the rows to paint", lambda: rightmost_white(grid[0], grid[2], grid[1] + 2 + scaled(36, dpi)))
            if dpi in (96, 144):
                s.screenshot("time-range-whole-at-%d-dpi" % dpi)
            # The time range lies inside its column, clear of both edges.
            column_left = grid[0] + 2 + scaled(50, dpi)
            column_right = grid[0] + 2 + scaled(250, dpi)
            row_top = grid[1] + 2 + scaled(24, dpi)
            ink = ink_span(column_left + 1, column_right - 1, row_top + 2, scaled(24, dpi) - 4)
            assert ink and ink[0] > column_left + 2 and ink[1] < column_right - 3, (dpi, ink)
            # The buttons' captions lie inside the buttons.
            for name in ("解析", "导出"):
                b = w.control(name)["rect"]
                ink = ink_span(b[0] + 2, b[2] - 2, b[1] + 3, b[3] - b[1] - 6)
                assert ink and ink[0] > b[0] + 4 and ink[1] < b[2] - 5, (dpi, name, ink)
            close_main(s)
    finally:
        restart_wine_at_dpi(96)
        shutil.rmtree(work, ignore_errors=True)
    for dpi in (120, 144, 192):
        for got, base in zip(widths[dpi], widths[96]):
            assert abs(got - base * dpi / 96) <= 1, (dpi, widths)


def check_track_list_at_144_dpi(s):
    # The track list and its dropped items at 150 % scale, kept as a screenshot to look at.
    draft = pathlib.Path(s.args.drafts) / "hidden-track-trilingual-301.json"
    if not draft.exists():
        assert os.environ.get("CI") != "true", "no real drafts in %s (CI=true)" % s.args.drafts
        print("  (no real drafts: skipped)")
        return
    try:
        restart_wine_at_dpi(144)
        s.start()
        s.wait_window(MAIN)
        open_draft(s, draft)
        dismiss_message(s)
        combo = track_list(s)
        grid = table_of(s.find(MAIN))["rect"]
        assert combo["rect"][3] <= grid[1], "the list's field stays above the table"
        click_at(s, combo["rect"])
        dropped = s.wait("the list to drop down", lambda: next(
            (w for w in s.windows() if w.cls == "ComboLBox"), None))
        s.screenshot("trilingual-draft-track-list-open-at-144-dpi")
        # All seven items show without scrolling, each a line of a 9-point font at 144 DPI.
        assert dropped.rect[3] - dropped.rect[1] >= 7 * 18, dropped.rect
        assert dropped.rect[2] - dropped.rect[0] >= combo["rect"][2] - combo["rect"][0]
        s.xdotool("key", "Escape")
        s.wait("the list to close", lambda: not any(w.cls == "ComboLBox" for w in s.windows()))
        close_main(s)  # Alt+F4 with the list holding the keyboard closes the window
    finally:
        s.stop()
        restart_wine_at_dpi(96)


# The window's languages: each one's code for --lang and the locale it is started under.
LANGUAGES = [("zh-CN", "zh_CN.UTF-8"), ("zh-TW", "zh_TW.UTF-8"), ("en", "en_US.UTF-8"),
             ("ja", "ja_JP.UTF-8"), ("ko", "ko_KR.UTF-8"), ("vi", "vi_VN.UTF-8"),
             ("th", "th_TH.UTF-8"), ("id", "id_ID.UTF-8"), ("pt-BR", "pt_BR.UTF-8"),
             ("es", "es_ES.UTF-8")]
CATALOGUES = pathlib.Path(__file__).resolve().parents[2] / "language"


def catalogue(code):
    """The texts of a language's catalogue by their TextId names, as its source writes them;
    a text it lacks is the Simplified Chinese one, as the program takes it."""
    def read(file_code):
        source = (CATALOGUES / ("texts_%s.cpp" % file_code.lower().replace("-", "_"))).read_text(
            encoding="utf-8")
        texts = {}
        for name, pieces in re.findall(r'\{TextId::(k\w+),\s*((?:u"(?:[^"\\]|\\.)*"\s*)+)\}',
                                       source):
            texts[name] = "".join(
                piece.encode("latin-1", "backslashreplace").decode("unicode_escape")
                if "\\" in piece else piece
                for piece in re.findall(r'u"((?:[^"\\]|\\.)*)"', pieces))
        return texts
    return {**read("zh-CN"), **read(code)}


def caption_span(rect):
    """The (first, last) screen columns inside a button holding its caption: pixels much
    darker than its face, the grey of a disabled one included; None when there are none."""
    left, top, right, bottom = rect
    rows = grab(left + 2, top + 3, right - left - 4, bottom - top - 6)
    pixels = [sum(p) for r in rows for p in r]
    face = max(set(pixels), key=pixels.count)
    dark = [i for r in rows for i, p in enumerate(r) if sum(p) < face - 150]
    return (left + 2 + min(dark), left + 2 + max(dark)) if dark else None


def check_language(s, code, dpi, lang, arguments=()):
    """Starts the window under `lang` (and `arguments`), finds its buttons under the
    language's captions, each caption inside its button, and keeps a screenshot."""
    texts = catalogue(code)
    captions = (texts["kParseButton"], texts["kExportButton"])
    s.start(arguments=arguments, lang=lang)
    w = s.wait("the window in %s" % code,
               lambda: (lambda w: w if w and all(w.control(c) for c in captions) else None)(
                   s.find(MAIN)))
    # Let the table paint its titles before the picture.
    grid = table_of(w)["rect"]
    s.wait("the table's titles to paint",
           lambda: ink_span(grid[0] + 4, grid[2] - 4, grid[1] + 4, scaled(24, dpi) - 8))
    for caption in captions:
        b = w.control(caption)["rect"]
        ink = caption_span(b)
        assert ink and ink[0] > b[0] + 4 and ink[1] < b[2] - 5, (code, dpi, caption, ink)
    s.screenshot("language-%s%s-at-%d-dpi" % (code, "-by-option" if arguments else "", dpi))
    close_main(s)


def check_every_language_at_96_and_144_dpi(s):
    # Under each language's locale Wine's user-interface language is that language: the
    # window speaks it; once more with --lang, which wins over the locale.
    try:
        for dpi in (96, 144):
            restart_wine_at_dpi(dpi)
            for code, lang in LANGUAGES:
                check_language(s, code, dpi, lang)
            check_language(s, "th", dpi, "zh_CN.UTF-8", ["--lang", "th"])
    finally:
        s.stop()
        restart_wine_at_dpi(96)


def check_an_unknown_language_is_told(s):
    s.start(arguments=["--lang", "xx"], lang="zh_CN.UTF-8")
    said = message_text(s)
    assert "“xx”" in said and "zh-CN, zh-TW, en, ja, ko, vi, th, id, pt-BR, es" in said, said
    dismiss_message(s)
    w = s.wait_window(MAIN)
    assert w.control(catalogue("zh-CN")["kParseButton"]), "the system's language follows"
    close_main(s)
    # Told in Thai on a Thai system, in a font with Thai letters (kept to look at).
    thai = catalogue("th")
    s.start(arguments=["--lang", "xx"], lang="th_TH.UTF-8")
    box = s.wait_window(thai["kMessageTitle"])
    said = " ".join(c["text"] for c in box.controls if c["class"].lower() == "static")
    assert "“xx”" in said and "pt-BR" in said, said
    s.screenshot("unknown-language-told-in-thai")
    s.keys(thai["kMessageTitle"], "Return")
    s.wait_gone(thai["kMessageTitle"])
    assert s.wait_window(MAIN).control(thai["kParseButton"]), "then the window speaks Thai"
    close_main(s)


# Captions in the scripts of CapCut's users, and what is typed into two of them.
SCRIPT_CAPTIONS = [
    "สวัสดีครับ ยินดีต้อนรับ",                  # Thai: vowels and tone marks above and below
    "Xin chào, tiếng Việt có dấu: ữ ặ ỗ",      # Vietnamese: stacked marks
    "مرحبا بالعالم 123، (نص)!",                # Arabic: joined, right to left, a number
    "שלום עולם 42 (טקסט).",                    # Hebrew
    "안녕하세요, 반갑습니다",                     # Korean
    "こんにちは、世界。カタカナ",                 # Japanese
    "Emoji 😀 ❤️ 👍🏽 end",                      # beyond U+FFFF, a selector, a modifier
]
TYPED = {0: "น้ำใจ", 2: " شكرا"}


@contextlib.contextmanager
def own_keys(characters):
    """Gives each character a spare key of its own while the block runs. xdotool then
    types it with that key instead of lending a key for a moment, which the program can
    read after the key was taken back, losing the character. Wine reads the new keys
    before the next key event; it loses some Thai letters when Arabic ones have keys at
    the same time, so give each language its keys in turn."""
    x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
    display = ctypes.c_void_p(x11.XOpenDisplay(None))
    assert display, "cannot open the display"
    low, high, per = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
    x11.XDisplayKeycodes(display, ctypes.byref(low), ctypes.byref(high))
    count = high.value - low.value + 1
    table = x11.XGetKeyboardMapping(display, ctypes.c_ubyte(low.value), count, ctypes.byref(per))
    spare = [low.value + k for k in range(count)
             if not any(table[k * per.value + j] for j in range(per.value))]
    x11.XFree(table)
    wanted = sorted(set(ch for ch in characters if ord(ch) > 0x7F))  # ASCII has its keys
    assert len(spare) >= len(wanted), "not enough spare keys"

    def assign(code, keysym):  # with Shift and without
        x11.XChangeKeyboardMapping(display, code, 2, (ctypes.c_ulong * 2)(keysym, keysym), 1)
    try:
        for code, ch in zip(spare, wanted):
            assign(code, ord(ch) if ord(ch) < 0x100 else 0x01000000 | ord(ch))
        x11.XSync(display, 0)
        yield
    finally:
        for code in spare[:len(wanted)]:
            assign(code, 0)
        x11.XCloseDisplay(display)


def box_holds(s, text):
    """Whether the table's edit box holds `text`."""
    w = s.find(MAIN)
    return w and any(c["class"].lower() == "edit" and c["holds"] == text for c in w.controls)


def check_every_script_in_the_table(s):
    work = pathlib.Path(tempfile.mkdtemp(prefix="subvane-gui-"))
    draft = write_caption_draft(work / "scripts.json", SCRIPT_CAPTIONS)
    try:
        for dpi in (144, 96):
            restart_wine_at_dpi(dpi)
            s.start()
            s.wait_window(MAIN)
            open_draft(s, draft)
            dismiss_message(s)
            grid = table_of(s.find(MAIN))["rect"]
            x0, y0 = grid[0] + 2, grid[1] + 2  # inside the sunken edge
            row_height = scaled(24, dpi)
            left, right = x0 + scaled(250, dpi), x0 + scaled(600, dpi)  # the captions

            def ink(row):
                return ink_span(left + 1, right - 2, y0 + row_height * (row + 1) + 2,
                                row_height - 4)
            s.wait("the captions to paint", lambda: ink(len(SCRIPT_CAPTIONS) - 1))
            s.screenshot("scripts-table-at-%d-dpi" % dpi)
            # Right-to-left captions (Arabic, Hebrew) end at the column's right edge,
            # where a right-to-left paragraph starts; the others start at its left.
            for row in range(len(SCRIPT_CAPTIONS)):
                first, last = ink(row)
                assert (last >= right - scaled(8, dpi) and first > left + 40 if row in (2, 3)
                        else first <= left + scaled(8, dpi)), (dpi, row, first, last)
            if dpi == 96:
                # F2 opens a caption's box with the caret at its end; Return keeps
                # what was typed.
                for row, typed in TYPED.items():
                    s.xdotool("mousemove", str(left + 60),
                              str(y0 + row_height * (row + 1) + row_height // 2))
                    s.xdotool("click", "1")
                    s.xdotool("key", "F2")
                    want = SCRIPT_CAPTIONS[row] + typed
                    with own_keys(typed):  # kept until the box has every character
                        s.xdotool("type", "--delay", "40", typed)
                        s.wait("the box to hold %r" % want, lambda: box_holds(s, want))
                    s.screenshot("scripts-typing-into-row-%d" % (row + 1))
                    s.xdotool("key", "Return")
                out = work / "scripts.srt"
                export_to(s, out, utf8=True)
                assert message_text(s) == "导出完成"
                dismiss_message(s)
                s.screenshot("scripts-table-after-edits")
                assert out.read_bytes() == "".join(
                    "%d\r\n00:00:%02d,000 --> 00:00:%02d,500\r\n%s\r\n\r\n"
                    % (i + 1, 2 * i, 2 * i + 1, text + TYPED.get(i, ""))
                    for i, text in enumerate(SCRIPT_CAPTIONS)).encode(), out.read_bytes()
            close_main(s)
    finally:
        s.stop()
        restart_wine_at_dpi(96)
        shutil.rmtree(work, ignore_errors=True)


def check_fatal_report(s):
    s.start(s.args.fatal)
    box = s.wait_window("错误")
    text = " ".join(c["text"] for c in box.controls if c["class"].lower() == "static")
    assert "运行时出错!" in text and "载入窗口模板数据段出错!" in text, text
    s.screenshot("fatal-report")
    s.keys("错误", "Return")
    assert s.exit_code() == 255


CHECKS = [
    check_window_starts_with_export_disabled,
    check_parse_and_export_every_draft,
    check_every_character_kept,
    check_drop_draft_and_project_folder,
    check_bad_drafts_and_cancel,
    check_closing_while_the_table_fills,
    check_export_onto_a_full_disk_keeps_the_old_file,
    check_keys_act_only_on_the_focused_control,
    check_table_reading,
    check_every_format_and_one_track,
    check_edits_are_not_lost,
    check_undo_find_replace_shift_and_delete_rows,
    check_open_dialog_starts_in_the_custom_draft_folder,
    check_window_resizes_with_the_caption_column,
    check_layout_follows_the_dpi,
    check_track_list_at_144_dpi,
    check_every_language_at_96_and_144_dpi,
    check_an_unknown_language_is_told,
    check_every_script_in_the_table,
    check_fatal_report,
]


def main(checks=None):
    """Runs `checks` (all of this file's by default), or those named on the command line."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--fatal", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--drafts", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("checks", nargs="*")
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        print("DISPLAY is not set: the GUI checks need an X server")
        return 1
    passed = failed = 0
    for check in checks or CHECKS:
        if args.checks and check.__name__ not in args.checks:
            continue
        session = Session(args)
        try:
            check(session)
            passed += 1
            print("PASS", check.__name__)
        except Exception:  # a failed check must not stop the others
            failed += 1
            print("FAIL", check.__name__)
            traceback.print_exc()
            session.screenshot("failed-" + check.__name__)
        finally:
            session.stop()
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
