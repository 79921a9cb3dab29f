// Bilingual cues: the captions of one time on different tracks, made one cue.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/timeline.h"

namespace core {

// How far apart the starts and the ends of captions may be to count as one time: one
// frame at 25 frames a second.
constexpr int64_t kMergeToleranceUs = 40000;

// Whether two subtitles lie on one track: the same outer track and, inside a compound
// clip, the same track of its draft.
bool OnSameTrack(const Subtitle& a, const Subtitle& b);

// Whether `a`'s track comes before `b`'s: the outer tracks' order, then that of the
// tracks inside a compound clip.
bool TrackBefore(const Subtitle& a, const Subtitle& b);

// `subtitles` grouped into cues, in order of their first caption's start: each group
// holds indexes into `subtitles`, at most one a track, in track order. Captions on
// different tracks whose starts and ends each lie within kMergeToleranceUs of the
// group's first caption share a group; every other caption is a group of its own.
std::vector<std::vector<size_t>> MergedCueGroups(const std::vector<Subtitle>& subtitles);

// One subtitle a group of MergedCueGroups: the earliest start, the latest end, the
// texts one below the other in track order (CR LF between), the first one's track.
std::vector<Subtitle> MergeTracks(const std::vector<Subtitle>& subtitles);

}  // namespace core
