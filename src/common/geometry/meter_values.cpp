#include "common/geometry/meter_values.h"

#include <algorithm>

namespace tw {

bool MeterValues::SetTotal(std::int32_t total) {
  std::int32_t before_total = total_, before_completed = completed_;
  total_ = std::max<std::int32_t>(total, 1);
  completed_ = std::min(completed_, total_);
  Recompute();
  return total_ != before_total || completed_ != before_completed;
}

bool MeterValues::SetCompleted(std::int32_t completed) {
  std::int32_t before = completed_;
  completed_ = std::clamp<std::int32_t>(completed, 0, total_);
  Recompute();
  return completed_ != before;
}

bool MeterValues::SetPercent(std::int32_t percent) {
  std::int32_t before = completed_;
  std::int64_t clamped = std::clamp<std::int32_t>(percent, 0, 100);
  completed_ = static_cast<std::int32_t>(clamped * total_ / 100);
  Recompute();
  return completed_ != before;
}

void MeterValues::Recompute() {
  percent_ = static_cast<std::int32_t>(static_cast<std::int64_t>(completed_) * 100 / total_);
}

MeterSplit SplitMeter(const PixelRect& area, MeterDirection direction, std::int32_t completed, std::int32_t total) {
  if (total < 1) total = 1;
  completed = std::clamp(completed, 0, total);
  bool horizontal = direction == MeterDirection::kLeftToRight || direction == MeterDirection::kRightToLeft;
  int extent = std::max(0, horizontal ? area.width : area.height);
  int done = static_cast<int>(static_cast<std::int64_t>(extent) * completed / total);
  MeterSplit split{area, area};
  switch (direction) {
    case MeterDirection::kLeftToRight:
      split.done.width = done;
      split.rest.left += done;
      split.rest.width -= done;
      break;
    case MeterDirection::kRightToLeft:
      split.done.left = area.Right() - done;
      split.done.width = done;
      split.rest.width -= done;
      break;
    case MeterDirection::kTopToBottom:
      split.done.height = done;
      split.rest.top += done;
      split.rest.height -= done;
      break;
    case MeterDirection::kBottomToTop:
      split.done.top = area.Bottom() - done;
      split.done.height = done;
      split.rest.height -= done;
      break;
  }
  return split;
}

}  // namespace tw
