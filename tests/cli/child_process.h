// Runs a program as a child process with its output captured, for the CLI's tests.
#pragma once

#include <string>
#include <vector>

namespace cli_test {

struct ChildResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs `program` with `arguments` (UTF-8) and waits for it; standard input is empty.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments);

// Sets an environment variable of this process, which the children it starts inherit.
void SetChildEnvironment(const std::string& name, const std::string& value);

}  // namespace cli_test
