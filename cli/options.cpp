#include "cli/options.h"

namespace cli {
namespace {

std::string Lowercase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool ParseEncoding(const std::string& name, OutputEncoding& encoding) {
  std::string lower = Lowercase(name);
  if (lower == "utf-8" || lower == "utf8") {
    encoding = OutputEncoding::kUtf8;
  } else if (lower == "gbk" || lower == "cp936") {
    encoding = OutputEncoding::kGbk;
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error) {
  bool outputFileGiven = false;
  bool onlyDrafts = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    std::string argument = arguments[i];
    if (onlyDrafts || argument.empty() || argument[0] != '-' || argument == "-") {
      options.drafts.push_back(argument);
      continue;
    }
    if (argument == "--") {
      onlyDrafts = true;
      continue;
    }
    std::string value;
    bool hasInlineValue = false;
    size_t equals = argument.find('=');
    if (argument.compare(0, 2, "--") == 0 && equals != std::string::npos) {
      value = argument.substr(equals + 1);
      argument.resize(equals);
      hasInlineValue = true;
    }
    bool takesValue = argument == "--encoding" || argument == "-o" || argument == "--output" ||
                      argument == "--output-dir";
    if (hasInlineValue && !takesValue) {
      error = "option " + argument + " takes no value";
      return false;
    }
    if (takesValue && !hasInlineValue) {
      if (i + 1 >= arguments.size()) {
        error = "option " + argument + " needs a value";
        return false;
      }
      value = arguments[++i];
    }

    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--bom") {
      options.byteOrderMark = true;
    } else if (argument == "--encoding") {
      if (!ParseEncoding(value, options.encoding)) {
        error = "unknown encoding '" + value + "' (use utf-8 or gbk)";
        return false;
      }
    } else if (argument == "-o" || argument == "--output") {
      if (value.empty()) {
        error = "option " + argument + " needs a file name";
        return false;
      }
      options.outputFile = value;
      outputFileGiven = true;
    } else if (argument == "--output-dir") {
      if (value.empty()) {
        error = "option --output-dir needs a folder";
        return false;
      }
      options.outputFolder = value;
    } else {
      error = "unknown option " + argument;
      return false;
    }
  }

  if (options.help || options.version) return true;
  if (options.drafts.empty()) {
    error = "no draft given";
    return false;
  }
  if (outputFileGiven && !options.outputFolder.empty()) {
    error = "-o and --output-dir cannot be used together";
    return false;
  }
  if (options.drafts.size() > 1 && options.outputFolder.empty()) {
    error = "several drafts need --output-dir DIR";
    return false;
  }
  if (options.byteOrderMark && options.encoding != OutputEncoding::kUtf8) {
    error = "--bom applies to utf-8 output only";
    return false;
  }
  return true;
}

std::string UsageText() {
  return "Usage: subvane-cli [--encoding utf-8|gbk] [--bom] [-o FILE | --output-dir DIR] DRAFT...\n"
         "\n"
         "Writes the subtitles of JianyingPro drafts as SRT files.\n"
         "DRAFT is a draft file, or a project folder holding draft_content.json\n"
         "(else draft_info.json).\n"
         "\n"
         "  --encoding utf-8   UTF-8 output, every character kept (the default)\n"
         "  --encoding gbk     code page 936 output, the bytes the Subvane window exports\n"
         "  --bom              start UTF-8 output with a byte-order mark\n"
         "  -o FILE            write FILE (- is standard output); one draft only\n"
         "  --output-dir DIR   write DIR/<project name>.srt for each draft\n"
         "  --help             show this text\n"
         "  --version          show the version\n"
         "\n"
         "Without -o or --output-dir the SRT of the one draft goes to standard output.\n"
         "\n"
         "Examples:\n"
         "  subvane-cli \"My project/draft_content.json\" > subtitles.srt\n"
         "  subvane-cli --encoding gbk -o subtitles.srt \"My project\"\n"
         "  subvane-cli --bom --output-dir srt Projects/*/\n"
         "\n"
         "Exit status: 0 all drafts converted, 1 some draft could not be, 2 usage error.\n";
}

}  // namespace cli
