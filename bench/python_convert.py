#!/usr/bin/env python3
"""A plain converter of the kind a user would write: json.load, a loop, an SRT file.

It applies the timeline rules that matter for an ordinary draft, so that its output can
be compared with subvane-cli's: one cue for each segment whose material_id names a text
(by id, the first text with that id), ordered by start (equal starts in walk order), the
plain text of a rich-text content, line breaks tidied and written CR LF, empty cues left
out. Hidden tracks, text templates and compound clips are not handled.

    python_convert.py DRAFT OUT.srt
"""
import json
import sys


def timestamp(us):
    if us < 0:
        return "00:00:00,000"
    ms = (us + 500) // 1000
    s = ms // 1000
    return "%02d:%02d:%02d,%03d" % (s // 3600, s % 3600 // 60, s % 60, ms % 1000)


def plain_text(content):
    if content.lstrip(" \t\r\n").startswith("{"):
        try:
            rich = json.loads(content)
            if isinstance(rich, dict) and isinstance(rich.get("text"), str):
                return rich["text"]
        except ValueError:
            pass
    return content


def tidy(text):
    lines = [line for line in text.replace("\r\n", "\n").replace("\r", "\n").split("\n")]
    return "\r\n".join(line for line in lines if line != "")


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: python_convert.py DRAFT OUT.srt")
    with open(sys.argv[1], encoding="utf-8") as f:
        draft = json.load(f)
    texts = {}
    for text in draft.get("materials", {}).get("texts", []):
        texts.setdefault(text.get("id"), text)
    cues = []
    for track in draft.get("tracks", []):
        for segment in track.get("segments", []):
            text = texts.get(segment.get("material_id"))
            if text is None or not isinstance(text.get("content"), str):
                continue
            caption = tidy(plain_text(text["content"]))
            if not caption:
                continue
            timerange = segment.get("target_timerange") or {}
            start = int(timerange.get("start", 0))
            cues.append((start, start + int(timerange.get("duration", 0)), caption))
    cues.sort(key=lambda cue: cue[0])
    with open(sys.argv[2], "w", encoding="utf-8", newline="") as out:
        for i, (start, end, caption) in enumerate(cues, 1):
            out.write("%d\r\n%s --> %s\r\n%s\r\n\r\n" % (i, timestamp(start), timestamp(end), caption))


if __name__ == "__main__":
    main()
