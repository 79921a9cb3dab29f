#include "cli/convert.h"

#include <new>

#include "app/ascii_case.h"
#include "app/caption_formats.h"
#include "app/caption_tracks.h"
#include "app/draft_reader.h"
#include "app/draft_reader_simdjson.h"
#include "app/time_shift.h"
#include "app/timeline.h"
#include "cli/cli_platform.h"
#include "cli/libraries.h"
#include "cli/project_list.h"
#include "json/parse_arena.h"

namespace cli {
namespace {

constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kOutOfMemory[] = "unreadable (not enough memory for this draft)";
constexpr size_t kExcerptLength = 40;  // characters of a first caption that --list-tracks shows

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && IsPathSeparator(path.back())) path.pop_back();
  return path;
}

// Everything after the last separator.
std::string LastComponent(const std::string& path) {
  size_t i = path.size();
  while (i > 0 && !IsPathSeparator(path[i - 1])) --i;
  return path.substr(i);
}

std::string ParentOf(const std::string& path) {
  size_t i = path.size();
  while (i > 0 && !IsPathSeparator(path[i - 1])) --i;
  return WithoutTrailingSeparators(path.substr(0, i));
}

// Reads the draft `bytes` into `model`: simdjson reads a well-formed draft; what it does
// not take as a JSON object goes to the JSON classes, which decide as the window does
// (their parser is more lenient, and they tell an encrypted draft from other text).
app::DraftStatus ReadModel(const std::string& bytes, app::DraftModel& model, std::string& reason) {
  switch (app::ReadDraftModelSimdjson(bytes.data(), bytes.size(), bytes.capacity(), model)) {
    case app::SimdjsonRead::kOk:
      return app::DraftStatus::kOk;
    case app::SimdjsonRead::kOutOfMemory:
      reason = kOutOfMemory;
      return app::DraftStatus::kUnreadable;
    case app::SimdjsonRead::kNotObject:
    case app::SimdjsonRead::kRejected:
      break;
  }
  json::ParseArena arena;  // declared first: the tree must go before the arena does
  json::JsonDocument document;
  app::DraftStatus status = app::ParseDraft(bytes, document);
  if (status != app::DraftStatus::kOk) {
    if (arena.Exhausted()) {
      reason = kOutOfMemory;
      return app::DraftStatus::kUnreadable;
    }
    reason = bytes.empty() ? "not JSON (empty file)" : app::DraftStatusCause(status);
    return status;
  }
  model = app::ReadDraftModel(document);
  return app::DraftStatus::kOk;
}

app::DraftStatus ReadDraftBytes(const std::string& file, app::DraftModel& draft,
                                std::string& reason) {
  std::string bytes;
  std::string systemReason;
  switch (ReadWholeFile(file, bytes, systemReason, app::kSimdjsonPadding)) {
    case ReadResult::kOk:
      break;
    case ReadResult::kNotFound:
      reason = "not found";
      return app::DraftStatus::kNotFound;
    case ReadResult::kUnreadable:
      reason = "unreadable (" + systemReason + ")";
      return app::DraftStatus::kUnreadable;
  }
  return ReadModel(bytes, draft, reason);
}

// The file bytes of `subtitles` as `options` ask for them.
std::string CaptionBytes(std::vector<app::Subtitle> subtitles, const Options& options) {
  subtitles = app::ShiftSubtitles(std::move(subtitles), options.offsetUs);
  if (options.encoding == OutputEncoding::kGbk) {
    for (app::Subtitle& subtitle : subtitles) subtitle.text = Utf8ToGbkBytes(subtitle.text);
  }
  std::string bytes;
  if (options.byteOrderMark) bytes.append(kUtf8ByteOrderMark);
  bytes.append(app::CaptionFileText(subtitles, options.format));
  return bytes;
}

app::DraftStatus ConvertDraft(const std::string& file, const Options& options,
                              std::vector<CaptionFile>& files, std::string& reason) {
  app::DraftModel draft;
  app::DraftStatus status = ReadDraftFile(file, draft, reason);
  if (status != app::DraftStatus::kOk) return status;
  std::vector<app::Subtitle> timeline = app::TimelineSubtitles(draft);
  std::vector<app::CaptionTrack> tracks = app::CaptionTracksOf(draft, timeline);

  std::vector<const app::CaptionTrack*> chosen;
  for (int number : options.tracks) {
    if (number < 1 || static_cast<size_t>(number) > tracks.size()) {
      reason = "no caption track " + std::to_string(number) + " (the draft has " +
               std::to_string(tracks.size()) + ", see --list-tracks)";
      return app::DraftStatus::kNotFound;
    }
    chosen.push_back(&tracks[static_cast<size_t>(number) - 1]);
  }
  if (options.splitTracks && chosen.empty()) {
    for (const app::CaptionTrack& track : tracks) chosen.push_back(&track);
  }

  files.clear();
  if (options.splitTracks) {
    for (const app::CaptionTrack* track : chosen) {
      CaptionFile output;
      output.trackNumber = track->number;
      std::vector<app::Subtitle> subtitles = app::SubtitlesOnTracks(timeline, {track->track});
      output.subtitleCount = subtitles.size();
      output.bytes = CaptionBytes(std::move(subtitles), options);
      files.push_back(std::move(output));
    }
    return app::DraftStatus::kOk;
  }
  std::vector<app::Subtitle> subtitles;
  if (chosen.empty()) {
    subtitles = app::ShownSubtitles(std::move(timeline));
  } else {
    std::vector<int32_t> indexes;
    for (const app::CaptionTrack* track : chosen) indexes.push_back(track->track);
    subtitles = app::SubtitlesOnTracks(timeline, indexes);
  }
  CaptionFile output;
  output.subtitleCount = subtitles.size();
  output.bytes = CaptionBytes(std::move(subtitles), options);
  files.push_back(std::move(output));
  return app::DraftStatus::kOk;
}

// `text` on one line and at most `limit` characters long.
std::string OneLineExcerpt(const std::string& text, size_t limit) {
  std::string line;
  size_t characters = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      c = ' ';
    }
    bool startsCharacter = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (startsCharacter && ++characters > limit) {
      line.append("...");
      break;
    }
    line.push_back(c);
  }
  return line;
}

}  // namespace

std::string SafeFileName(const std::string& name) {
  std::string safe;
  for (char c : name) {
    bool bad = static_cast<unsigned char>(c) < 0x20 || c == '<' || c == '>' || c == ':' ||
               c == '"' || c == '/' || c == '\\' || c == '|' || c == '?' || c == '*';
    safe.push_back(bad ? '_' : c);
  }
  while (!safe.empty() && (safe.back() == '.' || safe.back() == ' ')) safe.pop_back();
  if (safe.empty() || safe == "_") safe = "subtitles";
  return safe;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (IsPathSeparator(folder.back())) return folder + name;
  return folder + PathSeparator() + name;
}

app::DraftStatus LocateDraft(const std::string& argument, std::string& file, std::string& reason) {
  switch (StatPath(argument)) {
    case PathKind::kFile:
      file = argument;
      return app::DraftStatus::kOk;
    case PathKind::kOther:
      // A device or pipe could be endless: only regular files are read.
      reason = "unreadable (not a regular file)";
      return app::DraftStatus::kUnreadable;
    case PathKind::kMissing:
      reason = "not found";
      return app::DraftStatus::kNotFound;
    case PathKind::kFolder:
      break;
  }
  file = app::ProjectDraftFile(argument, SystemProjectFiles());
  if (!file.empty()) return app::DraftStatus::kOk;
  reason = "not found: the folder holds no draft_content.json or draft_info.json";
  return app::DraftStatus::kNotFound;
}

std::string ProjectNameOf(const std::string& file) {
  std::string full = WithoutTrailingSeparators(FullPath(file));
  std::string parent = ParentOf(full);
  // A timeline of Timelines/<id>/ belongs to the project folder that holds Timelines.
  std::string timelines = ParentOf(parent);
  if (app::AsciiLowercase(LastComponent(timelines)) == "timelines") parent = ParentOf(timelines);
  std::string folder = LastComponent(parent);
  if (folder.empty()) {
    std::string own = LastComponent(full);
    folder = own.substr(0, own.rfind('.'));
  }
  return SafeFileName(folder);
}

app::DraftStatus ReadDraftFile(const std::string& file, app::DraftModel& draft,
                               std::string& reason) {
  try {
    return ReadDraftBytes(file, draft, reason);
  } catch (const std::bad_alloc&) {
    reason = kOutOfMemory;
    return app::DraftStatus::kUnreadable;
  }
}

app::DraftStatus ConvertDraftFile(const std::string& file, const Options& options,
                                  std::vector<CaptionFile>& files, std::string& reason) {
  try {
    return ConvertDraft(file, options, files, reason);
  } catch (const std::bad_alloc&) {
    reason = kOutOfMemory;
    return app::DraftStatus::kUnreadable;
  }
}

app::DraftStatus DescribeCaptionTracks(const std::string& file, std::string& text,
                                       std::string& reason) {
  app::DraftModel draft;
  app::DraftStatus status = ReadDraftFile(file, draft, reason);
  if (status != app::DraftStatus::kOk) return status;
  std::vector<app::Subtitle> timeline = app::TimelineSubtitles(draft);
  text.clear();
  for (const app::CaptionTrack& track : app::CaptionTracksOf(draft, timeline)) {
    const char* shown = track.hiddenCount == 0                     ? "shown"
                        : track.hiddenCount == track.subtitleCount ? "hidden"
                                                                   : "partly hidden";
    text += std::to_string(track.number) + "\t" +
            (track.name.empty() ? std::string("(no name)") : track.name) + "\t" + shown + "\t" +
            std::to_string(track.subtitleCount) +
            (track.subtitleCount == 1 ? " caption\t" : " captions\t") +
            OneLineExcerpt(track.firstText, kExcerptLength) + "\n";
  }
  return app::DraftStatus::kOk;
}

std::string DraftStateText(const std::string& file) {
  app::DraftModel draft;
  std::string reason;
  switch (ReadDraftFile(file, draft, reason)) {
    case app::DraftStatus::kOk:
      break;
    case app::DraftStatus::kEncrypted:
      return "encrypted";
    default:
      return "unreadable";
  }
  size_t count = app::SubtitlesOf(draft).size();
  if (count == 0) return "no subtitles";
  return std::to_string(count) + (count == 1 ? " subtitle" : " subtitles");
}

std::string OutputNames::Claim(const std::string& projectName) {
  std::string name = projectName;
  for (int n = 2; used_.count(app::AsciiLowercase(name)) != 0; ++n) {
    name = projectName + "-" + std::to_string(n);
  }
  used_.insert(app::AsciiLowercase(name));
  return name;
}

}  // namespace cli
