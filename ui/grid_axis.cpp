#include "ui/grid_axis.h"

#include <algorithm>
#include <cstdlib>

namespace ui {

int GridAxis::Size(int32_t i) const {
  return (i >= 0 && i < Count()) ? std::max(sizes[static_cast<size_t>(i)], 0) : 0;
}

int GridAxis::FixedExtent() const {
  int sum = 0;
  for (int32_t i = 0; i < fixed && i < Count(); ++i) sum += Size(i);
  return sum;
}

int32_t GridAxis::Next(int32_t from, int step) const {
  for (int32_t i = from + step; i >= fixed && i < Count(); i += step) {
    if (Size(i) > 0) return i;
  }
  return -1;
}

int32_t GridAxis::MaxFirst() const {
  int avail = extent - FixedExtent();
  int32_t top = Count();
  int sum = 0;
  for (int32_t i = Count() - 1; i >= fixed; --i) {
    int size = Size(i);
    if (size > 0 && sum + size > avail && top < Count()) break;
    sum += size;
    top = i;
  }
  return std::max(fixed, std::min(top, Count() - 1));
}

int32_t GridAxis::Page() const {
  int avail = extent - FixedExtent();
  int32_t n = 0;
  int sum = 0;
  for (int32_t i = first; i < Count(); ++i) {
    sum += Size(i);
    if (sum > avail) break;
    ++n;
  }
  return std::max(n, 1);
}

int GridAxis::Lead() const {
  if (!fillsToEnd || first <= fixed) return 0;
  int avail = extent - FixedExtent();
  int rest = 0;
  for (int32_t i = first; i < Count() && rest < avail; ++i) rest += Size(i);
  if (rest >= avail) return 0;
  int before = 0;
  for (int32_t i = fixed; i < first && before < avail - rest; ++i) before += Size(i);
  return std::min(avail - rest, before);
}

int GridAxis::Start(int32_t i) const {
  int p = 0;
  if (i < fixed) {
    for (int32_t j = 0; j < i; ++j) p += Size(j);
    return p;
  }
  p = FixedExtent() + Lead();
  if (i >= first) {
    // Past the far edge the exact place no longer matters: stop counting there, so that
    // filling a long table stays linear.
    for (int32_t j = first; j < i && p <= extent; ++j) p += Size(j);
  } else {
    for (int32_t j = i; j < first; ++j) p -= Size(j);
  }
  return p;
}

std::vector<std::pair<int32_t, int>> GridAxis::Shown() const {
  std::vector<std::pair<int32_t, int>> out;
  int p = 0;
  for (int32_t i = 0; i < fixed && i < Count(); ++i) {
    if (Size(i) > 0) out.emplace_back(i, p);
    p += Size(i);
  }
  int fixedEnd = p;
  p += Lead();
  size_t frontAt = out.size();
  int start = p;
  for (int32_t i = first - 1; i >= fixed && start > fixedEnd; --i) {
    start -= Size(i);
    if (Size(i) > 0) out.emplace_back(i, start);
  }
  std::reverse(out.begin() + static_cast<std::ptrdiff_t>(frontAt), out.end());
  for (int32_t i = first; i < Count() && p < extent; ++i) {
    if (Size(i) > 0) out.emplace_back(i, p);
    p += Size(i);
  }
  return out;
}

int32_t GridAxis::At(int p) const {
  int fixedEnd = FixedExtent();
  for (auto [i, start] : Shown()) {
    if (p >= start && p < start + Size(i) && (i < fixed || p >= fixedEnd)) return i;
  }
  return -1;
}

int32_t GridAxis::FirstShowing(int32_t target) const {
  if (target < fixed) return first;
  if (target < first) return target;
  int avail = extent - FixedExtent();
  int sum = 0;
  for (int32_t i = first; i <= target; ++i) sum += Size(i);
  int32_t f = first;
  while (f < target && sum > avail) sum -= Size(f++);
  return f;
}

int32_t GridAxis::BoundaryAt(int p, int slop) const {
  int32_t best = -1;
  int bestDistance = slop + 1;
  for (auto [i, start] : Shown()) {
    int d = std::abs(p - (start + Size(i)));
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

}  // namespace ui
