// Turning one draft argument into SRT bytes, and naming the SRT files of a batch.
#pragma once

#include <set>
#include <string>

#include "app/draft_file.h"
#include "cli/options.h"

namespace cli {

// Finds the draft file that `argument` names: the file itself, or in a folder its
// draft_content.json, else its draft_info.json. kNotFound with `reason` otherwise.
app::DraftStatus LocateDraft(const std::string& argument, std::string& file, std::string& reason);

// The project's name for the draft file `file`: the name of the folder holding it.
std::string ProjectNameOf(const std::string& file);

// Reads, parses and converts the draft file `file` into the SRT bytes of `options`;
// `count` receives the number of subtitles.
app::DraftStatus ConvertDraftFile(const std::string& file, const Options& options, std::string& srt,
                                  size_t& count, std::string& reason);

// Hands out output file names of one batch, never the same one twice (letter case
// ignored): NAME.srt, then NAME-2.srt, NAME-3.srt, ...
class OutputNames {
 public:
  std::string Claim(const std::string& projectName);

 private:
  std::set<std::string> used_;
};

// `folder` and `name` joined by the system's separator.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace cli
