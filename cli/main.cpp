// subvane-cli: the subtitles of JianyingPro drafts as SRT files, from the command line.
#include <exception>
#include <string>
#include <vector>

#include "cli/cli_platform.h"
#include "cli/convert.h"
#include "cli/libraries.h"
#include "cli/options.h"

namespace {

constexpr char kProgramName[] = "subvane-cli";
constexpr char kVersionText[] = "subvane-cli 1.0.0\n";

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void ReportFailure(const std::string& draft, const std::string& cause) {
  cli::WriteErrorLine(std::string(kProgramName) + ": " + draft + ": " + cause);
}

// Converts the draft `draft`, found in `file`, and writes its SRT where `target` says ("" or "-":
// standard output). False after reporting the failure.
bool ConvertOne(const std::string& draft, const std::string& file, const cli::Options& options,
                const std::string& target) {
  std::string reason;
  std::string srt;
  size_t count = 0;
  if (cli::ConvertDraftFile(file, options, srt, count, reason) != app::DraftStatus::kOk) {
    ReportFailure(draft, reason);
    return false;
  }
  // Not a failure: the draft may hold only titles or nothing yet, but say why the
  // output is empty.
  if (count == 0) cli::WriteErrorLine(draft + ": no subtitles on the timeline");
  if (target.empty() || target == "-") {
    if (!cli::WriteStandardOutput(srt)) {
      ReportFailure(draft, "cannot write standard output");
      return false;
    }
    return true;
  }
  if (!cli::WriteFileAtomically(target, srt, reason)) {
    ReportFailure(draft, "cannot write " + target + " (" + reason + ")");
    return false;
  }
  return true;
}

int Run(const std::vector<std::string>& arguments) {
  cli::Options options;
  std::string error;
  if (!cli::ParseOptions(arguments, options, error)) {
    cli::WriteErrorLine(std::string(kProgramName) + ": " + error);
    cli::WriteErrorLine(std::string("Try '") + kProgramName + " --help'.");
    return kExitUsage;
  }
  if (options.help) return cli::WriteStandardOutput(cli::UsageText()) ? kExitOk : kExitFailed;
  if (options.version) return cli::WriteStandardOutput(kVersionText) ? kExitOk : kExitFailed;

  if (!cli::PrepareLibraries(options.encoding == cli::OutputEncoding::kGbk, error)) {
    cli::WriteErrorLine(std::string(kProgramName) + ": " + error);
    return kExitFailed;
  }

  if (options.outputFolder.empty()) {
    const std::string& draft = options.drafts.front();
    std::string file;
    std::string reason;
    if (cli::LocateDraft(draft, file, reason) != app::DraftStatus::kOk) {
      ReportFailure(draft, reason);
      return kExitFailed;
    }
    return ConvertOne(draft, file, options, options.outputFile) ? kExitOk : kExitFailed;
  }
  if (cli::StatPath(options.outputFolder) != cli::PathKind::kFolder) {
    cli::WriteErrorLine(std::string(kProgramName) + ": " + options.outputFolder +
                        ": output folder not found");
    return kExitFailed;
  }
  cli::OutputNames names;
  bool allConverted = true;
  for (const std::string& draft : options.drafts) {
    std::string file;
    std::string reason;
    if (cli::LocateDraft(draft, file, reason) != app::DraftStatus::kOk) {
      ReportFailure(draft, reason);
      allConverted = false;
      continue;
    }
    std::string target = cli::JoinPath(options.outputFolder, names.Claim(cli::ProjectNameOf(file)));
    if (!ConvertOne(draft, file, options, target)) allConverted = false;
  }
  return allConverted ? kExitOk : kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(cli::ProgramArguments(argc, argv));
  } catch (const std::exception& e) {
    cli::WriteErrorLine(std::string(kProgramName) + ": " + e.what());
  } catch (...) {
    cli::WriteErrorLine(std::string(kProgramName) + ": unexpected failure");
  }
  return kExitFailed;
}
