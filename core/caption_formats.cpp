#include "core/caption_formats.h"

#include "core/ascii_case.h"
#include "core/ass_text.h"
#include "core/timestamp.h"

namespace core {
namespace {

constexpr char kLineBreak[] = "\r\n";

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

bool CaptionFormatNamed(std::string_view name, CaptionFormat& format) {
  std::string lower = AsciiLowercase(std::string(name));
  if (lower == "srt") {
    format = CaptionFormat::kSrt;
  } else if (lower == "vtt") {
    format = CaptionFormat::kVtt;
  } else if (lower == "txt") {
    format = CaptionFormat::kTxt;
  } else if (lower == "ass") {
    format = CaptionFormat::kAss;
  } else {
    return false;
  }
  return true;
}

const char* CaptionFormatExtension(CaptionFormat format) {
  switch (format) {
    case CaptionFormat::kVtt:
      return ".vtt";
    case CaptionFormat::kTxt:
      return ".txt";
    case CaptionFormat::kAss:
      return ".ass";
    case CaptionFormat::kSrt:
      break;
  }
  return ".srt";
}

std::string VttTimestampText(int64_t microseconds) {
  std::string text = TimestampText(microseconds);
  text[text.size() - 4] = '.';
  return text;
}

std::string VttText(const std::vector<Subtitle>& subtitles) {
  std::string vtt = "WEBVTT";
  vtt.append(kLineBreak).append(kLineBreak);
  for (const Subtitle& subtitle : subtitles) {
    vtt.append(VttTimestampText(subtitle.startUs))
        .append(" --> ")
        .append(VttTimestampText(subtitle.endUs))
        .append(kLineBreak);
    // Unescaped, "<" opens a tag, "&" an entity and "-->" would read as a time line.
    for (char c : subtitle.text) {
      if (c == '&') {
        vtt.append("&amp;");
      } else if (c == '<') {
        vtt.append("&lt;");
      } else if (c == '>') {
        vtt.append("&gt;");
      } else {
        vtt.push_back(c);
      }
    }
    vtt.append(kLineBreak).append(kLineBreak);
  }
  return vtt;
}

std::string TranscriptText(const std::vector<Subtitle>& subtitles) {
  std::string text;
  for (const Subtitle& subtitle : subtitles) {
    const std::string& caption = subtitle.text;
    for (size_t i = 0; i < caption.size(); ++i) {
      if (!IsLineBreak(caption[i])) {
        text.push_back(caption[i]);
        continue;
      }
      if (caption[i] == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n') ++i;
      text.push_back(' ');
    }
    text.append(kLineBreak);
  }
  return text;
}

std::string CaptionFileText(const std::vector<Subtitle>& subtitles, CaptionFormat format) {
  switch (format) {
    case CaptionFormat::kVtt:
      return VttText(subtitles);
    case CaptionFormat::kTxt:
      return TranscriptText(subtitles);
    case CaptionFormat::kAss: {
      std::vector<AssCue> cues;
      for (const Subtitle& subtitle : subtitles) cues.push_back({{subtitle, CaptionLook()}});
      return AssText(cues, CanvasSize(), {});
    }
    case CaptionFormat::kSrt:
      break;
  }
  return SrtText(SrtRowsOf(subtitles));
}

}  // namespace core
