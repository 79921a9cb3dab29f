// The files subtitles are written as: SubRip, WebVTT, a plain transcript and Advanced
// SubStation Alpha (core/ass_text.h). Texts are taken as bytes in UTF-8 or code page 936
// (ASS: UTF-8 only); line breaks inside a text are CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/srt_text.h"

namespace core {

enum class CaptionFormat { kSrt, kVtt, kTxt, kAss };

// The format named "srt", "vtt", "txt" or "ass" (letter case ignored); false for any other.
bool CaptionFormatNamed(std::string_view name, CaptionFormat& format);

// The file name extension of `format`, with its dot: ".srt", ".vtt", ".txt", ".ass".
const char* CaptionFormatExtension(CaptionFormat format);

// HH:MM:SS.mmm for a count of microseconds, rounded as SRT times are.
std::string VttTimestampText(int64_t microseconds);

// "WEBVTT", a blank line, then one cue per subtitle: its time range, its text with the
// characters WebVTT reads as markup (& < >) escaped, and a blank line.
std::string VttText(const std::vector<Subtitle>& subtitles);

// One subtitle a line, each line break inside a subtitle written as one space.
std::string TranscriptText(const std::vector<Subtitle>& subtitles);

// The whole file of `subtitles` in `format`; ASS with the default look (AssText for the
// draft's own).
std::string CaptionFileText(const std::vector<Subtitle>& subtitles, CaptionFormat format);

}  // namespace core
