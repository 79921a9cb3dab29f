#include "cli/convert.h"

#include <new>

#include "app/draft_reader.h"
#include "app/draft_reader_simdjson.h"
#include "app/srt_text.h"
#include "app/timeline.h"
#include "cli/cli_platform.h"
#include "cli/libraries.h"
#include "json/parse_arena.h"

namespace cli {
namespace {

constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kOutOfMemory[] = "unreadable (not enough memory for this draft)";

std::string Lowercase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

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

// A file name made of `name`, with the characters no file system takes replaced.
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

// Reads the draft `bytes` into `model`: simdjson reads a well-formed draft; what it does
// not take as a JSON object goes to the JSON classes, which decide as the window does
// (their parser is more lenient, and they tell an encrypted draft from other text).
app::DraftStatus ReadModel(const std::string& bytes, app::DraftModel& model,
                           std::string& reason) {
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

app::DraftStatus ConvertDraftBytes(const std::string& file, const Options& options,
                                   std::string& srt, size_t& count, std::string& reason) {
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

  app::DraftModel model;
  app::DraftStatus status = ReadModel(bytes, model, reason);
  if (status != app::DraftStatus::kOk) return status;
  std::string().swap(bytes);  // the model holds everything from here on

  std::vector<app::Subtitle> subtitles = app::SubtitlesOf(model);
  model = app::DraftModel();  // the subtitles hold all that is written
  count = subtitles.size();
  if (options.encoding == OutputEncoding::kGbk) {
    for (app::Subtitle& subtitle : subtitles) subtitle.text = Utf8ToGbkBytes(subtitle.text);
  }
  srt.clear();
  if (options.byteOrderMark) srt.append(kUtf8ByteOrderMark);
  srt.append(app::SrtText(app::SrtRowsOf(subtitles)));
  return app::DraftStatus::kOk;
}

}  // namespace

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
  for (const char* name : {"draft_content.json", "draft_info.json"}) {
    std::string candidate = JoinPath(argument, name);
    if (StatPath(candidate) == PathKind::kFile) {
      file = candidate;
      return app::DraftStatus::kOk;
    }
  }
  reason = "not found: the folder holds no draft_content.json or draft_info.json";
  return app::DraftStatus::kNotFound;
}

std::string ProjectNameOf(const std::string& file) {
  std::string full = WithoutTrailingSeparators(FullPath(file));
  std::string folder = LastComponent(ParentOf(full));
  if (folder.empty()) {
    std::string own = LastComponent(full);
    folder = own.substr(0, own.rfind('.'));
  }
  return SafeFileName(folder);
}

app::DraftStatus ConvertDraftFile(const std::string& file, const Options& options, std::string& srt,
                                  size_t& count, std::string& reason) {
  try {
    return ConvertDraftBytes(file, options, srt, count, reason);
  } catch (const std::bad_alloc&) {
    reason = kOutOfMemory;
    return app::DraftStatus::kUnreadable;
  }
}

std::string OutputNames::Claim(const std::string& projectName) {
  std::string name = projectName + ".srt";
  for (int n = 2; used_.count(Lowercase(name)) != 0; ++n) {
    name = projectName + "-" + std::to_string(n) + ".srt";
  }
  used_.insert(Lowercase(name));
  return name;
}

}  // namespace cli
