#!/usr/bin/env python3
"""Draws subvane-cli's ASS files with libass (Debian's ffmpeg, `subtitles` filter) and checks
what it draws: each caption's pixels centred where the draft places it and in its fill
colour, an outline and a box where the draft has them, and a caption's { } \\ shown as
they are. Every real draft beside the repository is converted and drawn too.

Usage: ass_render_test.py SUBVANE_CLI DRAFTS_DIR
Exit status 77 (skipped) without ffmpeg, unless CI=true.
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIPPED = 77
BACKGROUND = (30, 120, 60)
NEAR = 60  # colour distance that counts as the same colour after smoothing


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def distance(a, b):
    return sum((x - y) ** 2 for x, y in zip(a, b)) ** 0.5


def render(ass_path, width, height, at_seconds, scale=1):
    """The frame at `at_seconds` as rows of RGB bytes, and ffmpeg's warnings."""
    out_width, out_height = width // scale, height // scale
    escaped = ass_path.replace("\\", "/").replace(":", "\\:").replace("'", "\\'")
    command = [
        "ffmpeg", "-nostdin", "-v", "warning", "-f", "lavfi",
        "-i", "color=c=0x%02x%02x%02x:s=%dx%d:r=25:d=%.2f" % (BACKGROUND + (width, height,
                                                                              at_seconds + 0.2)),
        "-vf", "subtitles='%s',trim=start=%.2f,scale=%d:%d" % (escaped, at_seconds, out_width,
                                                              out_height),
        "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "rgb24", "pipe:1"]
    result = subprocess.run(command, capture_output=True)
    if result.returncode != 0 or len(result.stdout) < out_width * out_height * 3:
        fail("ffmpeg could not draw %s: %s" % (ass_path, result.stderr.decode(errors="replace")))
    return result.stdout, out_width, out_height, result.stderr.decode(errors="replace").strip()


def pixels_like(frame, width, height, color, near=NEAR):
    """Bounding box (left, top, right, bottom) and count of the pixels near `color`."""
    box = [width, height, -1, -1]
    count = 0
    for y in range(height):
        row = frame[y * width * 3:(y + 1) * width * 3]
        for x in range(width):
            pixel = row[x * 3:x * 3 + 3]
            if distance(pixel, color) <= near:
                count += 1
                box = [min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y)]
    return box, count


def check_centre(name, box, count, expected, width, height, scale=1):
    if count == 0:
        fail("%s: nothing drawn in its colour" % name)
    centre = ((box[0] + box[2]) / 2 * scale, (box[1] + box[3]) / 2 * scale)
    if (abs(centre[0] - expected[0]) > 0.04 * width or
            abs(centre[1] - expected[1]) > 0.04 * height):
        fail("%s: drawn around %s, placed at %s" % (name, centre, expected))


def run_cli(cli, arguments):
    result = subprocess.run([cli] + arguments, capture_output=True)
    return result.returncode, result.stdout, result.stderr.decode(errors="replace")


def rich(text, color, extra=None):
    style = {"fill": {"content": {"solid": {"color": color}}}, "size": 8,
             "range": [0, len(text.encode("utf-16-le")) // 2]}
    style.update(extra or {})
    return json.dumps({"styles": [style], "text": text})


def made_up_draft():
    escapes = "{\\fs200\\c&HFF0000&}x\\N\\h{\\b1}y \\"
    texts = [
        {"id": "red", "content": rich("HELLO", [1, 0, 0], {
            "strokes": [{"content": {"solid": {"color": [0, 0, 0]}}, "width": 0.12}]})},
        {"id": "escapes", "content": rich(escapes, [1, 1, 1])},
        {"id": "boxed", "content": "BOX", "text_color": "#FFFFFF", "font_size": 8,
         "background_color": "#0000FF", "background_alpha": 1.0, "background_style": 1},
    ]
    segments = [
        {"material_id": "red", "target_timerange": {"start": 0, "duration": 2000000},
         "clip": {"transform": {"x": 0.5, "y": 0.5}, "scale": {"x": 1, "y": 1}}},
        {"material_id": "escapes", "target_timerange": {"start": 3000000, "duration": 2000000},
         "clip": {"transform": {"x": 0, "y": 0}}},
        {"material_id": "boxed", "target_timerange": {"start": 6000000, "duration": 2000000},
         "clip": {"transform": {"x": -0.5, "y": -0.5}}},
    ]
    return {"canvas_config": {"width": 640, "height": 360},
            "materials": {"texts": texts}, "tracks": [{"type": "text", "segments": segments}]}


def check_made_up(cli, folder):
    draft = os.path.join(folder, "made-up.json")
    with open(draft, "w", encoding="utf-8") as f:
        json.dump(made_up_draft(), f)
    ass = os.path.join(folder, "made-up.ass")
    code, _, err = run_cli(cli, ["--format", "ass", "-o", ass, draft])
    if code != 0:
        fail("subvane-cli --format ass: " + err)
    width, height = 640, 360
    line = 8 * min(width, height) / 100  # the font size rule's line height

    frame, w, h, warnings = render(ass, width, height, 1.0)
    if warnings:
        fail("libass warned: " + warnings)
    box, count = pixels_like(frame, w, h, (255, 0, 0))
    check_centre("red caption", box, count, (480, 90), width, height)
    _, outlined = pixels_like(frame, w, h, (0, 0, 0))
    if outlined < count / 10:
        fail("red caption: no black outline (%d outline pixels)" % outlined)

    frame, w, h, _ = render(ass, width, height, 4.0)
    box, count = pixels_like(frame, w, h, (255, 255, 255))
    check_centre("caption with { } \\", box, count, (320, 180), width, height)
    if box[3] - box[1] > 1.6 * line:
        fail("caption with { } \\: drawn %d px high, more than one line" % (box[3] - box[1]))
    if box[2] - box[0] < 10 * line * 0.3:
        fail("caption with { } \\: drawn %d px wide; overrides ate its text" % (box[2] - box[0]))
    _, blue = pixels_like(frame, w, h, (0, 0, 255))
    if blue:
        fail("caption with { } \\: its \\c override took effect")

    frame, w, h, _ = render(ass, width, height, 7.0)
    box, count = pixels_like(frame, w, h, (0, 0, 255), near=30)
    check_centre("boxed caption's box", box, count, (160, 270), width, height)
    box, count = pixels_like(frame, w, h, (255, 255, 255))
    check_centre("boxed caption", box, count, (160, 270), width, height)
    print("made-up draft: placed, coloured, outlined, boxed and escaped as drawn")


DIALOGUE = re.compile(r"^Dialogue: (\d+),([^,]*),([^,]*),([^,]*),,0,0,0,,(.*)$")
POSITION = re.compile(r"^\{\\pos\(([-\d.]+),([-\d.]+)\)")


def check_real_drafts(cli, drafts, folder):
    if not os.path.isdir(drafts):
        if os.environ.get("CI") == "true":
            fail("no drafts in %s, which a CI run needs" % drafts)
        print("no drafts in %s: real drafts not drawn" % drafts)
        return
    for name in sorted(os.listdir(drafts)):
        if not name.endswith(".json"):
            continue
        ass = os.path.join(folder, name + ".ass")
        code, _, err = run_cli(cli, ["--format", "ass", "-o", ass, os.path.join(drafts, name)])
        if code != 0:
            print("%s: not converted (%s)" % (name, err.strip().splitlines()[-1]))
            continue
        with open(ass, encoding="utf-8-sig", newline="") as f:
            lines = f.read().split("\r\n")
        header = lines[:lines.index("[Events]") + 2]
        size = dict(l.split(": ", 1) for l in header if l.startswith("PlayRes"))
        width, height = int(size["PlayResX"]), int(size["PlayResY"])
        styles = {l.split(",")[0][7:]: l.split(",") for l in header if l.startswith("Style: ")}
        events = [DIALOGUE.match(l) for l in lines if l.startswith("Dialogue: ")]
        samples = [events[i] for i in sorted({0, len(events) // 2})] if events else []
        for event in samples:
            text = event.group(5)
            position = POSITION.match(text)
            color = styles[event.group(4)][3]  # &HAABBGGRR
            fill = (int(color[8:10], 16), int(color[6:8], 16), int(color[4:6], 16))
            one = os.path.join(folder, "one.ass")
            with open(one, "w", encoding="utf-8-sig", newline="") as f:
                f.write("\r\n".join(header) + "\r\nDialogue: 0,0:00:00.00,0:00:05.00,%s,,0,0,0,,%s"
                        "\r\n" % (event.group(4), text))
            frame, w, h, warnings = render(one, width, height, 1.0, scale=4)
            if warnings and "Glyph" not in warnings and "fallback" not in warnings:
                fail("%s: libass warned: %s" % (name, warnings))
            box, count = pixels_like(frame, w, h, fill)
            check_centre("%s at %s" % (name, event.group(2)), box, count,
                         (float(position.group(1)), float(position.group(2))), width, height,
                         scale=4)
        print("%s: %d captions, %d drawn where placed in their colour" %
              (name, len(events), len(samples)))


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    cli, drafts = sys.argv[1], sys.argv[2]
    if shutil.which("ffmpeg") is None:
        if os.environ.get("CI") == "true":
            fail("ffmpeg is missing, which a CI run needs (bash scripts/setup.sh installs it)")
        print("SKIPPED: ffmpeg is missing (bash scripts/setup.sh installs it)")
        return SKIPPED
    with tempfile.TemporaryDirectory() as folder:
        check_made_up(cli, folder)
        check_real_drafts(cli, drafts, folder)
    return 0


if __name__ == "__main__":
    sys.exit(main())
