#include "cli/convert.h"

#include <new>

#include "cli/draft_states.h"
#include "cli/libraries.h"
#include "cli/project_list.h"
#include "core/ascii_case.h"
#include "core/ass_text.h"
#include "core/caption_formats.h"
#include "core/caption_merge.h"
#include "core/caption_tracks.h"
#include "core/draft_reader.h"
#include "core/draft_reader_simdjson.h"
#include "core/plain_copy.h"
#include "core/system.h"
#include "core/time_shift.h"
#include "core/timeline.h"
#include "platform/text_encoding.h"

namespace cli {
namespace {

constexpr size_t kExcerptLength = 40;  // characters of a first caption that --list-tracks shows

core::DraftStatus ReadDraftBytesIn(const std::string& file, core::DraftModel& draft,
                                   std::string& reason, std::string& bytes,
                                   core::SimdjsonParser* parser, core::DraftTexts texts) {
  std::string systemReason;
  switch (core::ReadWholeFile(file, bytes, systemReason, core::kSimdjsonPadding)) {
    case core::ReadResult::kOk:
      break;
    case core::ReadResult::kNotFound:
      reason = "not found";
      return core::DraftStatus::kNotFound;
    case core::ReadResult::kUnreadable:
      reason = "unreadable (" + systemReason + ")";
      return core::DraftStatus::kUnreadable;
    case core::ReadResult::kTooLarge:
      reason = core::DraftStatusCause(core::DraftStatus::kTooLarge);
      return core::DraftStatus::kTooLarge;
  }
  core::DraftStatus status = core::ReadDraftModelFast(bytes, draft, parser, texts);
  if (status != core::DraftStatus::kOk)
    reason = bytes.empty() ? "not JSON (empty file)" : core::DraftStatusCause(status);
  return status;
}

core::DraftStatus ReadDraftBytes(const std::string& file, core::DraftModel& draft,
                                 std::string& reason, DraftReadMemory* memory = nullptr,
                                 core::DraftTexts texts = core::DraftTexts::kWhole) {
  if (!memory) {
    std::string bytes;
    return ReadDraftBytesIn(file, draft, reason, bytes, nullptr, texts);
  }
  core::DraftStatus status;
  try {
    status = ReadDraftBytesIn(file, draft, reason, memory->bytes, &memory->parser, texts);
  } catch (...) {
    // A draft that found no memory is counted again alone: it gets this buffer's too.
    std::string().swap(memory->bytes);
    throw;
  }
  // As the parser, the buffer is kept only for drafts of the usual size.
  if (memory->bytes.capacity() > core::SimdjsonParser::kKeptDraftLimit)
    std::string().swap(memory->bytes);
  return status;
}

// The file bytes of `subtitles` of `draft` as `options` ask for them.
std::string CaptionBytes(std::vector<core::Subtitle> subtitles, const Options& options,
                         const core::DraftModel& draft,
                         const std::vector<core::CaptionTrack>& tracks) {
  subtitles = core::ShiftSubtitles(std::move(subtitles), options.offsetUs);
  if (options.format == core::CaptionFormat::kAss) {
    // Always UTF-8, its byte-order mark included.
    return core::AssText(core::AssCuesOf(draft, subtitles, options.mergeTracks),
                         core::DraftCanvasOf(draft), tracks);
  }
  if (options.mergeTracks) subtitles = core::MergeTracks(subtitles);
  if (options.encoding == OutputEncoding::kGbk) {
    for (core::Subtitle& subtitle : subtitles) subtitle.text = platform::Utf8ToCp936(subtitle.text);
  }
  std::string bytes;
  if (options.byteOrderMark) bytes.append(platform::kUtf8ByteOrderMark);
  bytes.append(core::CaptionFileText(subtitles, options.format));
  return bytes;
}

core::DraftStatus ConvertDraft(const std::string& file, const Options& options,
                               std::vector<CaptionFile>& files, std::string& reason,
                               std::string& copyNote) {
  core::DraftModel draft;
  core::DraftStatus status = ReadDraftOrPlainCopy(file, draft, reason, copyNote);
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
      output.bytes = CaptionBytes(std::move(subtitles), options, draft, tracks);
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
  output.bytes = CaptionBytes(std::move(subtitles), options, draft, tracks);
  files.push_back(std::move(output));
  return core::DraftStatus::kOk;
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (core::IsPathSeparator(folder.back())) return folder + name;
  return folder + core::PathSeparator() + name;
}

core::DraftStatus LocateDraft(const std::string& argument, std::string& file, std::string& reason) {
  switch (core::StatPath(argument)) {
    case core::PathKind::kFile:
      file = argument;
      return core::DraftStatus::kOk;
    case core::PathKind::kOther:
      // A device or pipe could be endless: only regular files are read.
      reason = "unreadable (not a regular file)";
      return core::DraftStatus::kUnreadable;
    case core::PathKind::kMissing:
      reason = "not found";
      return core::DraftStatus::kNotFound;
    case core::PathKind::kFolder:
      break;
  }
  file = core::ProjectDraftFile(argument, core::SystemProjectFiles());
  if (!file.empty()) return core::DraftStatus::kOk;
  reason = "not found: the folder holds no draft_content.json or draft_info.json";
  return core::DraftStatus::kNotFound;
}

std::string ProjectNameOf(const std::string& file) {
  char separator = core::PathSeparator();
  std::string folder = core::ProjectFolderOf(core::FullPath(file), separator);
  std::string name = core::ProjectMetaOf(folder, core::SystemProjectFiles()).name;
  if (name.empty()) {
    std::string own = core::LastPathComponent(file, separator);
    name = own.substr(0, own.rfind('.'));
  }
  return core::SafeFileName(name);
}

core::DraftStatus ReadDraftFile(const std::string& file, core::DraftModel& draft,
                                std::string& reason) {
  try {
    return ReadDraftBytes(file, draft, reason);
  } catch (const std::bad_alloc&) {
    reason = core::DraftStatusCause(core::DraftStatus::kTooLarge);
    return core::DraftStatus::kTooLarge;
  }
}

core::DraftStatus ReadDraftOrPlainCopy(const std::string& file, core::DraftModel& draft,
                                       std::string& reason, std::string& copyNote) {
  core::DraftStatus status = ReadDraftFile(file, draft, reason);
  if (status != core::DraftStatus::kEncrypted) return status;
  core::PlainCopy copy;
  auto read = [](const std::string& path, core::DraftModel& model) {
    std::string unused;
    return ReadDraftFile(path, model, unused);
  };
  try {
    if (!core::FindPlainCopy(core::FullPath(file), core::SystemProjectFiles(), read, copy))
      return status;
  } catch (const std::bad_alloc&) {
    return status;
  }
  draft = std::move(copy.draft);
  copyNote = "encrypted; read the older plain copy " + copy.name + " (saved " +
             copy.saved.localText + ") instead; it may be out of date";
  reason.clear();
  return core::DraftStatus::kOk;
}

core::DraftStatus ConvertDraftFile(const std::string& file, const Options& options,
                                   std::vector<CaptionFile>& files, std::string& reason,
                                   std::string& copyNote) {
  try {
    return ConvertDraft(file, options, files, reason, copyNote);
  } catch (const std::bad_alloc&) {
    reason = core::DraftStatusCause(core::DraftStatus::kTooLarge);
    return core::DraftStatus::kTooLarge;
  }
}

namespace {

core::DraftStatus DescribeTracks(const std::string& file, std::string& text, std::string& reason,
                                 std::string& copyNote) {
  core::DraftModel draft;
  core::DraftStatus status = ReadDraftOrPlainCopy(file, draft, reason, copyNote);
  if (status != core::DraftStatus::kOk) return status;
  std::vector<core::Subtitle> timeline = core::TimelineSubtitles(draft);
  text.clear();
  for (const core::CaptionTrack& track : core::CaptionTracksOf(draft, timeline)) {
    // A track's look is that of its earliest caption.
    std::string look;
    for (const core::Subtitle& subtitle : timeline) {
      if (subtitle.track != track.track) continue;
      look = core::CaptionLookSummary(core::CaptionLookOf(draft, subtitle.origin));
      break;
    }
    const char* shown = track.hiddenCount == 0                     ? "shown"
                        : track.hiddenCount == track.subtitleCount ? "hidden"
                                                                   : "partly hidden";
    text += std::to_string(track.number) + "\t" +
            (track.name.empty() ? std::string("(no name)") : track.name) + "\t" + shown + "\t" +
            std::to_string(track.subtitleCount) +
            (track.subtitleCount == 1 ? " caption\t" : " captions\t") + look + "\t" +
            core::CaptionExcerpt(track.firstText, kExcerptLength) + "\n";
  }
  return core::DraftStatus::kOk;
}

}  // namespace

core::DraftStatus DescribeCaptionTracks(const std::string& file, std::string& text,
                                        std::string& reason, std::string& copyNote) {
  try {
    return DescribeTracks(file, text, reason, copyNote);
  } catch (const std::bad_alloc&) {
    reason = core::DraftStatusCause(core::DraftStatus::kTooLarge);
    return core::DraftStatus::kTooLarge;
  }
}

std::string DraftStateText(const std::string& file, DraftReadMemory* memory) {
  core::DraftModel draft;
  std::string reason;
  core::DraftStatus status;
  try {
    // Only the count is shown: the texts are read as stand-ins, which spares copying
    // each one and the timeline making its text again.
    status = ReadDraftBytes(file, draft, reason, memory, core::DraftTexts::kStandIns);
  } catch (const std::bad_alloc&) {
    status = core::DraftStatus::kTooLarge;
  }
  switch (status) {
    case core::DraftStatus::kOk:
      break;
    case core::DraftStatus::kEncrypted:
      return "encrypted";
    default:
      return "unreadable";
  }
  return SubtitleCountText(core::SubtitlesOf(draft).size());
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
