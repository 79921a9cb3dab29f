// The command line of subvane-cli.
#pragma once

#include <string>
#include <vector>

namespace cli {

enum class OutputEncoding { kUtf8, kGbk };

struct Options {
  OutputEncoding encoding = OutputEncoding::kUtf8;
  bool byteOrderMark = false;
  bool help = false;
  bool version = false;
  std::string outputFile;    // empty: standard output ("-" also means standard output)
  std::string outputFolder;  // empty: not given
  std::vector<std::string> drafts;
};

// Reads the arguments (program name excluded) into `options`; false with `error` set
// for a usage error. --help and --version need no drafts.
bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error);

// The text --help prints.
std::string UsageText();

}  // namespace cli
