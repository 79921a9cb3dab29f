#include "cli/draft_states.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <map>
#include <memory>
#include <thread>

#include "cli/convert.h"
#include "core/system.h"

namespace cli {
namespace {

// The first line of the cache file: a cache of another format, or from a program that
// counted differently, is not read.
constexpr char kCacheHeader[] = "subvane-cli draft states 1";
constexpr char kCacheFileName[] = "draft-states.txt";
constexpr char kUnreadable[] = "unreadable";

bool ParseNumber(const std::string& text, int64_t& value) {
  if (text.empty() || text.size() > 19) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

bool IsKnownState(const std::string& state) {
  if (state == "encrypted" || state == "no subtitles" || state == kUnreadable) return true;
  size_t space = state.find(' ');
  int64_t count = 0;
  return space != std::string::npos && ParseNumber(state.substr(0, space), count) &&
         state.substr(space) == (count == 1 ? " subtitle" : " subtitles");
}

std::string CacheFile() {
  std::string folder = core::UserCacheFolder();
  return folder.empty() ? std::string() : JoinPath(folder, kCacheFileName);
}

// The states remembered in the user's cache folder, by the file's full path, with its
// size and modification time when it was counted: a missing, stale or damaged cache
// only costs time.
class StateCache {
 public:
  static StateCache& Instance() {
    static StateCache cache;
    return cache;
  }

  // The remembered state of `file` as it is now (empty when there is none), and in
  // `now` what the file is now, for Remember.
  std::string Lookup(const std::string& file, std::string& key, RememberedState& now) {
    Load();
    key = core::FullPath(file);
    core::FileTime time;
    now.size = core::FileSizeOf(file);
    if (now.size < 0 || !core::FileModified(file, time)) return std::string();
    now.modified = time.sortKey;
    auto found = states_.find(key);
    if (found == states_.end() || found->second.size != now.size ||
        found->second.modified != now.modified) {
      return std::string();
    }
    return found->second.state;
  }

  void Remember(const std::string& key, RememberedState now, const std::string& state) {
    // What could not be read may be readable next time: only what was counted is kept.
    if (now.size < 0 || state == kUnreadable) return;
    now.state = state;
    states_[key] = now;
    changed_ = true;
  }

  void Save() {
    if (!changed_) return;
    changed_ = false;
    std::string file = CacheFile();
    std::string reason;
    // Remembering is a help, never a condition: a cache that cannot be written is left.
    if (!file.empty() && core::MakeFolders(core::UserCacheFolder()))
      core::WriteFileAtomically(file, StateCacheText(states_), reason);
  }

 private:
  void Load() {
    if (loaded_) return;
    loaded_ = true;
    std::string file = CacheFile();
    std::string text;
    if (!file.empty() && core::ReadSmallFile(file, text)) states_ = ParseStateCache(text);
  }

  std::map<std::string, RememberedState> states_;
  bool loaded_ = false;
  bool changed_ = false;
};

// Counts the drafts at `indexes` of `files` into `states` on up to as many threads as
// the computer has cores. A draft whose count threw is left empty.
void CountInParallel(const std::vector<std::string>& files, const std::vector<size_t>& indexes,
                     std::vector<std::string>& states) {
  std::atomic<size_t> next{0};
  auto work = [&]() {
    // Drafts are handed out one at a time, so a thread held up by a large draft or a
    // busy core does fewer; each thread reads in memory of its own.
    std::unique_ptr<DraftReadMemory> memory;
    try {
      memory = std::make_unique<DraftReadMemory>();
    } catch (const std::exception&) {
      // Without memory to keep, each draft is read in memory of its own.
    }
    for (size_t i = next++; i < indexes.size(); i = next++) {
      try {
        states[indexes[i]] = DraftStateText(files[indexes[i]], memory.get());
      } catch (const std::exception&) {
        states[indexes[i]].clear();  // counted again alone
      }
    }
  };
  size_t threads =
      std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), indexes.size());
  std::vector<std::thread> workers;
  try {
    for (size_t t = 1; t < threads; ++t) workers.emplace_back(work);
  } catch (const std::exception&) {
    // Fewer threads than hoped for: those started and this one do the work.
  }
  work();
  for (std::thread& worker : workers) worker.join();
}

}  // namespace

std::map<std::string, RememberedState> ParseStateCache(const std::string& text) {
  std::map<std::string, RememberedState> states;
  size_t start = 0;
  bool first = true;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) break;  // a last line without its end was cut short
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (first) {
      if (line != kCacheHeader) return states;
      first = false;
      continue;
    }
    // size TAB modified TAB state TAB file
    size_t a = line.find('\t');
    size_t b = a == std::string::npos ? a : line.find('\t', a + 1);
    size_t c = b == std::string::npos ? b : line.find('\t', b + 1);
    if (c == std::string::npos) continue;
    RememberedState remembered;
    remembered.state = line.substr(b + 1, c - b - 1);
    std::string file = line.substr(c + 1);
    if (!ParseNumber(line.substr(0, a), remembered.size) ||
        !ParseNumber(line.substr(a + 1, b - a - 1), remembered.modified) ||
        !IsKnownState(remembered.state) || file.empty()) {
      continue;
    }
    states[file] = remembered;
  }
  return states;
}

std::string StateCacheText(const std::map<std::string, RememberedState>& states) {
  std::string text = std::string(kCacheHeader) + "\n";
  for (const auto& [file, remembered] : states) {
    if (file.find('\n') != std::string::npos) continue;
    text += std::to_string(remembered.size) + "\t" + std::to_string(remembered.modified) + "\t" +
            remembered.state + "\t" + file + "\n";
  }
  return text;
}

std::string SubtitleCountText(size_t count) {
  if (count == 0) return "no subtitles";
  return std::to_string(count) + (count == 1 ? " subtitle" : " subtitles");
}

void RememberSubtitleCount(const std::string& file, size_t count) {
  std::string key;
  RememberedState now;
  StateCache& cache = StateCache::Instance();
  cache.Lookup(file, key, now);
  cache.Remember(key, now, SubtitleCountText(count));
}

void SaveRememberedStates() { StateCache::Instance().Save(); }

std::vector<std::string> DraftStates(const std::vector<std::string>& files) {
  StateCache& cache = StateCache::Instance();
  std::vector<std::string> states(files.size());
  std::vector<std::string> keys(files.size());
  std::vector<RememberedState> now(files.size());
  std::vector<size_t> toCount;
  for (size_t i = 0; i < files.size(); ++i) {
    states[i] = cache.Lookup(files[i], keys[i], now[i]);
    if (states[i].empty()) toCount.push_back(i);
  }
  CountInParallel(files, toCount, states);
  for (size_t i : toCount) {
    // Counted beside other drafts, a large one may not have found the memory it needs
    // alone: what failed is counted again on its own.
    if (states[i].empty() || states[i] == kUnreadable) states[i] = DraftStateText(files[i]);
    cache.Remember(keys[i], now[i], states[i]);
  }
  cache.Save();
  return states;
}

}  // namespace cli
