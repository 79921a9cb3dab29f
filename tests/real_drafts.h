// The real drafts beside the repository are optional on a developer's machine and
// required in a CI run (CI=true), where their absence must fail the run rather than
// leave every test that reads them skipped.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace testdrafts {

inline bool Required() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::strcmp(ci, "true") == 0;
}

}  // namespace testdrafts

// Ends the test when the drafts folder is missing: failed in CI, skipped elsewhere.
#define SKIP_OR_FAIL_WITHOUT_DRAFTS(present, where)                                   \
  if (present) {                                                                      \
  } else if (testdrafts::Required())                                                  \
    GTEST_FAIL() << "no drafts in " << (where) << ", which a CI run (CI=true) needs"; \
  else                                                                                \
    GTEST_SKIP() << "no drafts in " << (where)
