#!/usr/bin/env python3
"""Drives Subvane.exe under Wine with drafts under folders named in Vietnamese, Thai,
Korean and Arabic and a path of over 300 characters: opened by the dialog, a drop, a
dropped folder, the editor's custom draft folder and an encrypted draft's plain copy;
exported in every file type, byte for byte what subvane-cli writes. Runs as gui_test.py.
"""

import json
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gui_test as g  # noqa: E402

MAIN = g.MAIN
OPEN = "打开JSON文件"
SAVE = "保存srt文件"

USER = "Nguyễn Văn An"
PROJECTS = {"vi": "Phụ đề tập 1", "th": "คำบรรยาย", "ko": "자막", "ar": "ترجمة"}
CAPTIONS = ["Xin chào các bạn", "สวัสดีครับ", "안녕하세요", "مرحبا بكم", "你好 😀"]

# The save dialog's file types, top to bottom, and what subvane-cli writes the same with.
FILE_TYPES = [(".srt", ["--encoding", "gbk"]), (".srt", []), (".vtt", ["--format", "vtt"]),
              (".txt", ["--format", "txt"]), (".ass", ["--format", "ass"])]


def write_project(folder, name):
    """A project as the editor keeps it, its captions in five scripts; returns its draft."""
    texts = [{"id": "t%d" % i, "content": text} for i, text in enumerate(CAPTIONS)]
    segments = [{"material_id": "t%d" % i,
                 "target_timerange": {"start": i * 1500000, "duration": 1200000}}
                for i in range(len(CAPTIONS))]
    folder.mkdir(parents=True, exist_ok=True)
    draft = folder / "draft_content.json"
    draft.write_text(json.dumps({"materials": {"texts": texts},
                                 "tracks": [{"type": "text", "segments": segments}]},
                                ensure_ascii=False), encoding="utf-8")
    (folder / "draft_meta_info.json").write_text(
        json.dumps({"draft_name": name}, ensure_ascii=False), encoding="utf-8")
    return draft


def paste_path(s, title, text):
    """Pastes `text` into a dialog's name box and confirms it, as a person copies a path
    from elsewhere (xdotool types characters beyond the keymap by remapping keys, and
    now and then garbles one)."""
    result = subprocess.run(["wine", s.args.probe, "--clipboard", text], timeout=30)
    assert result.returncode == 0, "the clipboard refused the path"
    s.point_at(s.wait_window(title).rect)
    s.xdotool("key", "ctrl+a", "ctrl+v", "Return")
    s.wait_gone(title)


def parsed(s, project_name):
    """Waits for the parse's message and the title that names the project."""
    said = g.message_text(s)
    assert said.startswith("解析完成"), said
    g.dismiss_message(s)
    title = project_name + " - " + MAIN
    s.wait("the title '%s'" % title, lambda: any(w.title == title for w in s.windows()))
    return said


def export_every_type(s, draft, folder, stem):
    """Exports the table in each file type to `folder`/`stem` (the dialog adds the type's
    extension) and holds each file against subvane-cli's for `draft`."""
    folder.mkdir(parents=True, exist_ok=True)
    for steps, (extension, options) in enumerate(FILE_TYPES):
        target = folder / (stem + ("-gbk" if options[:1] == ["--encoding"] else ""))
        s.click(MAIN, "导出")
        if steps:
            g.choose_file_type(s, SAVE, "文件类型(&T):", steps)
        # The dialog's title names the chosen type.
        paste_path(s, g.SAVE_TITLES[steps], g.windows_path(target))
        said = g.message_text(s)
        assert said.startswith("导出完成"), said
        g.dismiss_message(s)
        written = target.with_name(target.name + extension)
        assert written.exists(), sorted(p.name for p in folder.iterdir())
        cli = folder / ("cli" + str(steps) + extension)
        g.run_cli(s, *options, "-o", g.windows_path(cli), g.windows_path(draft))
        if written.read_bytes() != cli.read_bytes():
            shutil.copy(written, os.path.join(s.args.artifacts, "window" + extension))
            shutil.copy(cli, os.path.join(s.args.artifacts, "cli" + extension))
            raise AssertionError("%s differs from subvane-cli's" % written.name)


def long_folder(base):
    """A project folder whose path passes 300 characters, in four scripts."""
    folder = base
    for part in PROJECTS.values():
        folder = folder / (part + " " + "x" * 60)
    folder = folder / "Dự án dài"
    assert len(g.windows_path(folder)) > 300, len(g.windows_path(folder))
    return folder


def check_dialog_drop_and_folder(s):
    work = pathlib.Path(tempfile.mkdtemp(prefix="subvane-paths-"))
    user = work / USER
    drafts = {key: write_project(user / name, name) for key, name in PROJECTS.items()}
    deep = long_folder(user)
    deep_draft = write_project(deep, "Dự án dài")
    try:
        s.start()
        s.wait_window(MAIN)
        # By the dialog: the whole path typed.
        s.click(MAIN, "解析")
        paste_path(s, OPEN, g.windows_path(drafts["vi"]))
        parsed(s, PROJECTS["vi"])
        s.screenshot("title-vietnamese")
        export_every_type(s, drafts["vi"], user / PROJECTS["th"] / "xuất", "Phụ đề")

        # A dropped draft file, then a dropped project folder.
        g.drop_on(s, MAIN, [drafts["th"]])
        parsed(s, PROJECTS["th"])
        s.screenshot("title-thai")
        export_every_type(s, drafts["th"], user / PROJECTS["ar"], "คำบรรยาย")
        g.drop_on(s, MAIN, [user / PROJECTS["ko"]])
        parsed(s, PROJECTS["ko"])
        g.drop_on(s, MAIN, [user / PROJECTS["ar"]])
        parsed(s, PROJECTS["ar"])

        # More than 300 characters: dropped as a folder. (Wine's own file dialog cannot take
        # a path past 260 characters: it ends the program when one is confirmed, so the
        # export goes beside it; the core's tests write at such paths under Wine.)
        g.drop_on(s, MAIN, [deep])
        parsed(s, "Dự án dài")
        export_every_type(s, deep_draft, user / "출력", "ترجمة")
        g.close_main(s)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def check_custom_draft_folder_and_plain_copy(s):
    # The editor's settings name a draft folder under the Vietnamese user folder: the open
    # dialog starts there, so the Arabic project's relative path is enough.
    work = pathlib.Path(tempfile.mkdtemp(prefix="subvane-paths-"))
    config = g.local_app_data() / "JianyingPro" / "User Data" / "Config"
    user = work / USER
    try:
        draft = write_project(user / PROJECTS["ar"], PROJECTS["ar"])
        # An encrypted draft whose project keeps a plain copy, in a Korean folder.
        secret = user / PROJECTS["ko"]
        copy = write_project(secret, PROJECTS["ko"])
        copy.rename(secret / "draft_info.json.bak")
        (secret / "draft_content.json").write_text("Q" * 300 + "==", encoding="ascii")
        config.mkdir(parents=True, exist_ok=True)
        (config / "globalSetting").write_text(
            "[General]\ncurrentCustomDraftPath=%s\n" % g.qt_ini_text("Z:" + str(user)),
            encoding="utf-8")
        s.start()
        s.wait_window(MAIN)
        s.click(MAIN, "解析")
        paste_path(s, OPEN, PROJECTS["ar"] + "\\draft_content.json")
        parsed(s, PROJECTS["ar"])
        export_every_type(s, draft, user / "출력", PROJECTS["ar"])

        g.drop_on(s, MAIN, [secret])
        said = parsed(s, PROJECTS["ko"])
        assert said.startswith("解析完成。草稿已被剪映加密"), said
        export_every_type(s, secret / "draft_content.json", user / "출력", "bản sao")
        g.close_main(s)
    finally:
        shutil.rmtree(config.parent.parent, ignore_errors=True)
        shutil.rmtree(work, ignore_errors=True)


CHECKS = [check_dialog_drop_and_folder, check_custom_draft_folder_and_plain_copy]


if __name__ == "__main__":
    sys.exit(g.main(CHECKS))
