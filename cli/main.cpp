// subvane-cli: the subtitles of JianyingPro and CapCut drafts as SRT, WebVTT or plain
// text files, from the command line.
#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "cli/convert.h"
#include "cli/draft_states.h"
#include "cli/libraries.h"
#include "cli/options.h"
#include "cli/project_list.h"
#include "core/system.h"
#include "subvane_version.h"

namespace {

constexpr char kProgramName[] = "subvane-cli";
constexpr char kVersionText[] = "subvane-cli " SUBVANE_VERSION_TEXT "\n";

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr size_t kCandidateLimit = 20;  // projects a name error lists

void ReportFailure(const std::string& draft, const std::string& cause) {
  core::WriteErrorLine(std::string(kProgramName) + ": " + draft + ": " + cause);
}

int UsageError(const std::string& error) {
  core::WriteErrorLine(std::string(kProgramName) + ": " + error);
  core::WriteErrorLine(std::string("Try '") + kProgramName + " --help'.");
  return kExitUsage;
}

// One DRAFT argument: what messages call it, and the draft file it stands for.
struct DraftJob {
  std::string argument;
  std::string file;         // empty when it could not be found
  std::string failure;      // why not
  std::string projectName;  // names the output files
};

// The projects of every draft folder, looked for once and only when needed.
class ProjectIndex {
 public:
  explicit ProjectIndex(const std::vector<std::string>& givenRoots) : givenRoots_(givenRoots) {}
  const std::vector<cli::Project>& Projects() {
    if (!found_) {
      roots_ = core::DraftRoots(givenRoots_);
      projects_ = cli::FindProjects(roots_);
      found_ = true;
    }
    return projects_;
  }
  const std::vector<std::string>& Roots() {
    Projects();
    return roots_;
  }

 private:
  std::vector<std::string> givenRoots_;
  std::vector<std::string> roots_;
  std::vector<cli::Project> projects_;
  bool found_ = false;
};

bool HasPathSeparator(const std::string& text) {
  return std::any_of(text.begin(), text.end(), core::IsPathSeparator);
}

// Finds the draft each argument stands for. An argument that is neither a file nor a
// folder, and has no separator in it, is a project name; a name that fits no project or
// several is a usage error (false, `error` naming the candidates).
bool ResolveDrafts(const cli::Options& options, ProjectIndex& index, std::vector<DraftJob>& jobs,
                   std::string& error) {
  for (const std::string& argument : options.drafts) {
    DraftJob job;
    job.argument = argument;
    core::PathKind kind = core::StatPath(argument);
    if (kind == core::PathKind::kMissing && !argument.empty() && !HasPathSeparator(argument)) {
      std::vector<cli::Project> named = cli::ProjectsNamed(index.Projects(), argument);
      if (named.size() != 1) {
        const std::vector<cli::Project>& candidates = named.empty() ? index.Projects() : named;
        error = argument + (named.empty() ? ": no file, folder or project of that name"
                                          : ": several projects have that name");
        if (candidates.empty()) error += "; no projects found (see --list and --drafts-root)";
        for (size_t i = 0; i < candidates.size() && i < kCandidateLimit; ++i) {
          error += "\n  " + candidates[i].name + "\t" + candidates[i].folder;
        }
        if (candidates.size() > kCandidateLimit) {
          error += "\n  ... " + std::to_string(candidates.size() - kCandidateLimit) +
                   " more (see --list)";
        }
        return false;
      }
      job.file = named.front().draftFile;
      job.projectName = core::SafeFileName(named.front().name);
      jobs.push_back(std::move(job));
      continue;
    }
    core::DraftStatus status = cli::LocateDraft(argument, job.file, job.failure);
    if (status != core::DraftStatus::kOk) {
      job.file.clear();
    } else {
      job.projectName = cli::ProjectNameOf(job.file);
    }
    jobs.push_back(std::move(job));
  }
  return true;
}

// The folder part of `path`, with its trailing separator ("" for a bare name).
std::string FolderPartOf(const std::string& path) {
  size_t i = path.size();
  while (i > 0 && !core::IsPathSeparator(path[i - 1])) --i;
  return path.substr(0, i);
}

bool WriteOutput(const std::string& draft, const std::string& target, const std::string& bytes) {
  std::string reason;
  if (target.empty() || target == "-") {
    if (core::WriteStandardOutput(bytes)) return true;
    ReportFailure(draft, "cannot write standard output");
    return false;
  }
  if (core::WriteFileAtomically(target, bytes, reason)) return true;
  ReportFailure(draft, "cannot write " + target + " (" + reason + ")");
  return false;
}

// Converts one draft and writes its files where the options say. False after reporting
// a failure.
bool ConvertOne(const DraftJob& job, const cli::Options& options, cli::OutputNames& names) {
  std::vector<cli::CaptionFile> files;
  std::string reason;
  std::string copyNote;
  if (cli::ConvertDraftFile(job.file, options, files, reason, copyNote) != core::DraftStatus::kOk) {
    ReportFailure(job.argument, reason);
    return false;
  }
  if (!copyNote.empty()) core::WriteErrorLine(job.argument + ": " + copyNote);
  // The whole timeline's count is what --list shows: remembered, it need not be counted.
  if (copyNote.empty() && options.tracks.empty() && !options.splitTracks && files.size() == 1)
    cli::RememberSubtitleCount(job.file, files.front().subtitleCount);
  // Not a failure: the draft may hold only titles or nothing yet, but say why the
  // output is empty.
  if (files.empty() || (files.size() == 1 && files.front().subtitleCount == 0)) {
    core::WriteErrorLine(job.argument + ": no subtitles on the timeline");
  }
  const std::string extension = core::CaptionFormatExtension(options.format);
  std::string stem;
  if (!options.outputFolder.empty()) {
    stem = cli::JoinPath(options.outputFolder, names.Claim(job.projectName));
  } else if (options.splitTracks) {
    stem = FolderPartOf(options.outputFile) + job.projectName;  // beside -o's file
  }
  bool written = true;
  for (const cli::CaptionFile& file : files) {
    std::string target = options.outputFile;
    if (file.trackNumber > 0) {
      target = stem + "." + std::to_string(file.trackNumber) + extension;
    } else if (!options.outputFolder.empty()) {
      target = stem + extension;
    }
    if (!WriteOutput(job.argument, target, file.bytes)) written = false;
  }
  return written;
}

int ListProjects(ProjectIndex& index) {
  struct Row {
    core::FileTime time;
    std::string line;
  };
  const std::vector<cli::Project>& projects = index.Projects();
  std::vector<std::string> files;
  for (const cli::Project& project : projects) files.push_back(project.draftFile);
  std::vector<std::string> states = cli::DraftStates(files);
  std::vector<Row> rows;
  for (size_t i = 0; i < projects.size(); ++i) {
    Row row;
    if (!core::FileModified(projects[i].draftFile, row.time)) row.time.localText = "-";
    row.line = projects[i].name + "\t" + row.time.localText + "\t" + states[i] + "\t" +
               projects[i].folder + "\n";
    rows.push_back(std::move(row));
  }
  if (rows.empty()) {
    std::string searched;
    for (const std::string& root : index.Roots()) searched += "\n  " + root;
    core::WriteErrorLine(std::string(kProgramName) + ": no projects found in:" + searched);
    return kExitOk;
  }
  // The latest work first, as the editors list it.
  std::stable_sort(rows.begin(), rows.end(),
                   [](const Row& a, const Row& b) { return a.time.sortKey > b.time.sortKey; });
  std::string text;
  for (const Row& row : rows) text += row.line;
  return core::WriteTextOutput(text) ? kExitOk : kExitFailed;
}

int ListTracks(const std::vector<DraftJob>& jobs) {
  bool allListed = true;
  for (const DraftJob& job : jobs) {
    std::string text;
    std::string reason;
    if (job.file.empty()) {
      ReportFailure(job.argument, job.failure);
      allListed = false;
      continue;
    }
    std::string copyNote;
    if (cli::DescribeCaptionTracks(job.file, text, reason, copyNote) != core::DraftStatus::kOk) {
      ReportFailure(job.argument, reason);
      allListed = false;
      continue;
    }
    if (!copyNote.empty()) core::WriteErrorLine(job.argument + ": " + copyNote);
    if (text.empty()) core::WriteErrorLine(job.argument + ": no subtitles on the timeline");
    if (jobs.size() > 1) text = job.argument + ":\n" + text;
    if (!core::WriteTextOutput(text)) return kExitFailed;
  }
  return allListed ? kExitOk : kExitFailed;
}

int Run(const std::vector<std::string>& arguments) {
  cli::Options options;
  std::string error;
  if (!cli::ParseOptions(arguments, options, error)) return UsageError(error);
  if (options.help) return core::WriteTextOutput(cli::UsageText()) ? kExitOk : kExitFailed;
  if (options.version) return core::WriteStandardOutput(kVersionText) ? kExitOk : kExitFailed;

  if (!cli::PrepareLibraries(error)) {
    core::WriteErrorLine(std::string(kProgramName) + ": " + error);
    return kExitFailed;
  }
  ProjectIndex index(options.draftRoots);
  if (options.listProjects) return ListProjects(index);

  std::vector<DraftJob> jobs;
  if (!ResolveDrafts(options, index, jobs, error)) return UsageError(error);
  if (options.listTracks) return ListTracks(jobs);

  if (!options.outputFolder.empty() &&
      core::StatPath(options.outputFolder) != core::PathKind::kFolder) {
    core::WriteErrorLine(std::string(kProgramName) + ": " + options.outputFolder +
                         ": output folder not found");
    return kExitFailed;
  }
  cli::OutputNames names;
  bool allConverted = true;
  for (const DraftJob& job : jobs) {
    if (job.file.empty()) {
      ReportFailure(job.argument, job.failure);
      allConverted = false;
    } else if (!ConvertOne(job, options, names)) {
      allConverted = false;
    }
  }
  cli::SaveRememberedStates();
  return allConverted ? kExitOk : kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(core::ProgramArguments(argc, argv));
  } catch (const std::exception& e) {
    core::WriteErrorLine(std::string(kProgramName) + ": " + e.what());
  } catch (...) {
    core::WriteErrorLine(std::string(kProgramName) + ": unexpected failure");
  }
  return kExitFailed;
}
