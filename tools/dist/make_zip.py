#!/usr/bin/env python3
"""Packs the release zip: one folder Subvane-<version>/ holding the programs, README.txt
and LICENSE.txt, every name ASCII (Windows' own zip folder before Windows 10 1903 ignores
the flag that marks names as UTF-8). The same inputs give the same bytes: names in sorted order, every
entry dated by SOURCE_DATE_EPOCH, else by the commit of the source tree, with fixed
attributes. The two texts are written for Notepad on any Windows: UTF-8 with a
byte-order mark and CR LF line ends.

    make_zip.py --version V --edition win32|win64 --source-dir DIR --program EXE...
                --readme TEMPLATE --license LICENSE
                --notice NAME=USED_BY=COPYRIGHT[=LICENCE_TEXT]... --output ZIP
"""

import argparse
import datetime
import os
import pathlib
import subprocess
import sys
import zipfile

FALLBACK_DATE = (2026, 1, 1, 0, 0, 0)
# What the readme says of the edition in its zip, in Chinese and in English.
EDITIONS = {
    "win64": ("这是 64 位版本，适用于 64 位的 Windows 7 到 Windows 11（如今几乎所有电脑都是 64 位）。"
              "32 位的 Windows 请下载 win32 版本。",
              "This is the 64-bit edition, for 64-bit Windows 7 to 11 (almost every PC today); "
              "for 32-bit Windows, take the win32 edition."),
    "win32": ("这是 32 位版本，适用于 32 位和 64 位的 Windows 7 到 Windows 11；"
              "64 位的 Windows 上建议使用 win64 版本，它能打开更大的草稿。",
              "This is the 32-bit edition, for 32-bit and 64-bit Windows 7 to 11; on 64-bit "
              "Windows the win64 edition opens larger drafts."),
}
RULE = "-" * 78


def windows_text(text):
    """UTF-8 with a byte-order mark and CR LF line ends, ending with one line end."""
    lines = text.replace("\r\n", "\n").rstrip("\n").split("\n")
    return b"\xef\xbb\xbf" + "\r\n".join(lines).encode("utf-8") + b"\r\n"


def entry_date(source_dir):
    """The date every entry carries: SOURCE_DATE_EPOCH, else the source tree's commit
    time, else a fixed day; as UTC, within what a zip can hold."""
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch:
        try:
            epoch = subprocess.run(["git", "-C", source_dir, "log", "-1", "--format=%ct"],
                                   capture_output=True, text=True, check=True).stdout.strip()
        except (OSError, subprocess.CalledProcessError):
            epoch = ""
    if not epoch:
        return FALLBACK_DATE
    moment = datetime.datetime.fromtimestamp(int(epoch), datetime.timezone.utc)
    moment = max(moment, datetime.datetime(1980, 1, 1, tzinfo=datetime.timezone.utc))
    return (moment.year, moment.month, moment.day, moment.hour, moment.minute, moment.second)


def license_text(own_license, notices):
    """Subvane's licence, then each library's notice as Debian ships it."""
    parts = [pathlib.Path(own_license).read_text(encoding="utf-8").rstrip("\n"), "", RULE,
             "The programs contain the following libraries, under their own licences.",
             "Each notice below is the copyright file of the Debian package that the",
             "library is built from."]
    for notice in notices:
        fields = notice.split("=")
        if len(fields) not in (3, 4):
            sys.exit("--notice wants NAME=USED_BY=COPYRIGHT[=LICENCE_TEXT], not " + notice)
        name, used_by, copyright_file = fields[:3]
        parts += ["", RULE, "%s (in %s)" % (name, used_by), RULE, "",
                  pathlib.Path(copyright_file).read_text(encoding="utf-8").rstrip("\n")]
        if len(fields) == 4:
            parts += ["", "The licence's text, from %s:" % fields[3], "",
                      pathlib.Path(fields[3]).read_text(encoding="utf-8").rstrip("\n")]
    return "\n".join(parts)


def write_zip(output, folder, files, date):
    """Writes `files` ({name: bytes}) under `folder`/ into a new zip at `output`, all
    at once: a failed run leaves no half-written zip behind. Entries carry Unix modes
    beside the MS-DOS attributes, as Info-ZIP writes them: Windows reads the attributes,
    and Info-ZIP's unzip takes the UTF-8 names of such entries as UTF-8."""
    def entry(name, mode, dos_attributes):
        info = zipfile.ZipInfo(name, date)
        info.create_system = 3  # Unix
        info.external_attr = (mode << 16) | dos_attributes
        return info

    output = pathlib.Path(output)
    output.parent.mkdir(parents=True, exist_ok=True)
    partial = output.with_name(output.name + ".part")
    with zipfile.ZipFile(partial, "w") as archive:
        archive.writestr(entry(folder + "/", 0o40755, 0x10), b"")  # a folder
        for name in sorted(files):
            mode = 0o100755 if name.endswith(".exe") else 0o100644
            info = entry(folder + "/" + name, mode, 0x20)  # an ordinary file
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, files[name], compresslevel=9)
    os.replace(partial, output)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--version", required=True)
    parser.add_argument("--edition", required=True, choices=sorted(EDITIONS))
    parser.add_argument("--source-dir", required=True)
    parser.add_argument("--program", action="append", required=True)
    parser.add_argument("--readme", required=True)
    parser.add_argument("--license", required=True)
    parser.add_argument("--notice", action="append", default=[])
    parser.add_argument("--output", required=True)
    args = parser.parse_args()

    chinese, english = EDITIONS[args.edition]
    readme = (pathlib.Path(args.readme).read_text(encoding="utf-8")
              .replace("@VERSION@", args.version)
              .replace("@EDITION_ZH@", chinese).replace("@EDITION_EN@", english))
    files = {
        "README.txt": windows_text(readme),
        "LICENSE.txt": windows_text(license_text(args.license, args.notice)),
    }
    for program in args.program:
        files[pathlib.Path(program).name] = pathlib.Path(program).read_bytes()
    write_zip(args.output, "Subvane-" + args.version, files, entry_date(args.source_dir))
    print(args.output)


if __name__ == "__main__":
    main()
