// The command line of subvane-cli.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/caption_formats.h"

namespace cli {

enum class OutputEncoding { kUtf8, kGbk };

struct Options {
  OutputEncoding encoding = OutputEncoding::kUtf8;
  core::CaptionFormat format = core::CaptionFormat::kSrt;
  bool byteOrderMark = false;
  bool help = false;
  bool version = false;
  bool listProjects = false;
  bool listTracks = false;
  bool splitTracks = false;
  bool mergeTracks = false;  // captions of one time on several tracks as one cue
  int64_t offsetUs = 0;
  std::vector<int> tracks;              // caption track numbers, from 1; empty: the captions shown
  std::vector<std::string> draftRoots;  // given with --drafts-root
  std::string outputFile;               // empty: standard output ("-" also means standard output)
  std::string outputFolder;             // empty: not given
  std::vector<std::string> drafts;
};

// Reads the arguments (program name excluded) into `options`; false with `error` set
// for a usage error. --help and --version need no drafts.
bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error);

// A count of seconds such as "2", "-1.5" or "+0.040" in microseconds (digits beyond the
// sixth decimal rounded); false for anything else or more than a century.
bool ParseSecondsOffset(const std::string& text, int64_t& microseconds);

// The text --help prints.
std::string UsageText();

}  // namespace cli
