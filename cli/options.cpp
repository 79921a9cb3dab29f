#include "cli/options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>

#include "core/ascii_case.h"
#include "core/time_shift.h"

namespace cli {
namespace {

constexpr char kDescription[] =
    "Writes the subtitles of JianyingPro and CapCut drafts as SRT, WebVTT, plain text or\n"
    "ASS (styled as in the draft).\n"
    "DRAFT is a draft file, a project folder, or the name of a project that --list shows.\n";

constexpr char kFooter[] =
    "Without -o or --output-dir the one draft's subtitles go to standard output.\n"
    "Caption tracks are numbered from 1 in the order --list-tracks shows them;\n"
    "--split-tracks writes <project>.<N>.<ext> into --output-dir, or beside -o's file.\n"
    "--merge-tracks makes captions on different tracks that start and end within 40 ms\n"
    "of each other one cue, their lines in track order (bilingual subtitles).\n"
    "\n"
    "Examples:\n"
    "  subvane-cli --list\n"
    "  subvane-cli \"My project\" > subtitles.srt\n"
    "  subvane-cli \"My project/draft_content.json\" -o subtitles.srt\n"
    "  subvane-cli --format vtt --offset -1.5 -o subtitles.vtt \"My project\"\n"
    "  subvane-cli --list-tracks \"My project\"\n"
    "  subvane-cli --track 2 --format txt -o transcript.txt \"My project\"\n"
    "  subvane-cli --split-tracks --output-dir srt \"My project\"\n"
    "  subvane-cli --format ass --merge-tracks -o subtitles.ass \"My project\"\n"
    "  subvane-cli --encoding gbk --bom --output-dir srt Projects/*/\n"
    "  subvane-cli --drafts-root D:/Drafts --list\n"
    "\n"
    "Exit status: 0 all drafts converted, 1 some draft could not be, 2 usage error.\n";

// Help in the usual order: the usage line, what the program does, then the options.
class HelpFormatter : public CLI::Formatter {
 public:
  std::string make_description(const CLI::App*) const override { return std::string(); }
  std::string make_usage(const CLI::App* app, std::string name) const override {
    return CLI::Formatter::make_usage(app, name) + "\n" + kDescription;
  }
};

// The options, each bound to its field of `options`; the strings hold values that are
// checked and converted after parsing.
struct Parser {
  explicit Parser(Options& options);

  CLI::App app{"", "subvane-cli"};
  std::string encoding = "utf-8";
  std::string format = "srt";
  std::string offset;
  std::vector<std::string> tracks;
  CLI::Option* offsetOption = nullptr;
  CLI::Option* outputFileOption = nullptr;
  CLI::Option* outputFolderOption = nullptr;
};

Parser::Parser(Options& options) {
  app.set_help_flag();                     // answered here, without the parser's help exception
  app.allow_windows_style_options(false);  // "/path" is a draft, not an option
  app.footer(kFooter);
  app.formatter(std::make_shared<HelpFormatter>());
  app.get_formatter()->column_width(22);

  app.add_flag("-h,--help", options.help, "show this text");
  app.add_flag("--version", options.version, "show the version");
  app.add_flag("--list", options.listProjects,
               "list the projects found: name, last modified, state, folder");
  app.add_option("--drafts-root", options.draftRoots, "also look for projects in DIR (repeatable)")
      ->type_name("DIR")
      ->allow_extra_args(false);
  app.add_flag("--list-tracks", options.listTracks,
               "list each DRAFT's caption tracks instead of converting it");
  app.add_option("--track", tracks, "write only caption track N, hidden or not (repeatable)")
      ->type_name("N")
      ->allow_extra_args(false);
  app.add_flag("--split-tracks", options.splitTracks,
               "write one file per caption track: <project>.<N>.<ext>");
  app.add_flag("--merge-tracks", options.mergeTracks,
               "one cue for captions of one time on several tracks");
  app.add_option("--format", format,
                 "srt (the default), vtt (WebVTT), txt (plain text) or ass (styled)")
      ->type_name("FORMAT");
  offsetOption = app.add_option("--offset", offset, "move every subtitle by SECONDS: 2, -1.5, ...")
                     ->type_name("SECONDS");
  app.add_option("--encoding", encoding,
                 "utf-8 (the default) or gbk: code page 936, as the window exports")
      ->type_name("ENC");
  app.add_flag("--bom", options.byteOrderMark, "start UTF-8 output with a byte-order mark");
  outputFileOption = app.add_option("-o,--output", options.outputFile,
                                    "write FILE (- is standard output); one draft only")
                         ->type_name("FILE");
  outputFolderOption = app.add_option("--output-dir", options.outputFolder,
                                      "write DIR/<project name>.<ext> for each draft")
                           ->type_name("DIR");
  app.add_option("DRAFT", options.drafts, "draft file, project folder or project name")
      ->type_name("");
}

}  // namespace

bool ParseSecondsOffset(const std::string& text, int64_t& microseconds) {
  return core::ParseShiftSeconds(text, microseconds);
}

bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error) {
  Parser parser(options);
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    parser.app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    error = e.what();
    return false;
  }
  if (options.help || options.version) return true;

  std::string encoding = core::AsciiLowercase(parser.encoding);
  if (encoding == "utf-8" || encoding == "utf8") {
    options.encoding = OutputEncoding::kUtf8;
  } else if (encoding == "gbk" || encoding == "cp936") {
    options.encoding = OutputEncoding::kGbk;
  } else {
    error = "unknown encoding '" + parser.encoding + "' (use utf-8 or gbk)";
    return false;
  }
  if (!core::CaptionFormatNamed(parser.format, options.format)) {
    error = "unknown format '" + parser.format + "' (use srt, vtt, txt or ass)";
    return false;
  }
  if (parser.offsetOption->count() > 0 && !ParseSecondsOffset(parser.offset, options.offsetUs)) {
    error =
        "--offset needs a number of seconds such as 2, -1.5 or 0.04, not '" + parser.offset + "'";
    return false;
  }
  if (parser.outputFileOption->count() > 0 && options.outputFile.empty()) {
    error = "option -o needs a file name";
    return false;
  }
  if (parser.outputFolderOption->count() > 0 && options.outputFolder.empty()) {
    error = "option --output-dir needs a folder";
    return false;
  }
  for (const std::string& track : parser.tracks) {
    int number = 0;
    bool digits = !track.empty() && track.size() <= 6;
    for (char c : track) {
      digits = digits && c >= '0' && c <= '9';
      if (digits) number = number * 10 + (c - '0');
    }
    if (!digits || number < 1) {
      error = "--track needs a caption track number (1, 2, ...), not '" + track + "'";
      return false;
    }
    options.tracks.push_back(number);
  }
  for (const std::string& root : options.draftRoots) {
    if (root.empty()) {
      error = "option --drafts-root needs a folder";
      return false;
    }
  }

  if (options.listProjects) {
    if (!options.drafts.empty() || options.listTracks) {
      error = "--list takes no DRAFT";
      return false;
    }
    return true;
  }
  if (options.drafts.empty()) {
    error = "no draft given";
    return false;
  }
  if (options.listTracks) return true;
  bool outputFileGiven = parser.outputFileOption->count() > 0;
  if (outputFileGiven && !options.outputFolder.empty()) {
    error = "-o and --output-dir cannot be used together";
    return false;
  }
  if (options.drafts.size() > 1 && options.outputFolder.empty()) {
    error = "several drafts need --output-dir DIR";
    return false;
  }
  if (options.splitTracks && options.outputFolder.empty() &&
      (!outputFileGiven || options.outputFile == "-")) {
    error = "--split-tracks writes several files: give --output-dir DIR or -o FILE";
    return false;
  }
  if (options.splitTracks && options.mergeTracks) {
    error = "--split-tracks and --merge-tracks cannot be used together";
    return false;
  }
  if (options.format == core::CaptionFormat::kAss && options.encoding != OutputEncoding::kUtf8) {
    error = "ASS files are written in UTF-8 only";
    return false;
  }
  if (options.byteOrderMark && options.encoding != OutputEncoding::kUtf8) {
    error = "--bom applies to utf-8 output only";
    return false;
  }
  std::sort(options.tracks.begin(), options.tracks.end());
  options.tracks.erase(std::unique(options.tracks.begin(), options.tracks.end()),
                       options.tracks.end());
  return true;
}

std::string UsageText() {
  Options options;
  Parser parser(options);
  return parser.app.help();
}

}  // namespace cli
