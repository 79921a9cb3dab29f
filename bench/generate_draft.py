#!/usr/bin/env python3
"""Writes a generated JianyingPro-style draft with COUNT subtitles to PATH.

The shape follows what the editor saves: minified UTF-8 JSON, a text material per
subtitle whose content is a rich-text document, an animation and a speed material for
each subtitle, a video track first, the subtitles spread over several text tracks, and
materials.texts not in timeline order. About 2.5 KB per subtitle (a 20,000-subtitle
draft is about 50 MB), as in the drafts the figures are quoted for.
"""
import json
import random
import sys
import uuid

PHRASES = ["男人一狠心切断了自己的小辣椒", "这是一个测试字幕", "我们明天再见", "Hello world",
           "今天天气很好 適合出門", "Xin chào các bạn", "안녕하세요 여러분", "原原本系 𠮶 便 😀"]
TEXT_TRACKS = 3


def new_id(rng):
    return str(uuid.UUID(int=rng.getrandbits(128))).upper()


def rich_text(text):
    style = {"fill": {"alpha": 1.0, "content": {"render_type": "solid", "solid": {"alpha": 1.0, "color": [1.0, 1.0, 1.0]}}},
             "font": {"id": "", "path": "C:/Program Files/JianyingPro/5.9.0.11632/Resources/Font/SystemFont/zh-hans.ttf"},
             "range": [0, len(text)], "size": 8.0, "bold": False, "italic": False, "underline": False}
    return json.dumps({"styles": [style], "text": text}, ensure_ascii=False, separators=(",", ":"))


def text_material(rng, material_id, text):
    return {
        "add_type": 1, "alignment": 1, "background_alpha": 1.0, "background_color": "", "base_content": "",
        "border_color": "#000000", "border_width": 0.08, "check_flag": 7, "content": rich_text(text),
        "font_id": "",
        "font_path": "C:/Program Files/JianyingPro/5.9.0.11632/Resources/Font/SystemFont/zh-hans.ttf",
        "font_size": 8.0, "font_title": "none", "fonts": [], "global_alpha": 1.0,
        "group_id": "Auto_%d" % rng.randrange(10**12), "has_shadow": False, "id": material_id,
        "is_rich_text": False, "letter_spacing": 0.0, "line_max_width": 0.82, "line_spacing": 0.02,
        "name": "", "shadow_alpha": 0.9, "shadow_angle": -45.0, "shadow_distance": 5.0, "sub_type": 0,
        "text_alpha": 1.0, "text_color": "#FFFFFF", "text_size": 30, "type": "subtitle", "typesetting": 0,
        "underline": False, "words": {"end_time": [], "start_time": [], "text": []},
    }


def animation_material(rng, material_id):
    def animation(kind, category, name, start):
        return {"anchor": "", "category_id": category, "category_name": name, "duration": 500000,
                "id": str(rng.randrange(10**7)), "material_type": "sticker", "name": name, "panel": "",
                "path": "C:/Users/user/AppData/Local/JianyingPro/User Data/Cache/effect/%d/%s"
                % (rng.randrange(10**7), new_id(rng).replace("-", "").lower()),
                "platform": "all", "request_id": new_id(rng).lower(), "resource_id": str(rng.randrange(10**18)),
                "start": start, "type": kind}
    return {"animations": [animation("in", "ruchang", "渐显", 0)],
            "id": material_id, "multi_language_current": "none", "type": "sticker_animation"}


def speed_material(material_id):
    return {"curve_speed": None, "id": material_id, "mode": 0, "speed": 1.0, "type": "speed"}


def segment(rng, material_id, refs, start, duration, render_index):
    return {
        "caption_info": None, "cartoon": False,
        "clip": {"alpha": 1.0, "flip": {"horizontal": False, "vertical": False}, "rotation": 0.0,
                 "scale": {"x": 1.0, "y": 1.0}, "transform": {"x": 0.0, "y": -0.73}},
        "common_keyframes": [], "enable_adjust": True, "extra_material_refs": refs, "group_id": "",
        "id": new_id(rng), "is_placeholder": False, "keyframe_refs": [], "material_id": material_id,
        "render_index": render_index, "reverse": False, "source_timerange": None, "speed": 1.0,
        "target_timerange": {"duration": duration, "start": start}, "template_id": "", "template_scene": "default",
        "track_attribute": 0, "track_render_index": 0, "uniform_scale": {"on": True, "value": 1.0}, "visible": True,
        "volume": 1.0,
    }


def draft(count, seed=7):
    rng = random.Random(seed)
    texts, animations, speeds = [], [], []
    text_tracks = [[] for _ in range(TEXT_TRACKS)]
    start = 0
    for i in range(count):
        duration = rng.randrange(800000, 3000000)
        text = "%s，%s %d" % (PHRASES[i % len(PHRASES)], PHRASES[(i * 3 + 1) % len(PHRASES)], i)
        text_id, animation_id, speed_id = new_id(rng), new_id(rng), new_id(rng)
        texts.append(text_material(rng, text_id, text))
        animations.append(animation_material(rng, animation_id))
        speeds.append(speed_material(speed_id))
        text_tracks[i % TEXT_TRACKS].append(segment(rng, text_id, [animation_id, speed_id], start, duration, 14000 + i % TEXT_TRACKS))
        start += duration + rng.randrange(0, 200000)
    # The editor keeps materials in the order they were made, which is not the timeline's.
    for block in range(0, count, 50):
        chunk = texts[block:block + 50]
        rng.shuffle(chunk)
        texts[block:block + 50] = chunk
    video_id = new_id(rng)
    video_track = [segment(rng, video_id, [], 0, start, 0)]
    tracks = [{"attribute": 0, "flag": 0, "id": new_id(rng), "is_default_name": True, "name": "",
               "segments": video_track, "type": "video"}]
    for segments in text_tracks:
        tracks.append({"attribute": 0, "flag": 1, "id": new_id(rng), "is_default_name": True, "name": "",
                       "segments": segments, "type": "text"})
    return {
        "canvas_config": {"height": 1080, "ratio": "original", "width": 1920}, "color_space": 0,
        "config": {"adjust_max_index": 1, "subtitle_sync": True, "video_mute": False}, "duration": start,
        "fps": 30.0, "id": new_id(rng), "materials": {
            "audios": [], "material_animations": animations, "speeds": speeds, "texts": texts,
            "videos": [{"id": video_id, "duration": start, "height": 1080, "width": 1920,
                        "path": "C:/Users/user/Videos/source.mp4", "type": "video"}]},
        "name": "", "new_version": "110.0.0", "platform": {"app_id": 3704, "app_source": "lv", "app_version": "5.9.0",
                                                            "os": "windows"},
        "tracks": tracks, "version": 360000,
    }


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: generate_draft.py COUNT PATH")
    with open(sys.argv[2], "w", encoding="utf-8") as out:
        json.dump(draft(int(sys.argv[1])), out, ensure_ascii=False, separators=(",", ":"))


if __name__ == "__main__":
    main()
