#!/usr/bin/env python3
"""Writes a generated JianyingPro-style draft with COUNT subtitles to PATH.

The shape follows what the editor saves: minified UTF-8 JSON, a text material of a few
kilobytes per subtitle whose content is a rich-text document, animation, speed and
canvas materials for each subtitle, a video track first, the subtitles spread over several
text tracks, and materials.texts not in timeline order. About 7 KB per subtitle.
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
             "range": [0, len(text)], "size": 8.0, "bold": False, "italic": False, "underline": False,
             "strokes": [{"alpha": 1.0, "content": {"render_type": "solid", "solid": {"alpha": 1.0, "color": [0.0, 0.0, 0.0]}}, "width": 0.08}]}
    return json.dumps({"styles": [style], "text": text}, ensure_ascii=False, separators=(",", ":"))


def text_material(rng, material_id, text, start_ms):
    chars = list(text)
    starts = [i * 120 for i in range(len(chars))]
    return {
        "add_type": 1, "alignment": 1, "background_alpha": 1.0, "background_color": "", "background_height": 0.14,
        "background_horizontal_offset": 0.0, "background_round_radius": 0.0, "background_style": 0,
        "background_vertical_offset": 0.0, "background_width": 0.14, "base_content": "", "bold_width": 0.0,
        "border_alpha": 1.0, "border_color": "#000000", "border_width": 0.08,
        "caption_template_info": {"category_id": "", "category_name": "", "effect_id": "", "is_new": False, "path": "",
                                  "request_id": "", "resource_id": "", "resource_name": "", "source_platform": 0},
        "check_flag": 7, "combo_info": {"text_templates": []}, "content": rich_text(text),
        "fixed_height": -1.0, "fixed_width": -1.0, "font_category_id": "", "font_category_name": "", "font_id": "",
        "font_name": "", "font_path": "C:/Program Files/JianyingPro/5.9.0.11632/Resources/Font/SystemFont/zh-hans.ttf",
        "font_resource_id": "", "font_size": 8.0, "font_source_platform": 0, "font_team_id": "", "font_title": "none",
        "font_url": "", "fonts": [], "force_apply_line_max_width": False, "global_alpha": 1.0,
        "group_id": "Auto_%d" % rng.randrange(10**12), "has_shadow": False, "id": material_id, "initial_scale": 1.0,
        "inner_padding": -1.0, "is_rich_text": False, "italic_degree": 0, "ktv_color": "", "language": "",
        "layer_weight": 1, "letter_spacing": 0.0, "line_feed": 1, "line_max_width": 0.82, "line_spacing": 0.02,
        "multi_language_current": "none", "name": "", "original_size": [], "preset_category": "",
        "preset_category_id": "", "preset_has_set_alignment": False, "preset_id": "", "preset_index": 0,
        "preset_name": "", "recognize_task_id": new_id(rng).lower(), "recognize_type": 0, "relevance_segment": [],
        "shadow_alpha": 0.9, "shadow_angle": -45.0, "shadow_color": "", "shadow_distance": 5.0,
        "shadow_point": {"x": 0.6363961030678928, "y": -0.6363961030678928}, "shadow_smoothing": 0.45,
        "shape_clip_x": False, "shape_clip_y": False, "source_from": "", "style_name": "", "sub_type": 0,
        "subtitle_keywords": None, "subtitle_template_original_fontsize": 0.0, "text_alpha": 1.0,
        "text_color": "#FFFFFF", "text_curve": None, "text_preset_resource_id": "", "text_size": 30,
        "text_to_audio_ids": [], "tts_auto_update": False, "type": "subtitle", "typesetting": 0, "underline": False,
        "underline_offset": 0.22, "underline_width": 0.05, "use_effect_default_color": True,
        "words": {"end_time": [s + 120 for s in starts], "start_time": starts, "text": chars},
    }


def animation_material(rng, material_id):
    def animation(kind, category, name, start):
        return {"anchor": "", "category_id": category, "category_name": name, "duration": 500000,
                "id": str(rng.randrange(10**7)), "material_type": "sticker", "name": name, "panel": "",
                "path": "C:/Users/user/AppData/Local/JianyingPro/User Data/Cache/effect/%d/%s"
                % (rng.randrange(10**7), new_id(rng).replace("-", "").lower()),
                "platform": "all", "request_id": new_id(rng).lower(), "resource_id": str(rng.randrange(10**18)),
                "start": start, "type": kind}
    return {"animations": [animation("in", "ruchang", "渐显", 0), animation("out", "chuchang", "渐隐", 1500000),
                           animation("loop", "xunhuan", "波浪", 0)],
            "id": material_id, "multi_language_current": "none", "type": "sticker_animation"}


def canvas_material(material_id):
    return {"album_image": "", "blur": 0.0, "color": "", "id": material_id, "image": "", "image_id": "",
            "image_name": "", "source_platform": 0, "team_id": "", "type": "canvas_color"}


def speed_material(material_id):
    return {"curve_speed": None, "id": material_id, "mode": 0, "speed": 1.0, "type": "speed"}


def segment(rng, material_id, refs, start, duration, render_index):
    return {
        "caption_info": None, "cartoon": False,
        "clip": {"alpha": 1.0, "flip": {"horizontal": False, "vertical": False}, "rotation": 0.0,
                 "scale": {"x": 1.0, "y": 1.0}, "transform": {"x": 0.0, "y": -0.73}},
        "common_keyframes": [{"id": new_id(rng), "keyframe_list": [
            {"curveType": "Line", "graphID": "", "id": new_id(rng), "left_control": {"x": 0.0, "y": 0.0},
             "right_control": {"x": 0.0, "y": 0.0}, "time_offset": offset, "values": [value]}
            for offset, value in ((0, 0.0), (duration // 2, 1.0), (duration, 0.0))],
            "material_id": "", "property_type": "KFTypeAlpha"}], "enable_adjust": True, "enable_color_correct_adjust": False,
        "enable_color_curves": True, "enable_color_match_adjust": False, "enable_color_wheels": True,
        "enable_lut": True, "enable_smart_color_adjust": False, "extra_material_refs": refs, "group_id": "",
        "hdr_settings": None, "id": new_id(rng), "intensifies_audio": False, "is_placeholder": False,
        "is_tone_modify": False, "keyframe_refs": [], "last_nonzero_volume": 1.0, "material_id": material_id,
        "render_index": render_index, "responsive_layout": {"enable": False, "horizontal_pos_layout": 0,
                                                            "size_layout": 0, "target_follow": "",
                                                            "vertical_pos_layout": 0},
        "reverse": False, "source_timerange": None, "speed": 1.0,
        "target_timerange": {"duration": duration, "start": start}, "template_id": "", "template_scene": "default",
        "track_attribute": 0, "track_render_index": 0, "uniform_scale": {"on": True, "value": 1.0}, "visible": True,
        "volume": 1.0,
    }


def draft(count, seed=7):
    rng = random.Random(seed)
    texts, animations, speeds, canvases = [], [], [], []
    text_tracks = [[] for _ in range(TEXT_TRACKS)]
    start = 0
    for i in range(count):
        duration = rng.randrange(800000, 3000000)
        text = "%s，%s %d" % (PHRASES[i % len(PHRASES)], PHRASES[(i * 3 + 1) % len(PHRASES)], i)
        text_id, animation_id, speed_id, canvas_id = new_id(rng), new_id(rng), new_id(rng), new_id(rng)
        texts.append(text_material(rng, text_id, text, start // 1000))
        animations.append(animation_material(rng, animation_id))
        speeds.append(speed_material(speed_id))
        canvases.append(canvas_material(canvas_id))
        text_tracks[i % TEXT_TRACKS].append(segment(rng, text_id, [animation_id, speed_id, canvas_id], start, duration, 14000 + i % TEXT_TRACKS))
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
            "audios": [], "canvases": canvases, "material_animations": animations, "speeds": speeds, "texts": texts,
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
