// The files subtitles are written as: SubRip, WebVTT and a plain transcript. Texts are
// taken as bytes in UTF-8 or code page 936; line breaks inside a text are CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/srt_text.h"

namespace core {

enum class CaptionFormat { kSrt, kVtt, kTxt };

// The format named "srt", "vtt" or "txt" (letter case ignored); false for any other name.
bool CaptionFormatNamed(std::string_view name, CaptionFormat& format);

// The file name extension of `format`, with its dot: ".srt", ".vtt", ".txt".
const char* CaptionFormatExtension(CaptionFormat format);

// HH:MM:SS.mmm for a count of microseconds, rounded as SRT times are.
std::string VttTimestampText(int64_t microseconds);

// "WEBVTT", a blank line, then one cue per subtitle: its time range, its text with the
// characters WebVTT reads as markup (& < >) escaped, and a blank line.
std::string VttText(const std::vector<Subtitle>& subtitles);

// One subtitle a line, each line break inside a subtitle written as one space.
std::string TranscriptText(const std::vector<Subtitle>& subtitles);

// The whole file of `subtitles` in `format`.
std::string CaptionFileText(const std::vector<Subtitle>& subtitles, CaptionFormat format);

}  // namespace core
