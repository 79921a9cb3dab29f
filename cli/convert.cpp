#include "cli/convert.h"

#include <new>

#include "core/ascii_case.h"
#include "core/caption_formats.h"
#include "core/caption_tracks.h"
#include "core/draft_reader.h"
#include "core/draft_reader_simdjson.h"
#include "core/time_shift.h"
#include "core/timeline.h"
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
core::DraftStatus ReadModel(const std::string& bytes, core::DraftModel& model, std::string& reason) {
  switch (core::ReadDraftModelSimdjson(bytes.data(), bytes.size(), bytes.capacity(), model)) {
    case core::SimdjsonRead::kOk:
      return core::DraftStatus::kOk;
    case core::SimdjsonRead::kOutOfMemory:
      reason = kOutOfMemory;
      return core::DraftStatus::kUnreadable;
    case core::SimdjsonRead::kNotObject:
    case core::SimdjsonRead::kRejected:
      break;
  }
  json::ParseArena arena;  // declared first: the tree must go before the arena does
  json::JsonDocument document;
  core::DraftStatus status = core::ParseDraft(bytes, document);
  if (status != core::DraftStatus::kOk) {
    if (arena.Exhausted()) {
      reason = kOutOfMemory;
      return core::DraftStatus::kUnreadable;
    }
    reason = bytes.empty() ? "not JSON (empty file)" : core::DraftStatusCause(status);
    return status;
  }
  model = core::ReadDraftModel(document);
  return core::DraftStatus::kOk;
}

core::DraftStatus ReadDraftBytes(const std::string& file, core::DraftModel& draft,
                                std::string& reason) {
  std::string bytes;
  std::string systemReason;
  switch (ReadWholeFile(file, bytes, systemReason, core::kSimdjsonPadding)) {
    case ReadResult::kOk:
      break;
    case ReadResult::kNotFound:
      reason = "not found";
      return core::DraftStatus::kNotFound;
    case ReadResult::kUnreadable:
      reason = "unreadable (" + systemReason + ")";
      return core::DraftStatus::kUnreadable;
  }
  return ReadModel(bytes, draft, reason);
}

// The file bytes of `subtitles` as `options` ask for them.
std::string CaptionBytes(std::vector<core::Subtitle> subtitles, const Options& options) {
  subtitles = core::ShiftSubtitles(std::move(subtitles), options.offsetUs);
  if (options.encoding == OutputEncoding::kGbk) {
    for (core::Subtitle& subtitle : subtitles) subtitle.text = Utf8ToGbkBytes(subtitle.text);
  }
  std::string bytes;
  if (options.byteOrderMark) bytes.append(kUtf8ByteOrderMark);
  bytes.append(core::CaptionFileText(subtitles, options.format));
  return bytes;
}

core::DraftStatus ConvertDraft(const std::string& file, const Options& options,
                              std::vector<CaptionFile>& files, std::string& reason) {
  core::DraftModel draft;
  core::DraftStatus status = ReadDraftFile(file, draft, reason);
  if (status != core::DraftStatus::kOk) return status;
  std::vector<core::Subtitle> timeline = core::TimelineSubtitles(draft);
  std::vector<core::CaptionTrack> tracks = core::CaptionTracksOf(draft, timeline);

  std::vector<const core::CaptionTrack*> chosen;
  for (int number : options.tracks) {
    if (number < 1 || static_cast<size_t>(number) > tracks.size()) {
      reason = "no caption track " + std::to_string(number) + " (the draft has " +
               std::to_string(tracks.size()) + ", see --list-tracks)";
      return core::DraftStatus::kNotFound;
    }
    chosen.push_back(&tracks[static_cast<size_t>(number) - 1]);
  }
  if (options.splitTracks && chosen.empty()) {
    for (const core::CaptionTrack& track : tracks) chosen.push_back(&track);
  }

  files.clear();
  if (options.splitTracks) {
    for (const core::CaptionTrack* track : chosen) {
      CaptionFile output;
      output.trackNumber = track->number;
      std::vector<core::Subtitle> subtitles = core::SubtitlesOnTracks(timeline, {track->track});
      output.subtitleCount = subtitles.size();
      output.bytes = CaptionBytes(std::move(subtitles), options);
      files.push_back(std::move(output));
    }
    return core::DraftStatus::kOk;
  }
  std::vector<core::Subtitle> subtitles;
  if (chosen.empty()) {
    subtitles = core::ShownSubtitles(std::move(timeline));
  } else {
    std::vector<int32_t> indexes;
    for (const core::CaptionTrack* track : chosen) indexes.push_back(track->track);
    subtitles = core::SubtitlesOnTracks(timeline, indexes);
  }
  CaptionFile output;
  output.subtitleCount = subtitles.size();
  output.bytes = CaptionBytes(std::move(subtitles), options);
  files.push_back(std::move(output));
  return core::DraftStatus::kOk;
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

core::DraftStatus LocateDraft(const std::string& argument, std::string& file, std::string& reason) {
  switch (StatPath(argument)) {
    case PathKind::kFile:
      file = argument;
      return core::DraftStatus::kOk;
    case PathKind::kOther:
      // A device or pipe could be endless: only regular files are read.
      reason = "unreadable (not a regular file)";
      return core::DraftStatus::kUnreadable;
    case PathKind::kMissing:
      reason = "not found";
      return core::DraftStatus::kNotFound;
    case PathKind::kFolder:
      break;
  }
  file = core::ProjectDraftFile(argument, SystemProjectFiles());
  if (!file.empty()) return core::DraftStatus::kOk;
  reason = "not found: the folder holds no draft_content.json or draft_info.json";
  return core::DraftStatus::kNotFound;
}

std::string ProjectNameOf(const std::string& file) {
  std::string full = WithoutTrailingSeparators(FullPath(file));
  std::string parent = ParentOf(full);
  // A timeline of Timelines/<id>/ belongs to the project folder that holds Timelines.
  std::string timelines = ParentOf(parent);
  if (core::AsciiLowercase(LastComponent(timelines)) == "timelines") parent = ParentOf(timelines);
  std::string folder = LastComponent(parent);
  if (folder.empty()) {
    std::string own = LastComponent(full);
    folder = own.substr(0, own.rfind('.'));
  }
  return SafeFileName(folder);
}

core::DraftStatus ReadDraftFile(const std::string& file, core::DraftModel& draft,
                               std::string& reason) {
  try {
    return ReadDraftBytes(file, draft, reason);
  } catch (const std::bad_alloc&) {
    reason = kOutOfMemory;
    return core::DraftStatus::kUnreadable;
  }
}

core::DraftStatus ConvertDraftFile(const std::string& file, const Options& options,
                                  std::vector<CaptionFile>& files, std::string& reason) {
  try {
    return ConvertDraft(file, options, files, reason);
  } catch (const std::bad_alloc&) {
    reason = kOutOfMemory;
    return core::DraftStatus::kUnreadable;
  }
}

core::DraftStatus DescribeCaptionTracks(const std::string& file, std::string& text,
                                       std::string& reason) {
  core::DraftModel draft;
  core::DraftStatus status = ReadDraftFile(file, draft, reason);
  if (status != core::DraftStatus::kOk) return status;
  std::vector<core::Subtitle> timeline = core::TimelineSubtitles(draft);
  text.clear();
  for (const core::CaptionTrack& track : core::CaptionTracksOf(draft, timeline)) {
    const char* shown = track.hiddenCount == 0                     ? "shown"
                        : track.hiddenCount == track.subtitleCount ? "hidden"
                                                                   : "partly hidden";
    text += std::to_string(track.number) + "\t" +
            (track.name.empty() ? std::string("(no name)") : track.name) + "\t" + shown + "\t" +
            std::to_string(track.subtitleCount) +
            (track.subtitleCount == 1 ? " caption\t" : " captions\t") +
            core::CaptionExcerpt(track.firstText, kExcerptLength) + "\n";
  }
  return core::DraftStatus::kOk;
}

std::string DraftStateText(const std::string& file) {
  core::DraftModel draft;
  std::string reason;
  switch (ReadDraftFile(file, draft, reason)) {
    case core::DraftStatus::kOk:
      break;
    case core::DraftStatus::kEncrypted:
      return "encrypted";
    default:
      return "unreadable";
  }
  size_t count = core::SubtitlesOf(draft).size();
  if (count == 0) return "no subtitles";
  return std::to_string(count) + (count == 1 ? " subtitle" : " subtitles");
}

std::string OutputNames::Claim(const std::string& projectName) {
  std::string name = projectName;
  for (int n = 2; used_.count(core::AsciiLowercase(name)) != 0; ++n) {
    name = projectName + "-" + std::to_string(n);
  }
  used_.insert(core::AsciiLowercase(name));
  return name;
}

}  // namespace cli
