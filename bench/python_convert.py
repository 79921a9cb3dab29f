#!/usr/bin/env python3
"""A plain converter of the kind a user would write: json.load, a loop, an SRT file."""
import json
import sys


def timestamp(us):
    ms = max(us, 0) // 1000 + (1 if max(us, 0) % 1000 >= 500 else 0)
    s = ms // 1000
    return "%02d:%02d:%02d,%03d" % (s // 3600, s % 3600 // 60, s % 60, ms % 1000)


def main():
    draft = json.load(open(sys.argv[1], encoding="utf-8"))
    ranges = {}
    for track in draft.get("tracks", []):
        for segment in track.get("segments", []):
            ranges.setdefault(segment.get("material_id"), segment.get("target_timerange", {}))
    rows = []
    for text in draft["materials"]["texts"]:
        content = text.get("content", "")
        if content.lstrip().startswith("{"):
            content = json.loads(content).get("text", content)
        r = ranges.get(text.get("id"), {})
        start = int(r.get("start", 0))
        rows.append((start, start + int(r.get("duration", 0)), content.strip("\r\n")))
    rows.sort(key=lambda row: row[0])
    with open(sys.argv[2], "w", encoding="utf-8", newline="") as out:
        for i, (start, end, content) in enumerate(rows, 1):
            out.write("%d\r\n%s --> %s\r\n%s\r\n\r\n" % (i, timestamp(start), timestamp(end), content))


if __name__ == "__main__":
    main()
