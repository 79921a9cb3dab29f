// Turning one draft argument into subtitle files, and naming the files of a batch.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "cli/options.h"
#include "core/draft_file.h"
#include "core/draft_model.h"
#include "core/draft_reader_simdjson.h"

namespace cli {

// Finds the draft file that `argument` names: the file itself, or in a project folder
// the file that core::ProjectDraftFile picks. kNotFound with `reason` otherwise.
core::DraftStatus LocateDraft(const std::string& argument, std::string& file, std::string& reason);

// The project's name for the draft file `file` (core::ProjectMetaOf of the project it
// belongs to), made fit for a file name.
std::string ProjectNameOf(const std::string& file);

// Reads the draft file `file` into `draft`: kOk, else the failure with `reason` in
// English. The one place where subvane-cli reads a draft.
core::DraftStatus ReadDraftFile(const std::string& file, core::DraftModel& draft,
                                std::string& reason);

// As ReadDraftFile; an encrypted draft with a plain copy in its project
// (core::FindPlainCopy) is read from that copy, and `copyNote` then says which copy,
// for "<draft>: " to go before it.
core::DraftStatus ReadDraftOrPlainCopy(const std::string& file, core::DraftModel& draft,
                                       std::string& reason, std::string& copyNote);

// One file to write for a draft: its subtitles, or one caption track's (--split-tracks).
struct CaptionFile {
  int trackNumber = 0;  // 0: not split by track
  size_t subtitleCount = 0;
  std::string bytes;
};

// Reads the draft file `file` and makes the files `options` ask for, in their format,
// encoding and offset. A --track number the draft does not have is a failure.
// `copyNote` as ReadDraftOrPlainCopy's.
core::DraftStatus ConvertDraftFile(const std::string& file, const Options& options,
                                   std::vector<CaptionFile>& files, std::string& reason,
                                   std::string& copyNote);

// The caption tracks of the draft file `file`, one a line: number, name, shown or hidden,
// how many captions, the look of the first in a few words, the first caption.
core::DraftStatus DescribeCaptionTracks(const std::string& file, std::string& text,
                                        std::string& reason, std::string& copyNote);

// The memory that reading drafts one after another keeps between them (the file's bytes,
// the parser's index), so that each draft after the first allocates nothing large. One
// for each thread; what a draft of more than core::SimdjsonParser::kKeptDraftLimit bytes
// needs is not kept.
struct DraftReadMemory {
  std::string bytes;
  core::SimdjsonParser parser;
};

// What the draft file `file` holds, for --list: "N subtitles", "no subtitles",
// "encrypted" or "unreadable". With `memory`, read in the memory it keeps.
std::string DraftStateText(const std::string& file, DraftReadMemory* memory = nullptr);

// Hands out the file name stems of one batch, never the same one twice (letter case
// ignored): NAME, then NAME-2, NAME-3, ...
class OutputNames {
 public:
  std::string Claim(const std::string& projectName);

 private:
  std::set<std::string> used_;
};

// `folder` and `name` joined by the system's separator.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace cli
