#include "core/plain_copy.h"

#include <algorithm>
#include <vector>

namespace core {
namespace {

struct Candidate {
  std::string file;
  FileTime saved;
  bool known = false;  // the time could be told
};

// The files a plain copy may be in, the draft itself left out, each once.
std::vector<std::string> CandidateFiles(const std::string& draftFile, const std::string& project,
                                        const ProjectFiles& files) {
  char separator = files.Separator();
  std::vector<std::string> names;
  std::string main = MainTimelineFile(project, files);
  if (!main.empty()) names.push_back(main);
  for (const char* name : {"draft_info.json", "draft_content.json", "template-2.tmp"})
    names.push_back(JoinProjectPath(project, name, separator));
  size_t plain = names.size();
  for (size_t i = 0; i < plain; ++i) names.push_back(names[i] + ".bak");
  std::vector<std::string> unique;
  for (const std::string& name : names) {
    if (name == draftFile || std::find(unique.begin(), unique.end(), name) != unique.end())
      continue;
    if (files.IsFile(name)) unique.push_back(name);
  }
  return unique;
}

}  // namespace

bool FindPlainCopy(const std::string& draftFile, const ProjectFiles& files,
                   const DraftFileReader& read, PlainCopy& copy) {
  char separator = files.Separator();
  std::string project = ProjectFolderOf(draftFile, separator);
  std::vector<Candidate> candidates;
  for (const std::string& file : CandidateFiles(draftFile, project, files)) {
    Candidate candidate;
    candidate.file = file;
    candidate.known = files.Modified(file, candidate.saved);
    candidates.push_back(std::move(candidate));
  }
  // The newest first; only a copy that proves unusable gives way to an older one.
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) {
                     if (a.known != b.known) return a.known;
                     return a.saved.sortKey > b.saved.sortKey;
                   });
  for (const Candidate& candidate : candidates) {
    DraftModel draft;
    if (read(candidate.file, draft) != DraftStatus::kOk || draft.tracks.empty()) continue;
    copy.file = candidate.file;
    copy.name = candidate.file.substr(std::min(candidate.file.size(), project.size()));
    while (!copy.name.empty() && (copy.name.front() == '/' || copy.name.front() == '\\'))
      copy.name.erase(0, 1);
    copy.saved = candidate.saved;
    copy.draft = std::move(draft);
    return true;
  }
  return false;
}

}  // namespace core
