#include "platform/posix/standin.h"
#include "runtime/services.h"
#include "tests/runtime/test_views.h"

namespace testviews {

const int kFatalExitStatus = 255;

ViewState Find(const std::string& text) {
  ViewState state;
  platform::View* view = platform::standin::FindView(text);
  if (!view) return state;
  state.found = true;
  state.visible = view->visible;
  state.enabled = view->enabled;
  state.width = view->bounds.width;
  state.maximiseBox = view->style.maximiseBox;
  return state;
}

void Click(const std::string& text) { platform::standin::Click(platform::standin::FindView(text)); }
void Close(const std::string& text) { platform::standin::Close(platform::standin::FindView(text)); }
void Settle() { rt::SystemRequest(rt::kRequestProcessMessages, 0, 0); }
void Reset() { platform::standin::Reset(); }
void QuietReports() {}  // the stand-in box already writes to standard error
void LimitHeap(size_t bytes) { platform::standin::FailAllocationsAbove(bytes); }

}  // namespace testviews
