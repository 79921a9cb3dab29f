// Helpers shared by the DLL-command and encoding tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "runtime/dll_commands.h"
#include "runtime/program.h"
#include "runtime/report.h"

namespace dlltest {

// Matches output that contains `part` byte for byte (texts here are code page 936, whose
// trail bytes would upset a regular expression).
class ContainsMatcher : public ::testing::MatcherInterface<const std::string&> {
 public:
  explicit ContainsMatcher(std::string part) : part_(std::move(part)) {}
  bool MatchAndExplain(const std::string& s, ::testing::MatchResultListener*) const override {
    return s.find(part_) != std::string::npos;
  }
  void DescribeTo(std::ostream* os) const override { *os << "contains " << part_; }

 private:
  std::string part_;
};

inline ::testing::Matcher<const std::string&> Contains(const std::string& part) {
  return ::testing::MakeMatcher(new ContainsMatcher(part));
}

// A fatal report ends the process with -1: 255 as a POSIX exit status, 0xFFFFFFFF in Windows.
inline bool FatalExit(int status) {
  return ::testing::ExitedWithCode(255)(status) || ::testing::ExitedWithCode(-1)(status);
}

// Fatal reports show no box: they write "code <n>: <message and place>" to stderr.
inline void QuietFatalReports() {
  rt::SetErrorHandler([](int32_t code, const char* details) -> int32_t {
    std::fprintf(stderr, "code %d: %s\n", code, details);
    std::fflush(stderr);
    return 1;
  });
}

// A program that declares these DLL commands and nothing else.
class DeclaredCommands {
 public:
  DeclaredCommands(std::vector<const char*> libraries, std::vector<const char*> exports)
      : libraries_(std::move(libraries)), exports_(std::move(exports)) {
    descriptor_ = rt::ProgramDescriptor{};
    descriptor_.dllCommandCount = static_cast<int32_t>(libraries_.size());
    descriptor_.dllLibraryNames = libraries_.data();
    descriptor_.dllExportNames = exports_.data();
    rt::InitDllCommands(descriptor_);
  }
  ~DeclaredCommands() { rt::FreeDllCommands(); }
  DeclaredCommands(const DeclaredCommands&) = delete;
  DeclaredCommands& operator=(const DeclaredCommands&) = delete;

 private:
  std::vector<const char*> libraries_;
  std::vector<const char*> exports_;
  rt::ProgramDescriptor descriptor_;
};

}  // namespace dlltest
