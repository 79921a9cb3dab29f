#include "ui/grid_history.h"

#include <utility>

namespace ui {

void GridHistory::Clear() {
  bool modified = Modified();
  steps_.clear();
  done_ = 0;
  saved_ = 0;
  savedReachable_ = !modified;
}

void GridHistory::Push(GridStep step) {
  // The steps that could have been redone go, and with them a saved state among them.
  if (saved_ > done_) savedReachable_ = false;
  steps_.resize(done_);
  steps_.push_back(std::move(step));
  ++done_;
}

GridStep* GridHistory::StepBack() {
  if (done_ == 0) return nullptr;
  return &steps_[--done_];
}

GridStep* GridHistory::StepForward() {
  if (done_ == steps_.size()) return nullptr;
  return &steps_[done_++];
}

}  // namespace ui
