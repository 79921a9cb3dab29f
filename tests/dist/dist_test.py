#!/usr/bin/env python3
"""Checks the release zip as a Windows user gets it: its files and texts, the two
programs' headers and resources read back with the MinGW tools, and both programs
started under Wine from an unpacked copy in C:\\用户 文件\\Subvane\\ (Chinese characters
and a space in the path). The zip comes from `make dist`, which scripts/test.sh runs
first. With --no-wine (a machine that cannot run the programs) only the zip is read.
Prints one line per check and a closing 'N passed, M failed'.
"""

import argparse
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import traceback
import zipfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "gui"))
import gui_test  # noqa: E402  (drives the window: Session, open_draft, export_to, ...)

# What Windows itself provides: nothing else may be imported.
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll",
               "msvcrt.dll", "ole32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "usp10.dll"}
BOM = b"\xef\xbb\xbf"
INSTALL_DIR = "C:\\用户 文件\\Subvane"
DESCRIPTIONS = {"Subvane.exe": "剪映草稿字幕导出", "subvane-cli.exe": "Subvane command-line converter"}


def windows_lines(text):
    return text.replace("\n", "\r\n")


def entry(args, name):
    with zipfile.ZipFile(args.zip) as archive:
        return archive.read("Subvane-%s/%s" % (args.version, name))


def check_zip_layout(args):
    assert os.path.exists(args.zip), "no %s: `make dist` makes it" % args.zip
    assert pathlib.Path(args.zip).name == "Subvane-%s-%s.zip" % (args.version, args.edition), args.zip
    with zipfile.ZipFile(args.zip) as archive:
        infos = archive.infolist()
    top = "Subvane-%s/" % args.version
    names = [info.filename for info in infos]
    assert names == [top] + [top + n for n in ("LICENSE.txt", "README.txt", "Subvane.exe",
                                               "subvane-cli.exe")], names
    assert all(name.isascii() for name in names), "a name Windows' zip folder may garble"
    assert len({info.date_time for info in infos}) == 1, "entries dated differently"


def check_texts(args):
    for name in ("README.txt", "LICENSE.txt"):
        data = entry(args, name)
        assert data.startswith(BOM), "%s has no byte-order mark" % name
        assert data.count(b"\n") == data.count(b"\r\n"), "%s has a line end without CR" % name
    readme = entry(args, "README.txt")[3:].decode("utf-8")
    assert readme.index("Subvane 是什么") < readme.index("What Subvane does"), "Chinese comes first"
    assert readme.startswith("Subvane %s" % args.version), readme[:40]
    bits = "64" if args.edition == "win64" else "32"
    assert "这是 %s 位版本" % bits in readme and "This is the %s-bit edition" % bits in readme, \
        "README.txt does not say which edition it is"
    for needle in ("解析", "导出", "subvane-cli --help", "加密", "encrypt",
                   "%LOCALAPPDATA%\\JianyingPro\\User Data\\Projects\\com.lveditor.draft",
                   "%LOCALAPPDATA%\\CapCut\\User Data\\Projects\\com.lveditor.draft",
                   "退出状态：0 全部完成；1 有草稿未能转换", "2 用法错误", "Exit status: 0 done; 1 some draft"):
        assert needle in readme, "README.txt does not say " + needle
    for language in ("繁體中文", "日本語", "한국어", "Tiếng Việt", "ภาษาไทย", "Bahasa Indonesia",
                     "Português (Brasil)", "Español"):
        assert "\n" + language in readme, "README.txt has no paragraph in " + language

    licence = entry(args, "LICENSE.txt")[3:].decode("utf-8")
    own = windows_lines(pathlib.Path(args.license).read_text(encoding="utf-8"))
    assert licence.startswith(own), "LICENSE.txt does not start with Subvane's licence"
    places = [licence.index(windows_lines(pathlib.Path(f).read_text(encoding="utf-8")))
              for f in args.notice]  # each notice whole, in order
    assert places == sorted(places), places


def tool_output(*command):
    # The tests run under LANG=zh_CN.UTF-8 for Wine, and binutils speaks Chinese there.
    env = dict(os.environ, LC_ALL="C")
    return subprocess.run(command, capture_output=True, check=True,
                          env=env).stdout.decode("utf-8", "replace")


def version_strings(resources):
    """The VALUE strings of the version resource, wide ones (L"\\x526a...") decoded."""
    values = {}
    for key, wide, text in re.findall(r'VALUE "(\w+)", (L?)"((?:[^"]|"")*)"', resources):
        if wide:
            text = re.sub(r"\\x([0-9a-fA-F]{4})", lambda m: chr(int(m.group(1), 16)), text)
        values[key] = text.replace('""', '"')
    return values


def check_programs(args):
    numbers = ", ".join(args.version.split(".") + ["0"])
    with tempfile.TemporaryDirectory() as work:
        for name, description in DESCRIPTIONS.items():
            path = pathlib.Path(work) / name
            path.write_bytes(entry(args, name))
            headers = tool_output(args.objdump, "-p", path)
            resources = tool_output(args.windres, "-i", path, "-O", "rc")
            machine = "pei-x86-64" if args.edition == "win64" else "pei-i386"
            assert "file format %s" % machine in headers, "%s is not %s" % (name, machine)
            imports = {d.lower() for d in re.findall(r"DLL Name: (\S+)", headers)}
            assert imports and imports <= SYSTEM_DLLS, "%s imports %s" % (name, imports - SYSTEM_DLLS)
            assert "symbols stripped" in headers and "debugging information removed" in headers
            assert re.search(r"Time/Date\s+Thu Jan  1 00:00:00 1970", headers), "a link time"
            for text in (args.source_dir, args.source_dir.replace("/", "\\")):
                for encoding in ("utf-8", "utf-16-le"):
                    assert text.encode(encoding) not in path.read_bytes(), "%s names the build" % name
            assert "FILEVERSION %s" % numbers in resources and "PRODUCTVERSION %s" % numbers in resources
            values = version_strings(resources)
            assert values.get("FileDescription") == description, values
            assert values.get("FileVersion") == values.get("ProductVersion") == args.version, values
            assert values.get("ProductName") == "Subvane", values
            assert "Subvane" in values.get("CompanyName", "") and "2026" in values.get("LegalCopyright", "")
            if name == "Subvane.exe":
                sizes = re.findall(r'"\\(\d{3})\\\d{3}\\000\\000", 1, 32', resources)
                assert sorted(int(s, 8) or 256 for s in sizes) == [16, 32, 48, 256], sizes
                assert 'name=""Subvane"" version=""%s.0""' % args.version in resources, "manifest"
                architecture = "amd64" if args.edition == "win64" else "x86"
                assert 'processorArchitecture=""%s""' % architecture in resources, "manifest's machine"


def install(args):
    """Unpacks the zip's folder into C:\\用户 文件\\Subvane\\ of the Wine prefix."""
    folder = pathlib.Path(os.environ["WINEPREFIX"]) / "drive_c" / "用户 文件" / "Subvane"
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    with zipfile.ZipFile(args.zip) as archive:
        for info in archive.infolist():
            name = info.filename.split("/", 1)[1]
            if name:
                (folder / name).write_bytes(archive.read(info))
    return folder


def real_draft(args, name):
    draft = pathlib.Path(args.drafts) / name
    if not draft.exists():
        assert os.environ.get("CI") != "true", "no real drafts in %s (CI=true)" % args.drafts
        return None
    return draft


def check_cli_from_chinese_folder(args):
    folder = install(args)

    def cli(*words):
        return subprocess.run(["wine", INSTALL_DIR + "\\subvane-cli.exe"] + list(words),
                              capture_output=True, timeout=60, stdin=subprocess.DEVNULL)
    version = cli("--version")
    assert version.returncode == 0 and version.stdout.decode().strip() == "subvane-cli " + args.version, \
        version.stdout
    draft = real_draft(args, "json-small-7.json")
    if not draft:
        print("  (no real drafts: the conversion is skipped)")
        return
    done = cli("-o", INSTALL_DIR + "\\字幕 输出.srt", gui_test.windows_path(draft))
    assert done.returncode == 0, done.stderr
    expected = draft.with_name("json-small-7.expected.srt").read_bytes()
    assert (folder / "字幕 输出.srt").read_bytes() == expected


def caption_icon_shown(s):
    """The window's caption shows the icon: the yellow caption line of its small image."""
    w = s.find(gui_test.MAIN)
    if not w:
        return False
    left, top = w.rect[0], w.rect[1]
    pixels = [p for row in gui_test.grab(left, top, 32, 28) for p in row]
    return sum(1 for r, g, b in pixels if r > 220 and 180 < g < 225 and b < 80) >= 4


def check_window_from_chinese_folder(args):
    install(args)
    s = gui_test.Session(args)
    try:
        s.start(INSTALL_DIR + "\\Subvane.exe")
        s.wait("the window's icon in its caption", lambda: caption_icon_shown(s))
        s.screenshot("dist-window")
        draft = real_draft(args, "json-cantonese-301.json")
        if not draft:
            print("  (no real drafts: parse and export are skipped)")
        else:
            out = pathlib.Path(tempfile.mkdtemp(prefix="subvane-dist-"))
            try:
                gui_test.open_draft(s, draft)
                assert gui_test.message_text(s) == "解析完成"
                gui_test.dismiss_message(s)
                gui_test.export_to(s, out / "out.srt", utf8=True)
                assert gui_test.message_text(s) == "导出完成"
                gui_test.dismiss_message(s)
                expected = draft.with_name("json-cantonese-301.expected.srt").read_bytes()
                assert (out / "out.srt").read_bytes() == expected, "the export differs"
            finally:
                shutil.rmtree(out, ignore_errors=True)
        gui_test.close_main(s)
    finally:
        s.stop()


CHECKS = [check_zip_layout, check_texts, check_programs]
CHECKS_UNDER_WINE = [check_cli_from_chinese_folder, check_window_from_chinese_folder]


def main():
    parser = argparse.ArgumentParser()
    for option in ("zip", "version", "edition", "objdump", "windres", "source-dir", "license",
                   "probe", "drafts", "artifacts"):
        parser.add_argument("--" + option, required=True)
    parser.add_argument("--notice", action="append", default=[], help="a text LICENSE.txt holds whole")
    parser.add_argument("--no-wine", action="store_true", help="only read the zip: start nothing")
    args = parser.parse_args()
    args.exe = None
    checks = CHECKS if args.no_wine else CHECKS + CHECKS_UNDER_WINE
    failed = 0
    for check in checks:
        try:
            check(args)
            print("PASS", check.__name__)
        except Exception:  # a failed check must not stop the others
            failed += 1
            print("FAIL", check.__name__)
            traceback.print_exc()
    print("%d passed, %d failed" % (len(checks) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
