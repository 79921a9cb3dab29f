// The state column of --list for many drafts at once, and the counts remembered between
// runs.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace cli {

// DraftStateText of each file of `files`, in that order. What is not remembered is
// counted on several threads, and remembered afterwards.
std::vector<std::string> DraftStates(const std::vector<std::string>& files);

// Remembers that the draft file `file`, as it is now, has `count` subtitles a creator
// sees: a conversion knows this without counting again.
void RememberSubtitleCount(const std::string& file, size_t count);

// Writes what was remembered during this run to the cache, if anything.
void SaveRememberedStates();

// The state text of `count` shown subtitles: "no subtitles", "1 subtitle", "N subtitles".
std::string SubtitleCountText(size_t count);

// One remembered state: the draft file's size and modification time when counted.
struct RememberedState {
  int64_t size = -1;
  int64_t modified = 0;
  std::string state;
};

// The states that the cache text `text` holds, by file; lines that do not read as an
// entry are left out, and a text of another format gives none.
std::map<std::string, RememberedState> ParseStateCache(const std::string& text);
// The cache text holding `states`.
std::string StateCacheText(const std::map<std::string, RememberedState>& states);

}  // namespace cli
