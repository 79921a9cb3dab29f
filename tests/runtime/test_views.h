// What a test needs of the windows that the runtime shows: find a control by its text,
// read its state, and click or close it as a user would.
#pragma once

#include <string>

namespace testviews {

// The status a test sees for a process that ended with exit code -1.
extern const int kFatalExitStatus;

struct ViewState {
  bool found = false;
  bool visible = false;
  bool enabled = false;
  int width = 0;
  bool maximiseBox = false;
};

// The live top-level window or control showing `text` (code page 936).
ViewState Find(const std::string& text);
// Clicks the control showing `text` the way the mouse would: nothing when disabled.
void Click(const std::string& text);
// Asks the top-level window showing `text` to close, as its close button would.
void Close(const std::string& text);
// Lets every queued message be handled.
void Settle();
// Forgets whatever the last test left behind.
void Reset();
// Fatal reports go to standard error instead of a box that would wait for a user
// (where the platform shows real boxes).
void QuietReports();
// Makes heap allocations above `bytes` fail where the platform allows it.
void LimitHeap(size_t bytes);

}  // namespace testviews
